// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaymentPlan.h"

#include "Calculator.h"
#include "CheckedMath.h"
#include "modDeclarations.h"

namespace {

const Currency kZero;

} // namespace

PaymentPlan LoadPaymentPlan()
{
    CalcRecord& s = CalcState;
    s.MinTotalInterest = kZero;
    s.VeskTotalInterest = kZero;
    PaymentPlan plan;
    plan.terms = {s.VeskBalance,   s.VeskRate,   s.MinRate,
                  s.VeskScheduled, s.MaxMonthly, s.FixedMonthly};

    // The 16-bit month counter bounds a plan at 32,767 months. Reserving
    // that up front costs only address space (pages are touched as months
    // are written) and spares a long plan every reallocation.
    plan.months.reserve(std::size_t{1} << 15);
    std::int16_t veskMonths = 0;
    while (s.VeskBalance > kZero) {
        IncrementMonths(veskMonths);
        StepVeskMonth();
        NextRow(veskMonths); // the grid's row number has the same 16-bit limit
        plan.months.push_back(
            {veskMonths, s.VeskMonthly, s.VeskMonthInterest, s.VeskPrincipalPaid, s.VeskBalance});
    }

    std::int16_t minMonths = 0;
    if (s.MinPayment > kZero) {
        while (s.MinBalance > kZero) {
            IncrementMonths(minMonths);
            StepMinMonth();
        }
    }

    PlanSummary& summary = plan.summary;
    summary.veskMonths = veskMonths;
    summary.minMonths = minMonths;
    if (s.MinTotalInterest > kZero) {
        summary.interestSaved = s.MinTotalInterest - s.VeskTotalInterest;
    }
    // What the plan pays in all: the opening balance plus the interest. A
    // plan without months divides by zero, and the window reports it.
    const double total = (plan.terms.openingBalance + s.VeskTotalInterest).toDouble();
    summary.averageMonthly = Divide(total, veskMonths);
    summary.minPayment = s.MinPayment;
    return plan;
}
