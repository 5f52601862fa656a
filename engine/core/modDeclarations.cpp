// SPDX-License-Identifier: GPL-3.0-or-later
#include "modDeclarations.h"

#include "CheckedMath.h"
#include "DisplayFormats.h"

CalcRecord CalcState;

namespace {
Currency amount(double x)
{
    return Currency::fromDouble(x);
}

// One month of the accelerated plan; scheduledOnly pays the scheduled
// payment alone, as a fixed payment of that amount would.
void StepVesk(CalcRecord& s, bool scheduledOnly)
{
    s.VeskYearInterest = Multiply(s.VeskBalance.toDouble(), s.VeskRate);
    s.VeskMonthInterest = Divide(s.VeskYearInterest, 12);
    // The principal share of this month's scheduled payment. It is negative
    // when the payment does not cover the interest, so that payment, interest
    // and principal always add up.
    s.VeskPrincipal = s.VeskScheduled - amount(s.VeskMonthInterest);
    // The projection takes the whole scheduled payment off together with the share.
    s.VeskNextBalance = s.VeskBalance - (s.VeskScheduled + s.VeskPrincipal);
    s.VeskYearInterest = Multiply(s.VeskNextBalance.toDouble(), s.VeskRate);
    s.VeskNextMonthInterest = Divide(s.VeskYearInterest, 12);
    s.VeskExtra = s.VeskScheduled - amount(s.VeskNextMonthInterest);
    s.VeskMonthly = s.VeskScheduled + s.VeskExtra;
    // The cap applies before the fixed payment, so a fixed payment wins.
    if (s.MaxMonthly != Currency() && s.VeskMonthly > s.MaxMonthly) {
        s.VeskMonthly = s.MaxMonthly;
        s.VeskExtra = s.MaxMonthly - s.VeskScheduled;
    }
    if (s.FixedMonthly != Currency()) {
        s.VeskMonthly = s.FixedMonthly;
        s.VeskExtra = s.FixedMonthly - s.VeskScheduled;
    }
    if (scheduledOnly) {
        s.VeskMonthly = s.VeskScheduled;
        s.VeskExtra = Currency();
    }
    s.VeskPrincipalPaid = s.VeskPrincipal + s.VeskExtra;
    s.VeskBalance = s.VeskBalance - s.VeskPrincipalPaid;
    if (s.VeskBalance < Currency()) {
        // The final payment shrinks by the overshoot.
        s.VeskMonthly = s.VeskMonthly + s.VeskBalance;
        s.VeskBalance = Currency();
        s.VeskPrincipalPaid = s.VeskMonthly - amount(s.VeskMonthInterest);
    }
    s.VeskTotalInterest = s.VeskTotalInterest + amount(s.VeskMonthInterest);
}
} // namespace

void StepVeskMonth()
{
    StepVeskMonth(CalcState);
}

void StepMinMonth()
{
    StepMinMonth(CalcState);
}

void StepVeskMonth(CalcRecord& s)
{
    StepVesk(s, false);
}

void StepPlanMonth(CalcRecord& s, std::int16_t month)
{
    StepVesk(s, s.VeskFirstMonths != 0 && month > s.VeskFirstMonths);
}

void StepMinMonth(CalcRecord& s)
{
    s.MinYearInterest = Multiply(s.MinBalance.toDouble(), s.MinRate);
    s.MinMonthInterest = Divide(s.MinYearInterest, 12);
    s.MinPrincipal = s.MinPayment - amount(s.MinMonthInterest);
    s.MinBalance = s.MinBalance - s.MinPrincipal;
    if (s.MinBalance < Currency()) {
        // The accelerated plan has already reached zero, so the scheduled
        // payment is kept as it is.
        s.MinPayment = s.MinPayment + s.VeskBalance;
        s.MinBalance = Currency();
    }
    s.MinTotalInterest = s.MinTotalInterest + amount(s.MinMonthInterest);
}

std::string PayoffPeriodText(std::int16_t& months)
{
    const auto years = static_cast<std::int64_t>(Divide(months, 12));
    std::string text;
    if (years != 0) {
        text = PlainText(years) + (years == 1 ? " yr" : " yrs");
    }
    while (months >= 12) {
        months = static_cast<std::int16_t>(months - 12);
    }
    if (months != 0) {
        if (!text.empty()) {
            text += " and ";
        }
        text += PlainText(std::int64_t{months}) + (months == 1 ? " mth" : " mths");
    }
    return text;
}
