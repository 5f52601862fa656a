// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "PaymentPlan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The questions asked of many plans of one loan at once: how the plan
// changes as one payment changes (sweep), and the least payment that clears
// the loan within a time (solve). Each plan runs on a record of its own, so
// CalcState stays as the windows left it.

// The payment that changes: the cap on Vesk's Method ("Set Maximum Monthly
// Payment"), the fixed payment ("Disable Vesk Method"), or the scheduled
// payment itself.
enum class VariedPayment { Maximum, Fixed, Scheduled };

inline constexpr Currency kCent = Currency::fromRaw(Currency::kScale / 100);
// The longest time a plan may be asked to pay off within: the plan window's months.
inline constexpr std::int16_t kLongestWithin = 32766;
inline constexpr int kMostSweepValues = 10000;

// The calculator's error a plan ends in.
struct PlanError {
    int number = 0;
    std::string description;
};

// One value's plan, summarised as the plan window would, or its error.
struct PlanOutcome {
    Currency value;
    std::optional<PlanSummary> summary; // none when the plan ends in an error
    PlanError error;
};

// The scheduled plan alone for one scheduled payment, or its error.
struct ScheduledOutcome {
    Currency value;
    std::optional<ScheduledRun> run;
    Currency totalPaid; // the balance and the plan's interest
    PlanError error;
};

// The terms with value as the payment that changes. A cap or a fixed payment
// replaces whichever of the two the terms had.
PlanTerms TermsWith(const PlanTerms& loan, VariedPayment varied, Currency value);

// One loan asked about many caps or fixed payments. Its scheduled plan does
// not depend on them, so it runs once.
class WhatIfLoan {
public:
    explicit WhatIfLoan(const PlanTerms& loan);

    const PlanTerms& terms() const { return loan_; }

    // The plan with value as the cap or the fixed payment, as the payment
    // plan window would summarise it.
    PlanOutcome outcome(VariedPayment varied, Currency value) const;
    // Whether that plan's accelerated plan is paid off within `months`; a
    // plan that fails is not. Stops after `months`.
    bool paidOffWithin(VariedPayment varied, Currency value, int months) const;
    // The highest payment Vesk's Method asks for under the terms without a
    // cap (a cap at or above it changes nothing); none when that plan fails.
    std::optional<Currency> uncappedHighestPayment() const { return uncappedHighest_; }

private:
    PlanTerms loan_;
    std::optional<ScheduledRun> scheduled_;
    PlanError scheduledError_;
    std::optional<Currency> uncappedHighest_;
};

// Values from `from` to `to` in steps of `step`.
struct SweepRange {
    Currency from;
    Currency to;
    Currency step;
};
// The payments worth drawing for a loan, in `points` whole-cent steps: from
// the scheduled payment (at least kLeastLimit) up to Vesk's Method's highest
// payment without a cap, beyond which a cap changes nothing; for a fixed
// payment at least up to twice the scheduled payment.
SweepRange PaymentsWorthShowing(const WhatIfLoan& loan, VariedPayment varied, int points);
// How many values the range holds; 0 when step is not above zero or to is below from.
std::int64_t SweepCount(const SweepRange& range);
// One outcome per value of the range (at most kMostSweepValues).
std::vector<PlanOutcome> Sweep(const WhatIfLoan& loan, VariedPayment varied,
                               const SweepRange& range);

// The least cap or fixed payment, to the cent and at least kLeastLimit,
// whose plan is paid off within `within` months.
struct SolveResult {
    std::optional<PlanOutcome> answer;
    // The plan one cent below the answer, which takes longer (or fails);
    // none when the answer is the least payment the calculator takes.
    std::optional<PlanOutcome> nextCentDown;
    // No cap can answer when Vesk's Method without one takes longer: that plan.
    std::optional<PlanOutcome> uncapped;
};
SolveResult Solve(const WhatIfLoan& loan, VariedPayment varied, int within);

// The least scheduled payment, to the cent, whose scheduled plan alone pays
// balance off within `within` months.
struct ScheduledSolveResult {
    std::optional<ScheduledOutcome> answer; // none only when no payment in the money range pays
    std::optional<ScheduledOutcome> nextCentDown; // none when the answer is one cent
};
ScheduledSolveResult SolveScheduled(Currency balance, double rate, int within);
