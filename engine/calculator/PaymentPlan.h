// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CheckedMath.h"
#include "Currency.h"
#include "modDeclarations.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// "Payments Till Zero": the accelerated plan month by month and its
// comparison with the scheduled plan, held as numbers. PlanTexts makes the
// texts the payment plan window shows, where they are shown.

// The loan the plan was worked out for, as the Calculate command loaded it.
struct PlanTerms {
    Currency openingBalance;
    double veskRate = 0; // yearly, as a fraction
    double minRate = 0;
    Currency scheduledPayment;
    Currency maxMonthly;              // 0: no cap
    Currency fixedMonthly;            // 0: no fixed payment
    std::int16_t veskFirstMonths = 0; // Vesk's Method for these months only; 0: the whole loan
};

// One month of the accelerated plan.
struct PlanMonth {
    std::int16_t month = 0;
    Currency payment;    // the total paid this month
    double interest = 0; // this month's interest, unrounded
    Currency principal;  // principal repaid this month
    Currency balance;    // the balance after this month
    // What was sent on top of the scheduled payment: the step's extra; in the
    // last month what the shortened payment holds above the scheduled
    // payment, never below zero.
    Currency extra;
};

// The comparison of both plans below the grid, with both plans' totals.
struct PlanSummary {
    std::int16_t veskMonths = 0;
    std::int16_t minMonths = 0;               // 0: the scheduled plan ran no month
    std::optional<Currency> interestSaved;    // none when the scheduled plan had no interest
    double averageMonthly = 0;                // what the accelerated plan pays in all, per month
    Currency minPayment;                      // the scheduled plan's monthly payment
    Currency totalInterest;                   // the accelerated plan's interest
    Currency totalPaid;                       // the opening balance and that interest
    std::optional<Currency> minTotalInterest; // none when the scheduled plan ran no month
    std::optional<Currency> minTotalPaid;
};

struct PaymentPlan {
    PlanTerms terms;
    std::vector<PlanMonth> months;
    PlanSummary summary;
};

// Builds the plan from CalcState as LoadCalcState left it. Throws
// RuntimeError (the window reports it with PlanErrorText).
PaymentPlan LoadPaymentPlan();

// The steps of a plan, shared by the payment plan and by the questions asked
// of many plans at once (sweep and solve), which run on records of their own.

// A record loaded with the terms as the Calculate command loads its fields,
// and the terms a loaded record holds.
CalcRecord RecordOf(const PlanTerms& terms);
PlanTerms TermsOf(const CalcRecord& s);

// Runs the accelerated plan of s until its balance is no longer above zero,
// or until `within` months have run; the months run. Month 32,767 raises
// Overflow, as the grid has no row for it. eachMonth(s, month) follows
// every month. Throws RuntimeError.
template <typename EachMonth>
std::int16_t RunAcceleratedPlan(CalcRecord& s, EachMonth&& eachMonth, int within = INT_MAX);
// The same without looking at the months.
std::int16_t RunAcceleratedPlan(CalcRecord& s, int within = INT_MAX);

// The scheduled plan of s to its end (or `within` months), when its payment
// is above zero. Run it after the accelerated plan, as its last month reads
// that plan's balance. Throws RuntimeError.
struct ScheduledRun {
    std::int16_t months = 0; // 0: not run
    Currency totalInterest;
    Currency payment; // the scheduled payment the plan leaves
    bool paidOff = false;
};
ScheduledRun RunScheduledPlan(CalcRecord& s, int within = INT_MAX);
// A record for the scheduled plan alone: the accelerated plan counts as
// ended (its balance is 0), as the scheduled plan's last month expects.
CalcRecord ScheduledRecord(Currency balance, double rate, Currency payment);

// The summary of a plan whose accelerated plan ran veskMonths months with
// veskInterest of interest. Throws RuntimeError (no month divides by zero).
PlanSummary SummaryOf(Currency openingBalance, std::int16_t veskMonths, Currency veskInterest,
                      const ScheduledRun& scheduled);

template <typename EachMonth>
std::int16_t RunAcceleratedPlan(CalcRecord& s, EachMonth&& eachMonth, int within)
{
    std::int16_t months = 0;
    while (s.VeskBalance > Currency() && months < within) {
        IncrementMonths(months);
        StepPlanMonth(s, months);
        NextRow(months); // the grid's row number has the same 16-bit limit
        eachMonth(s, months);
    }
    return months;
}
