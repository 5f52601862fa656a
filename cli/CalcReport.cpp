// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcReport.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

// "caption  value", the value starting two columns after the widest caption.
std::string CaptionLine(std::string_view caption, std::size_t captionWidth, std::string_view value)
{
    std::string line(caption);
    if (!value.empty())
        line += std::string(captionWidth - caption.size() + 2, ' ') + std::string(value);
    return line + '\n';
}

std::size_t WidestCaption(std::initializer_list<std::string_view> captions)
{
    return std::max(captions,
                    [](std::string_view a, std::string_view b) { return a.size() < b.size(); })
        .size();
}

// Every row of the grid, each column right-aligned to its widest cell.
std::string TableText(const PaymentPlan& plan)
{
    std::vector<std::array<std::string, kPlanColumns>> rows(PlanGridRows(plan));
    std::array<std::size_t, kPlanColumns> widths{};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < kPlanColumns; ++c) {
            rows[r][c] = PlanCellText(plan, r, c);
            widths[c] = std::max(widths[c], rows[r][c].size());
        }
    }

    std::string out;
    for (const auto& row : rows) {
        for (int c = 0; c < kPlanColumns; ++c) {
            if (c > 0)
                out += "  ";
            out += std::string(widths[c] - row[c].size(), ' ') + row[c];
        }
        out += '\n';
    }
    return out;
}

std::string JsonMember(std::string_view name, std::string_view jsonValue)
{
    return JsonString(name) + ':' + std::string(jsonValue);
}

std::string JsonObject(const std::vector<std::string>& members)
{
    std::string out = "{";
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i > 0)
            out += ',';
        out += members[i];
    }
    return out + "}";
}

std::string JsonRows(const PaymentPlan& plan)
{
    std::string out = "[";
    for (std::size_t r = 0; r < PlanGridRows(plan); ++r) {
        out += r > 0 ? ",[" : "[";
        for (int c = 0; c < kPlanColumns; ++c) {
            if (c > 0)
                out += ',';
            out += JsonString(PlanCellText(plan, r, c));
        }
        out += ']';
    }
    return out + "]";
}

std::string_view ModeName(bool tillZero)
{
    return tillZero ? "till_zero" : "monthly";
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char escaped[7];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(ch));
                out += escaped;
            } else {
                out += ch; // UTF-8 passes through unchanged
            }
        }
    }
    return out + '"';
}

std::string MonthlyText(const MonthlyResults& results)
{
    constexpr std::string_view monthly = "Vesk's Mnthly Pymnt";
    constexpr std::string_view payoff = "Payoff Period";
    constexpr std::string_view saved = "Total Amount Saved (if follow payment plan)";
    const std::size_t width = WidestCaption({monthly, payoff, saved});
    const MonthlyResultTexts texts = ResultTexts(results);
    return CaptionLine(monthly, width, texts.monthly.value_or("")) +
           CaptionLine(payoff, width, texts.payoff) + CaptionLine(saved, width, texts.amountSaved);
}

std::string MonthlyJson(const MonthlyResults& results)
{
    const MonthlyResultTexts texts = ResultTexts(results);
    return JsonObject(
               {JsonMember("mode", JsonString(ModeName(false))),
                JsonMember("firstPayment", texts.monthly ? JsonString(*texts.monthly) : "null"),
                JsonMember("payoffPeriod", JsonString(texts.payoff)),
                JsonMember("interestSaved", JsonString(texts.amountSaved))}) +
           '\n';
}

std::string PlanText(const PaymentPlan& plan)
{
    constexpr std::string_view payoff = "  Payoff Period";
    constexpr std::string_view average = "  Aver Mnthly Pymt";
    constexpr std::string_view minPayment = "  Mnthly Pymt";
    constexpr std::string_view saved = "Amount Saved On Interest";
    // Both frames share one value column, as they stand side by side in the window.
    const std::size_t width = WidestCaption({payoff, average, minPayment});
    const PlanSummaryTexts summary = SummaryTexts(plan.summary);
    return TableText(plan) + '\n' + FrameCaption(plan.terms).text + '\n' +
           CaptionLine(payoff, width, summary.payoff) +
           CaptionLine(average, width, summary.averageMonthly) + '\n' + "Minimum Payment Plan\n" +
           CaptionLine(payoff, width, summary.minPayoff) +
           CaptionLine(minPayment, width, summary.minPayment) + '\n' +
           CaptionLine(saved, saved.size(), summary.amountSaved);
}

std::string PlanJson(const PaymentPlan& plan)
{
    const PlanCaption caption = FrameCaption(plan.terms);
    const PlanSummaryTexts summary = SummaryTexts(plan.summary);
    return JsonObject({JsonMember("mode", JsonString(ModeName(true))),
                       JsonMember("planCaption", JsonString(caption.text)),
                       JsonMember("planAltered", caption.altered ? "true" : "false"),
                       JsonMember("schedule", JsonRows(plan)),
                       JsonMember("payoffPeriod", JsonString(summary.payoff)),
                       JsonMember("averagePayment", JsonString(summary.averageMonthly)),
                       JsonMember("minPayoffPeriod", JsonString(summary.minPayoff)),
                       JsonMember("minPayment", JsonString(summary.minPayment)),
                       JsonMember("interestSaved", JsonString(summary.amountSaved))}) +
           '\n';
}

std::string FailureJson(bool tillZero, const CalcFailure& failure)
{
    const std::string error = JsonObject({JsonMember("title", JsonString(failure.title)),
                                          JsonMember("text", JsonString(failure.text))});
    return JsonObject(
               {JsonMember("mode", JsonString(ModeName(tillZero))), JsonMember("error", error)}) +
           '\n';
}
