// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanDocumentTexts.h"

#include "Calculator.h"
#include "DisplayFormats.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace {

const Currency kZero;

// A number from to_chars, or an empty string should it not fit.
template <typename... Format> std::string Chars(double value, Format... format)
{
    std::array<char, 400> buffer{}; // room for a fixed-point double with every digit
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format...);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string();
}

} // namespace

std::vector<PlanInputText> PlanInputTexts(const PlanTerms& terms)
{
    std::vector<PlanInputText> texts = {
        {"Outstanding Balance", FormatAmount(terms.openingBalance, kDollarPattern)},
        {"Interest Rate (APR)", RatePercentText(terms.veskRate) + "%"},
        {"Scheduled Payment", FormatAmount(terms.scheduledPayment, kDollarPattern)},
    };
    if (terms.fixedMonthly != kZero) {
        texts.push_back(
            {"Fixed Monthly Payment", FormatAmount(terms.fixedMonthly, kDollarPattern)});
    } else if (terms.maxMonthly != kZero) {
        texts.push_back(
            {"Maximum Monthly Payment", FormatAmount(terms.maxMonthly, kDollarPattern)});
    }
    if (terms.veskFirstMonths != 0 && terms.fixedMonthly == kZero) {
        texts.push_back({"Vesk's Method for the first", PeriodText(terms.veskFirstMonths)});
    }
    return texts;
}

std::string RatePercentText(double rate)
{
    // Fifteen significant digits undo the division by 100 that loaded the rate.
    const double percent = rate * 100;
    std::string text = Chars(percent, std::chars_format::general, 15);
    const std::size_t exponentAt = text.find('e');
    if (exponentAt == std::string::npos) {
        return text;
    }
    // Very small or very large rates: the same digits without the exponent.
    const int exponent = std::atoi(text.c_str() + exponentAt + 1);
    text = Chars(percent, std::chars_format::fixed, exponent < 14 ? 14 - exponent : 0);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

std::string PlanFileStem(const PlanTerms& terms)
{
    std::string stem = "plan-" + PlainText(terms.openingBalance) + "-" +
                       RatePercentText(terms.veskRate) + "-" + PlainText(terms.scheduledPayment);
    if (terms.fixedMonthly != kZero) {
        stem += "-fixed" + PlainText(terms.fixedMonthly);
    } else if (terms.maxMonthly != kZero) {
        stem += "-max" + PlainText(terms.maxMonthly);
    }
    if (terms.veskFirstMonths != 0 && terms.fixedMonthly == kZero) {
        stem += "-first" + PlainText(std::int64_t{terms.veskFirstMonths});
    }
    return stem;
}
