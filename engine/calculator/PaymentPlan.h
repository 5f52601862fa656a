// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "Payments Till Zero": the accelerated plan month by month and its
// comparison with the scheduled plan, held as numbers. The functions below
// make the texts the payment plan window shows, where they are shown.

// The loan the plan was worked out for, as the Calculate command loaded it.
struct PlanTerms {
    Currency openingBalance;
    double veskRate = 0; // yearly, as a fraction
    double minRate = 0;
    Currency scheduledPayment;
    Currency maxMonthly;   // 0: no cap
    Currency fixedMonthly; // 0: no fixed payment
};

// One month of the accelerated plan.
struct PlanMonth {
    std::int16_t month = 0;
    Currency payment;    // the total paid this month
    double interest = 0; // this month's interest, unrounded
    Currency principal;  // principal repaid this month
    Currency balance;    // the balance after this month
};

// The comparison of both plans below the grid.
struct PlanSummary {
    std::int16_t veskMonths = 0;
    std::int16_t minMonths = 0;            // 0: the scheduled plan ran no month
    std::optional<Currency> interestSaved; // none when the scheduled plan had no interest
    double averageMonthly = 0;             // what the accelerated plan pays in all, per month
    Currency minPayment;                   // the scheduled plan's monthly payment
};

struct PaymentPlan {
    PlanTerms terms;
    std::vector<PlanMonth> months;
    PlanSummary summary;
};

// Builds the plan from CalcState as LoadCalcState left it. Throws
// RuntimeError (the window reports it with PlanErrorText).
PaymentPlan LoadPaymentPlan();

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
std::size_t PlanGridRows(const PaymentPlan& plan);
// The text of a grid cell; empty outside the grid.
std::string PlanCellText(const PaymentPlan& plan, std::size_t row, int column);
// A month's cell in its column's display pattern (the month number in the Term column).
std::string MonthCellText(const PlanMonth& month, int column);
// The same cells as plain numbers, for spreadsheets and the clipboard: amounts
// rounded to cents as the grid shows them, without grouping, with "." before
// the decimals and a zero before a bare point (99847.17, 0.45, -1234.50).
std::string PlainCellText(const PaymentPlan& plan, std::size_t row, int column);
std::string PlainMonthCellText(const PlanMonth& month, int column);

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
};
PlanSummaryTexts SummaryTexts(const PlanSummary& summary);
