// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

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
