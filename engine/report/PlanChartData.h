// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

#include <string>
#include <vector>

struct PaymentPlan;

// One plan month by month, as the chart draws it. Index m is the state after
// month m; index 0 is the opening.
struct PlanCurve {
    std::string name;                   // the legend's text
    std::vector<Currency> balance;      // the balance left
    std::vector<Currency> interestPaid; // the interest paid so far
    std::string period;                 // the payoff period, "14 yrs and 11 mths"

    // The payoff month: the plan's last month (0 for a plan that has none).
    int months() const { return balance.empty() ? 0 : static_cast<int>(balance.size()) - 1; }
};

// Everything the payment plan chart shows: the plan the window lists and the
// scheduled-payment plan it is compared with.
struct PlanChartData {
    PlanCurve plan;
    PlanCurve scheduled;       // no months when there is none to report
    bool hasScheduled = false; // a scheduled payment above 0 that ran at least one month
    std::string interestSaved; // as the plan window shows it: "$76,873.92", "no minimum"
    // The chart's own words for it, never a negative saving: "Interest saved:
    // $76,873.92", "Interest paid more: $87,969.11", "Interest saved: no minimum".
    std::string interestComparison;
};

// The plan's curves from its months; the scheduled plan run again from the
// plan's terms on a record of its own, so CalcState is not touched.
PlanChartData PlanChartDataFrom(const PaymentPlan& plan);
