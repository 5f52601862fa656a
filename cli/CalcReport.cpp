// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcReport.h"

#include "DisplayFormats.h"
#include "PlanTexts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
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

using Json = nlohmann::ordered_json;

// An amount for scripts: every integer digit and all four decimals, no
// grouping ("76873.9160"), beside the text the window shows.
constexpr std::string_view kExactAmount = "0.0000";

Json AmountJson(const std::string& exact, const std::string& text)
{
    return {{"amount", exact}, {"text", text}};
}

Json AmountJson(Currency amount, const std::string& text)
{
    return AmountJson(FormatAmount(amount, kExactAmount), text);
}

Json PeriodJson(std::int16_t months, const std::string& text)
{
    return {{"months", months}, {"text", text}};
}

Json MonthJson(const PlanMonth& month)
{
    // The interest as it is added to the plan's total: rounded to four decimals.
    return {{"month", month.month},
            {"payment", AmountJson(month.payment, MonthCellText(month, kPaymentColumn))},
            {"interest", AmountJson(Currency::fromDouble(month.interest),
                                    MonthCellText(month, kInterestColumn))},
            {"principal", AmountJson(month.principal, MonthCellText(month, kPrincipalColumn))},
            {"balance", AmountJson(month.balance, MonthCellText(month, kBalanceColumn))}};
}

std::string JsonLine(const Json& json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}

std::string_view ModeName(bool tillZero)
{
    return tillZero ? "till_zero" : "monthly";
}

} // namespace

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
    Json json{{"mode", ModeName(false)}};
    json["firstPayment"] =
        results.firstPayment ? AmountJson(*results.firstPayment, *texts.monthly) : Json();
    json["payoffPeriod"] = PeriodJson(results.months, texts.payoff);
    json["interestSaved"] = AmountJson(results.interestSaved, texts.amountSaved);
    return JsonLine(json);
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
    const PlanSummary& summary = plan.summary;
    const PlanSummaryTexts texts = SummaryTexts(summary);
    Json schedule = Json::array();
    for (const PlanMonth& month : plan.months)
        schedule.push_back(MonthJson(month));

    Json json{{"mode", ModeName(true)},
              {"planCaption", caption.text},
              {"planAltered", caption.altered},
              {"openingBalance",
               AmountJson(plan.terms.openingBalance, PlanCellText(plan, 1, kBalanceColumn))},
              {"schedule", std::move(schedule)},
              {"payoffPeriod", PeriodJson(summary.veskMonths, texts.payoff)}};
    // The average is a quotient: rounded to four decimals like the amounts.
    json["averagePayment"] =
        AmountJson(FormatAmount(summary.averageMonthly, kExactAmount), texts.averageMonthly);
    json["minPayoffPeriod"] = PeriodJson(summary.minMonths, texts.minPayoff);
    json["minPayment"] = AmountJson(summary.minPayment, texts.minPayment);
    json["interestSaved"] = summary.interestSaved
                                ? AmountJson(*summary.interestSaved, texts.amountSaved)
                                : Json{{"amount", nullptr}, {"text", texts.amountSaved}};
    return JsonLine(json);
}

std::string FailureJson(bool tillZero, const CalcFailure& failure)
{
    return JsonLine({{"mode", ModeName(tillZero)},
                     {"error", {{"title", failure.title}, {"text", failure.text}}}});
}
