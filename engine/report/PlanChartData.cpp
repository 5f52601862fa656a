// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanChartData.h"

#include "Calculator.h"
#include "DisplayFormats.h"
#include "PlanTexts.h"
#include "modDeclarations.h"

#include <cstddef>

namespace {

const Currency kZero;

std::string PlanName(const PlanTerms& terms)
{
    if (terms.fixedMonthly != kZero) {
        return "Your Payment Plan (" + DollarText(terms.fixedMonthly) + ")";
    }
    std::string limits;
    if (terms.veskFirstMonths != 0) {
        limits = "first " + PeriodText(terms.veskFirstMonths);
    }
    if (terms.maxMonthly != kZero) {
        limits +=
            (limits.empty() ? "" : ", ") + std::string("at most ") + DollarText(terms.maxMonthly);
    }
    return limits.empty() ? "Vesk's Method" : "Vesk's Method (" + limits + ")";
}

void StartCurve(PlanCurve& curve, Currency openingBalance, std::size_t months)
{
    curve.balance.reserve(months + 1);
    curve.interestPaid.reserve(months + 1);
    curve.balance.push_back(openingBalance);
    curve.interestPaid.push_back(kZero);
}

// The plan as the grid lists it; its interest adds up month by month as the
// plan's own total does.
PlanCurve PlanCurveOf(const PaymentPlan& plan)
{
    PlanCurve curve;
    curve.name = PlanName(plan.terms);
    StartCurve(curve, plan.terms.openingBalance, plan.months.size());
    Currency interestPaid;
    for (const PlanMonth& month : plan.months) {
        interestPaid += Currency::fromDouble(month.interest);
        curve.balance.push_back(month.balance);
        curve.interestPaid.push_back(interestPaid);
    }
    curve.period = PeriodText(plan.summary.veskMonths);
    return curve;
}

// The scheduled plan, stepped again from the terms. It ran to the same end
// when the plan was loaded, so it cannot fail here.
PlanCurve ScheduledCurveOf(const PaymentPlan& plan)
{
    PlanCurve curve;
    CalcRecord record =
        ScheduledRecord(plan.terms.openingBalance, plan.terms.minRate, plan.terms.scheduledPayment);
    StartCurve(curve, record.MinBalance, static_cast<std::size_t>(plan.summary.minMonths));
    for (int month = 0; month < plan.summary.minMonths; ++month) {
        StepMinMonth(record);
        curve.balance.push_back(record.MinBalance);
        curve.interestPaid.push_back(record.MinTotalInterest);
    }
    curve.name = "Minimum Payment Plan (" + DollarText(record.MinPayment) + ")";
    curve.period = PeriodText(plan.summary.minMonths);
    return curve;
}

// A plan that pays more interest than the scheduled one says so, rather
// than saving a negative amount.
std::string InterestComparison(const PlanSummary& summary)
{
    if (summary.interestSaved && *summary.interestSaved < kZero) {
        // Both totals are at least 0, so their difference negates within range.
        return "Interest paid more: " + DollarText(kZero - *summary.interestSaved);
    }
    return "Interest saved: " + SummaryTexts(summary).amountSaved;
}

} // namespace

PlanChartData PlanChartDataFrom(const PaymentPlan& plan)
{
    PlanChartData data;
    data.plan = PlanCurveOf(plan);
    data.hasScheduled = plan.summary.minMonths > 0;
    if (data.hasScheduled) {
        data.scheduled = ScheduledCurveOf(plan);
    } else {
        data.scheduled.name = "Minimum Payment Plan: none to report";
    }
    data.interestSaved = SummaryTexts(plan.summary).amountSaved;
    data.interestComparison = InterestComparison(plan.summary);
    return data;
}
