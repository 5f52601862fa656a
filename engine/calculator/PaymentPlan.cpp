// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaymentPlan.h"

#include <algorithm>

namespace {

const Currency kZero;

// The extra of the month just stepped (PlanMonth::extra).
Currency ExtraOf(const CalcRecord& s)
{
    if (s.VeskBalance > kZero) {
        return s.VeskExtra;
    }
    // The last month's payment is shortened to what the balance needs.
    return std::max(kZero, s.VeskMonthly - s.VeskScheduled);
}

} // namespace

PaymentPlan LoadPaymentPlan()
{
    CalcRecord& s = CalcState;
    s.MinTotalInterest = kZero;
    s.VeskTotalInterest = kZero;
    PaymentPlan plan;
    plan.terms = TermsOf(s);

    // The 16-bit month counter bounds a plan at 32,767 months. Reserving
    // that up front costs only address space (pages are touched as months
    // are written) and spares a long plan every reallocation.
    plan.months.reserve(std::size_t{1} << 15);
    const std::int16_t veskMonths =
        RunAcceleratedPlan(s, [&plan](const CalcRecord& r, std::int16_t month) {
            plan.months.push_back({month, r.VeskMonthly, r.VeskMonthInterest, r.VeskPrincipalPaid,
                                   r.VeskBalance, ExtraOf(r)});
        });
    const ScheduledRun scheduled = RunScheduledPlan(s);
    plan.summary = SummaryOf(plan.terms.openingBalance, veskMonths, s.VeskTotalInterest, scheduled);
    return plan;
}

CalcRecord RecordOf(const PlanTerms& terms)
{
    CalcRecord s;
    s.VeskBalance = s.MinBalance = terms.openingBalance;
    s.VeskRate = terms.veskRate;
    s.MinRate = terms.minRate;
    s.VeskScheduled = s.MinPayment = terms.scheduledPayment;
    s.MaxMonthly = terms.maxMonthly;
    s.FixedMonthly = terms.fixedMonthly;
    s.VeskFirstMonths = terms.veskFirstMonths;
    return s;
}

PlanTerms TermsOf(const CalcRecord& s)
{
    return {s.VeskBalance, s.VeskRate,     s.MinRate,        s.VeskScheduled,
            s.MaxMonthly,  s.FixedMonthly, s.VeskFirstMonths};
}

std::int16_t RunAcceleratedPlan(CalcRecord& s, int within)
{
    return RunAcceleratedPlan(
        s, [](const CalcRecord&, std::int16_t) {}, within);
}

ScheduledRun RunScheduledPlan(CalcRecord& s, int within)
{
    ScheduledRun run;
    if (s.MinPayment > kZero) {
        while (s.MinBalance > kZero && run.months < within) {
            IncrementMonths(run.months);
            StepMinMonth(s);
        }
    }
    run.totalInterest = s.MinTotalInterest;
    run.payment = s.MinPayment;
    run.paidOff = !(s.MinBalance > kZero);
    return run;
}

CalcRecord ScheduledRecord(Currency balance, double rate, Currency payment)
{
    CalcRecord s;
    s.MinBalance = balance;
    s.MinRate = rate;
    s.MinPayment = payment;
    return s;
}

PlanSummary SummaryOf(Currency openingBalance, std::int16_t veskMonths, Currency veskInterest,
                      const ScheduledRun& scheduled)
{
    PlanSummary summary;
    summary.veskMonths = veskMonths;
    summary.minMonths = scheduled.months;
    if (scheduled.totalInterest > kZero) {
        summary.interestSaved = scheduled.totalInterest - veskInterest;
    }
    // What the plan pays in all: the opening balance plus the interest. A
    // plan without months divides by zero, and the window reports it.
    summary.totalInterest = veskInterest;
    summary.totalPaid = openingBalance + veskInterest;
    summary.averageMonthly = Divide(summary.totalPaid.toDouble(), veskMonths);
    summary.minPayment = scheduled.payment;
    if (scheduled.months > 0) {
        summary.minTotalInterest = scheduled.totalInterest;
        summary.minTotalPaid = openingBalance + scheduled.totalInterest;
    }
    return summary;
}
