// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanChartData.h"

#include "CheckedMath.h"
#include "DisplayFormats.h"
#include "modDeclarations.h"

#include <cstdint>

namespace {

const Currency kZero;

// The steps work on CalcState; this lends it to another run and gives it
// back, also when a step throws.
class BorrowedState {
public:
    explicit BorrowedState(const CalcRecord& run) : kept_(CalcState) { CalcState = run; }
    ~BorrowedState() { CalcState = kept_; }
    BorrowedState(const BorrowedState&) = delete;
    BorrowedState& operator=(const BorrowedState&) = delete;

private:
    CalcRecord kept_;
};

std::string Dollars(Currency amount)
{
    return FormatAmount(amount, kDollarPattern);
}

std::string PeriodText(int months)
{
    auto copy = static_cast<std::int16_t>(months);
    return PayoffPeriodText(copy);
}

std::string PlanName(const CalcRecord& loaded)
{
    if (loaded.FixedMonthly != kZero) {
        return "Your Payment Plan (" + Dollars(loaded.FixedMonthly) + ")";
    }
    if (loaded.MaxMonthly != kZero) {
        return "Vesk's Method (at most " + Dollars(loaded.MaxMonthly) + ")";
    }
    return "Vesk's Method";
}

// Steps a plan while its balance is above zero, noting after each month the
// balance and the interest paid so far (both fields of CalcState).
template <typename Step>
void RunToZero(PlanCurve& curve, const Currency& balance, const Currency& interestPaid, Step step)
{
    curve.balance.push_back(balance);
    curve.interestPaid.push_back(kZero);
    std::int16_t months = 0;
    while (balance > kZero) {
        IncrementMonths(months);
        step();
        curve.balance.push_back(balance);
        curve.interestPaid.push_back(interestPaid);
    }
    curve.period = PeriodText(months);
}

} // namespace

PlanChartData PlanChartDataFrom(const CalcRecord& loaded)
{
    const BorrowedState borrowed(loaded);
    CalcRecord& s = CalcState;
    s.MinTotalInterest = kZero;
    s.VeskTotalInterest = kZero;

    PlanChartData data;
    PlanCurve& plan = data.plan;
    plan.name = PlanName(loaded);
    RunToZero(plan, s.VeskBalance, s.VeskTotalInterest, [] { StepVeskMonth(); });

    // The scheduled plan runs after the accelerated one has reached zero, as
    // in the plan window.
    PlanCurve& scheduled = data.scheduled;
    if (s.MinPayment > kZero) {
        RunToZero(scheduled, s.MinBalance, s.MinTotalInterest, [] { StepMinMonth(); });
        data.hasScheduled = scheduled.months() > 0;
    }
    if (data.hasScheduled) {
        scheduled.name = "Minimum Payment Plan (" + Dollars(s.MinPayment) + ")";
    } else {
        scheduled = PlanCurve{};
        scheduled.name = "Minimum Payment Plan: none to report";
    }
    data.interestSaved = s.MinTotalInterest > kZero
                             ? Dollars(s.MinTotalInterest - s.VeskTotalInterest)
                             : std::string("no minimum");
    return data;
}
