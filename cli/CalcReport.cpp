// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcReport.h"

#include "DisplayFormats.h"
#include "PlanTexts.h"
#include "ReportValues.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Every row of the grid and each month's extra, with its date after the
// month number where the plan is dated; each column right-aligned to its
// widest cell (the opening row has no extra: no blanks at its end).
std::string TableText(const PaymentPlan& plan, const std::optional<CalendarMonth>& firstPayment)
{
    std::vector<std::vector<std::string>> rows(PlanGridRows(plan));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < kPlanColumns; ++c) {
            rows[r].push_back(PlanCellText(plan, r, c));
            if (c == kTermColumn && firstPayment) {
                const auto month = static_cast<int>(r) - 1;
                rows[r].push_back(r == 0 ? "Date" : PayoffMonthText(firstPayment, month));
            }
        }
        rows[r].push_back(r == 0   ? std::string(kExtraHeader)
                          : r == 1 ? std::string()
                                   : ExtraCellText(plan.months[r - 2]));
    }
    return AlignedColumns(rows);
}

Json MonthJson(const PlanMonth& month, const std::optional<CalendarMonth>& firstPayment)
{
    // The interest as it is added to the plan's total: rounded to four decimals.
    Json json{{"month", month.month}};
    if (firstPayment)
        json["date"] = PayoffMonthIso(firstPayment, month.month);
    json["payment"] = AmountJson(month.payment, MonthCellText(month, kPaymentColumn));
    json["interest"] =
        AmountJson(Currency::fromDouble(month.interest), MonthCellText(month, kInterestColumn));
    json["principal"] = AmountJson(month.principal, MonthCellText(month, kPrincipalColumn));
    json["balance"] = AmountJson(month.balance, MonthCellText(month, kBalanceColumn));
    json["extra"] = AmountJson(month.extra, ExtraCellText(month));
    return json;
}

// "payoffPeriod", with "payoffMonth" beside it where the plan is dated.
void AddPeriod(Json& json, const char* periodKey, const char* monthKey, std::int16_t months,
               const std::string& text, const ReportContext& context)
{
    json[periodKey] = PeriodJson(months, text);
    if (context.firstPayment) {
        const std::string month = PayoffMonthIso(context.firstPayment, months);
        json[monthKey] = month.empty() ? Json() : Json(month); // null: a plan without months
    }
}

// How long Vesk's Method ran, and what it saves over the whole loan.
void AddVeskFirstMonths(Json& json, const ReportContext& context)
{
    if (context.veskFirstMonths == 0)
        return;
    json["veskMonths"] = PeriodJson(context.veskFirstMonths);
    if (context.wholeLoanSaved)
        json["wholeLoanInterestSaved"] = DollarsJson(*context.wholeLoanSaved);
}

constexpr std::string_view kPayoffMonth = "Payoff Month";
constexpr std::string_view kVeskFirst = "Vesk's Method for the first";
constexpr std::string_view kWholeLoan = "Saved by Vesk's Method for the whole loan";

std::string VeskFirstLines(const ReportContext& context, std::size_t width)
{
    if (context.veskFirstMonths == 0)
        return {};
    std::string lines = CaptionLine(kVeskFirst, width, PeriodText(context.veskFirstMonths));
    if (context.wholeLoanSaved)
        lines += CaptionLine(kWholeLoan, width, DollarText(*context.wholeLoanSaved));
    return lines;
}

} // namespace

std::string MonthlyText(const MonthlyResults& results, const ReportContext& context)
{
    constexpr std::string_view monthly = "Vesk's Mnthly Pymnt";
    constexpr std::string_view payoff = "Payoff Period";
    constexpr std::string_view saved = "Total Amount Saved (if follow payment plan)";
    constexpr std::string_view interest = "Total Interest";
    constexpr std::string_view paid = "Total Paid";
    constexpr std::string_view minInterest = "Minimum Payment Plan Total Interest";
    constexpr std::string_view minPaid = "Minimum Payment Plan Total Paid";
    const std::size_t width = WidestCaption({monthly, payoff, saved});
    const MonthlyResultTexts texts = ResultTexts(results);
    std::string text = CaptionLine(monthly, width, texts.monthly.value_or("")) +
                       CaptionLine(payoff, width, texts.payoff) +
                       CaptionLine(saved, width, texts.amountSaved);
    if (context.firstPayment)
        text +=
            CaptionLine(kPayoffMonth, width, PayoffMonthText(context.firstPayment, results.months));
    return text + VeskFirstLines(context, width) +
           CaptionLine(interest, width, DollarText(results.totalInterest)) +
           CaptionLine(paid, width, DollarText(results.totalPaid)) +
           CaptionLine(minInterest, width, DollarText(results.minTotalInterest)) +
           CaptionLine(minPaid, width, DollarText(results.minTotalPaid));
}

std::string MonthlyJson(const MonthlyResults& results, const ReportContext& context)
{
    const MonthlyResultTexts texts = ResultTexts(results);
    Json json{{"mode", "monthly"}};
    json["firstPayment"] =
        results.firstPayment ? AmountJson(*results.firstPayment, *texts.monthly) : Json();
    AddPeriod(json, "payoffPeriod", "payoffMonth", results.months, texts.payoff, context);
    json["interestSaved"] = AmountJson(results.interestSaved, texts.amountSaved);
    json["totalInterest"] = DollarsJson(results.totalInterest);
    json["totalPaid"] = DollarsJson(results.totalPaid);
    json["minTotalInterest"] = DollarsJson(results.minTotalInterest);
    json["minTotalPaid"] = DollarsJson(results.minTotalPaid);
    AddVeskFirstMonths(json, context);
    return JsonLine(json);
}

std::string PlanText(const PaymentPlan& plan, const ReportContext& context)
{
    constexpr std::string_view payoff = "  Payoff Period";
    constexpr std::string_view payoffMonth = "  Payoff Month";
    constexpr std::string_view average = "  Aver Mnthly Pymt";
    constexpr std::string_view minPayment = "  Mnthly Pymt";
    constexpr std::string_view interest = "  Total Interest";
    constexpr std::string_view paid = "  Total Paid";
    constexpr std::string_view saved = "Amount Saved On Interest";
    // Both frames share one value column, as they stand side by side in the window.
    const std::size_t width = WidestCaption({payoff, average, minPayment, interest, paid});
    const PlanSummaryTexts summary = SummaryTexts(plan.summary);
    const auto dated = [&](std::int16_t months) {
        return context.firstPayment && months > 0
                   ? CaptionLine(payoffMonth, width, PayoffMonthText(context.firstPayment, months))
                   : std::string();
    };
    return TableText(plan, context.firstPayment) + '\n' + FrameCaption(plan.terms).text + '\n' +
           CaptionLine(payoff, width, summary.payoff) + dated(plan.summary.veskMonths) +
           CaptionLine(average, width, summary.averageMonthly) +
           CaptionLine(interest, width, summary.totalInterest) +
           CaptionLine(paid, width, summary.totalPaid) + '\n' + "Minimum Payment Plan\n" +
           CaptionLine(payoff, width, summary.minPayoff) + dated(plan.summary.minMonths) +
           CaptionLine(minPayment, width, summary.minPayment) +
           CaptionLine(interest, width, summary.minTotalInterest) +
           CaptionLine(paid, width, summary.minTotalPaid) + '\n' +
           CaptionLine(saved, saved.size(), summary.amountSaved) +
           VeskFirstLines(context, kWholeLoan.size());
}

std::string PlanJson(const PaymentPlan& plan, const ReportContext& context)
{
    const PlanCaption caption = FrameCaption(plan.terms);
    const PlanSummary& summary = plan.summary;
    const PlanSummaryTexts texts = SummaryTexts(summary);
    Json schedule = Json::array();
    for (const PlanMonth& month : plan.months)
        schedule.push_back(MonthJson(month, context.firstPayment));

    Json json{{"mode", "till_zero"},
              {"planCaption", caption.text},
              {"planAltered", caption.altered},
              {"openingBalance",
               AmountJson(plan.terms.openingBalance, PlanCellText(plan, 1, kBalanceColumn))},
              {"schedule", std::move(schedule)}};
    AddPeriod(json, "payoffPeriod", "payoffMonth", summary.veskMonths, texts.payoff, context);
    json["averagePayment"] = AmountJson(summary.averageMonthly, texts.averageMonthly);
    AddPeriod(json, "minPayoffPeriod", "minPayoffMonth", summary.minMonths, texts.minPayoff,
              context);
    json["minPayment"] = AmountJson(summary.minPayment, texts.minPayment);
    json["interestSaved"] = DollarsJson(summary.interestSaved, texts.amountSaved);
    json["totalInterest"] = DollarsJson(summary.totalInterest);
    json["totalPaid"] = DollarsJson(summary.totalPaid);
    json["minTotalInterest"] = DollarsJson(summary.minTotalInterest, texts.minTotalInterest);
    json["minTotalPaid"] = DollarsJson(summary.minTotalPaid, texts.minTotalPaid);
    AddVeskFirstMonths(json, context);
    return JsonLine(json);
}

std::string FailureJson(std::string_view mode, const CalcFailure& failure)
{
    return JsonLine(
        {{"mode", mode}, {"error", {{"title", failure.title}, {"text", failure.text}}}});
}
