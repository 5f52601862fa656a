// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanTexts.h"

#include "Calculator.h"
#include "DisplayFormats.h"

namespace {

const Currency kZero;

// Grid rows before the first month: the header row and the opening row.
constexpr std::size_t kFirstMonthRow = 2;

// A grid cell, the month rows written by monthText.
std::string CellText(const PaymentPlan& plan, std::size_t row, int column,
                     std::string (*monthText)(const PlanMonth&, int))
{
    if (column < 0 || column >= kPlanColumns) {
        return {};
    }
    if (row == 0) {
        return std::string(kPlanHeader[static_cast<std::size_t>(column)]);
    }
    if (row == 1) {
        return column == kBalanceColumn ? PlainText(plan.terms.openingBalance) : std::string();
    }
    if (row < PlanGridRows(plan)) {
        return monthText(plan.months[row - kFirstMonthRow], column);
    }
    return {};
}

// A month's cell with its amount in the given pattern.
std::string MonthText(const PlanMonth& month, int column, std::string_view pattern)
{
    switch (column) {
    case kTermColumn:
        return PlainText(std::int64_t{month.month});
    case kPaymentColumn:
        return FormatAmount(month.payment, pattern);
    case kInterestColumn:
        return FormatAmount(month.interest, pattern);
    case kPrincipalColumn:
        return FormatAmount(month.principal, pattern);
    case kBalanceColumn:
        return FormatAmount(month.balance, pattern);
    default:
        return {};
    }
}

// Each column's display pattern; the Term column has none.
constexpr std::array<std::string_view, kPlanColumns> kColumnPatterns = {
    "", kPaymentPattern, kPaymentPattern, kPrincipalPattern, kBalancePattern};
constexpr std::string_view kNoneToReport = "none to report";

// Every integer digit, no grouping, a zero before a bare decimal point.
constexpr std::string_view kPlainCents = "0.00";

} // namespace

std::size_t PlanGridRows(const PaymentPlan& plan)
{
    return plan.months.size() + kFirstMonthRow;
}

std::string PlanCellText(const PaymentPlan& plan, std::size_t row, int column)
{
    return CellText(plan, row, column, MonthCellText);
}

std::string MonthCellText(const PlanMonth& month, int column)
{
    if (column < 0 || column >= kPlanColumns) {
        return {};
    }
    return MonthText(month, column, kColumnPatterns[static_cast<std::size_t>(column)]);
}

std::string ExtraCellText(const PlanMonth& month)
{
    return FormatAmount(month.extra, kPaymentPattern);
}

std::string PlainCellText(const PaymentPlan& plan, std::size_t row, int column)
{
    return CellText(plan, row, column, PlainMonthCellText);
}

std::string PlainMonthCellText(const PlanMonth& month, int column)
{
    return MonthText(month, column, kPlainCents);
}

std::string PlainCentsText(Currency amount)
{
    return FormatAmount(amount, kPlainCents);
}

std::string PaymentSplitText(const PlanMonth& month, Currency scheduledPayment)
{
    const Currency scheduled = month.extra < kZero ? scheduledPayment : month.payment - month.extra;
    const std::string text = FormatAmount(scheduled, kPaymentPattern) + " scheduled";
    if (month.extra < kZero) {
        return text + " less " + FormatAmount(kZero - month.extra, kPaymentPattern);
    }
    return text + " + " + FormatAmount(month.extra, kPaymentPattern) + " extra";
}

PlanCaption FrameCaption(const PlanTerms& terms)
{
    // A fixed payment replaces the method; a cap or an early end only alters it.
    if (terms.fixedMonthly != kZero) {
        return {"Your Payment Plan", true};
    }
    if (terms.maxMonthly != kZero || terms.veskFirstMonths != 0) {
        return {"Vesk's Method   **altered**", true};
    }
    return {"Vesk's Method", false};
}

PlanSummaryTexts SummaryTexts(const PlanSummary& summary)
{
    PlanSummaryTexts texts;
    texts.payoff = PeriodText(summary.veskMonths);
    texts.averageMonthly = FormatAmount(summary.averageMonthly, kDollarPattern);
    texts.minPayoff =
        summary.minMonths == 0 ? std::string(kNoneToReport) : PeriodText(summary.minMonths);
    texts.minPayment = FormatAmount(summary.minPayment, kDollarPattern);
    texts.amountSaved = summary.interestSaved ? FormatAmount(*summary.interestSaved, kDollarPattern)
                                              : std::string("no minimum");
    texts.totalInterest = FormatAmount(summary.totalInterest, kDollarPattern);
    texts.totalPaid = FormatAmount(summary.totalPaid, kDollarPattern);
    const auto scheduledTotal = [](const std::optional<Currency>& total) {
        return total ? FormatAmount(*total, kDollarPattern) : std::string(kNoneToReport);
    };
    texts.minTotalInterest = scheduledTotal(summary.minTotalInterest);
    texts.minTotalPaid = scheduledTotal(summary.minTotalPaid);
    return texts;
}
