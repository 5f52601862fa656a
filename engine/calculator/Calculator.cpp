// SPDX-License-Identifier: GPL-3.0-or-later
#include "Calculator.h"

#include "CheckedMath.h"
#include "Currency.h"
#include "DisplayFormats.h"
#include "RuntimeError.h"
#include "TextConversions.h"
#include "modDeclarations.h"

#include <cstdint>

namespace {

// A text counts as blank when it is empty or exactly one blank.
bool isBlank(const std::string& text)
{
    return text.empty() || text == " ";
}

Currency lenientAmount(const std::string& text)
{
    return Currency::fromDouble(LenientValue(text));
}

const Currency kZero;
const Currency kMinimumMaximum = Currency::fromUnits(15);

} // namespace

EnableDecision EnablingRule(const CalculatorInputs& in)
{
    constexpr EnableDecision disable{false, false};
    try {
        // All four values are read before any test, so an out-of-range figure
        // in any box disables the command.
        const Currency balance = lenientAmount(in.balance);
        const double rate = LenientValue(in.rate);
        const Currency maximum = lenientAmount(in.maximum);
        const Currency payment = lenientAmount(in.payment);

        if (isBlank(in.balance) || isBlank(in.rate) || isBlank(in.payment)) {
            return disable;
        }
        const bool capped = in.chkMaxMonthly == 1;
        const bool fixed = in.chkDisableVesk == 1;
        if (capped && isBlank(in.maximum)) {
            return disable;
        }
        if ((fixed || capped) && maximum < kMinimumMaximum) {
            return disable;
        }
        if (capped && payment <= kZero) {
            return {false, true};
        }
        if (!in.maximumEnabled && rate == 0 && payment == kZero) {
            return disable;
        }
        if (!fixed && in.maximumEnabled && rate == 0 && payment == kZero) {
            return disable;
        }
        if (!in.maximumEnabled && payment <= kZero) {
            return disable;
        }
        return {balance > kZero, false};
    } catch (const RuntimeError&) {
        return disable;
    }
}

std::string PlanErrorText(int number, const std::string& description)
{
    return "Error Number " + std::to_string(number) + " " + description;
}

void LoadCalcState(const CalculatorInputs& in)
{
    CalcRecord& s = CalcState;
    s.MinTotalInterest = Currency();
    s.VeskTotalInterest = Currency();
    s.MaxMonthly = Currency();
    s.FixedMonthly = Currency();
    s.VeskBalance = TextToCurrency(in.balance);
    s.MinBalance = TextToCurrency(in.balance);
    s.VeskRate = TextToDouble(in.rate);
    s.MinRate = TextToDouble(in.rate);
    s.VeskScheduled = TextToCurrency(in.payment);
    s.MinPayment = TextToCurrency(in.payment);
    if (in.maximumEnabled) {
        if (in.chkMaxMonthly == 1) {
            s.MaxMonthly = TextToCurrency(in.maximum);
        } else {
            s.FixedMonthly = TextToCurrency(in.maximum);
        }
    }
    s.VeskRate = Divide(s.VeskRate, 100);
    s.MinRate = Divide(s.MinRate, 100);
}

MonthlyResults RunMonthlyPayment()
{
    CalcRecord& s = CalcState;
    MonthlyResults results;
    std::int16_t months = 0;
    while (s.VeskBalance > kZero) {
        IncrementMonths(months);
        StepVeskMonth();
        if (months == 1) {
            results.firstPayment = s.VeskMonthly;
        }
    }
    // The scheduled plan can stand still for ever (a payment equal to the
    // interest), so it is bounded like the accelerated one.
    std::int16_t scheduledMonths = 0;
    while (s.MinBalance > kZero) {
        IncrementMonths(scheduledMonths);
        StepMinMonth();
    }
    results.months = months;
    results.interestSaved = s.MinTotalInterest - s.VeskTotalInterest;
    return results;
}

MonthlyResultTexts ResultTexts(const MonthlyResults& results)
{
    MonthlyResultTexts texts;
    if (results.firstPayment) {
        texts.monthly = FormatAmount(*results.firstPayment, kDollarPattern);
    }
    texts.payoff = PeriodText(results.months);
    texts.amountSaved = FormatAmount(results.interestSaved, kDollarPattern);
    return texts;
}

std::string PeriodText(std::int16_t months)
{
    return PayoffPeriodText(months); // changes only this copy
}
