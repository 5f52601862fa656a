// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaymentPlan.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The texts the payment plan window shows for a plan: its grid's cells, the
// accelerated plan's caption and the comparison below the grid.

// The grid: a header row, the opening row (only its Balance cell, the plain
// opening balance), then one row per month.
enum PlanColumn : int {
    kTermColumn,
    kPaymentColumn,
    kInterestColumn,
    kPrincipalColumn,
    kBalanceColumn,
    kPlanColumns
};
inline constexpr std::array<std::string_view, kPlanColumns> kPlanHeader = {
    "Term", "Monthly Payment", "Interest", "Principal", "Balance"};
// Beyond the grid's columns: the extra sent on top of the scheduled payment.
inline constexpr std::string_view kExtraHeader = "Extra";
std::size_t PlanGridRows(const PaymentPlan& plan);
// The text of a grid cell; empty outside the grid.
std::string PlanCellText(const PaymentPlan& plan, std::size_t row, int column);
// A month's cell in its column's display pattern (the month number in the Term column).
std::string MonthCellText(const PlanMonth& month, int column);
// A month's extra as the payment column shows amounts ("78.83").
std::string ExtraCellText(const PlanMonth& month);
// The same cells as plain numbers, for spreadsheets and the clipboard: amounts
// rounded to cents as the grid shows them, without grouping, with "." before
// the decimals and a zero before a bare point (99847.17, 0.45, -1234.50).
std::string PlainCellText(const PaymentPlan& plan, std::size_t row, int column);
std::string PlainMonthCellText(const PlanMonth& month, int column);
// An amount as such a plain number.
std::string PlainCentsText(Currency amount);

// The split of a month's payment, for the payment cell's tooltip: "699.00
// scheduled + 78.83 extra" ("699.00 scheduled less 49.00" below it).
std::string PaymentSplitText(const PlanMonth& month, Currency scheduledPayment);

// The accelerated plan's frame caption, drawn in dark red when the method was altered.
struct PlanCaption {
    std::string text;
    bool altered = false;
};
PlanCaption FrameCaption(const PlanTerms& terms);

// The summary labels' texts.
struct PlanSummaryTexts {
    std::string payoff;         // lblPayoff
    std::string averageMonthly; // lblAverageMonthly
    std::string minPayoff;      // lblMinPayoff: the period, or "none to report"
    std::string minPayment;     // Label6
    std::string amountSaved;    // lblAmountSaved: the amount, or "no minimum"
    // Both plans' totals: the interest, and the balance with it; "none to
    // report" for a scheduled plan that ran no month.
    std::string totalInterest;
    std::string totalPaid;
    std::string minTotalInterest;
    std::string minTotalPaid;
};
PlanSummaryTexts SummaryTexts(const PlanSummary& summary);
