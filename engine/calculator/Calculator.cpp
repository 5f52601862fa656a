// SPDX-License-Identifier: GPL-3.0-or-later
#include "Calculator.h"

#include "CheckedMath.h"
#include "Currency.h"
#include "DisplayFormats.h"
#include "PaymentPlan.h"
#include "RuntimeError.h"
#include "TextConversions.h"
#include "modDeclarations.h"

#include <cstdint>

namespace {

// A text counts as blank when it is empty or exactly one blank.
bool IsBlank(const std::string& text)
{
    return text.empty() || text == " ";
}

Currency LenientAmount(const std::string& text)
{
    return Currency::fromDouble(LenientValue(text));
}

const Currency kZero;

// What the rule compares, read from the four boxes.
struct Values {
    Currency balance;
    double rate = 0;
    Currency maximum;
    Currency payment;
};

EnableDecision Refuse(const CalculatorInputs& in, InputField field, std::string_view what)
{
    const bool fixed = in.chkDisableVesk == 1;
    return {false, false, field,
            std::string(NameOf(field, fixed).caption) + ' ' + std::string(what)};
}

constexpr std::string_view kBlank = "must not be blank";
constexpr std::string_view kNotPositive = "must be greater than 0";

EnableDecision Decide(const CalculatorInputs& in, const Values& v)
{
    if (IsBlank(in.balance)) {
        return Refuse(in, InputField::Balance, kBlank);
    }
    if (IsBlank(in.rate)) {
        return Refuse(in, InputField::Rate, kBlank);
    }
    if (IsBlank(in.payment)) {
        return Refuse(in, InputField::Payment, kBlank);
    }
    const bool capped = in.chkMaxMonthly == 1;
    const bool fixed = in.chkDisableVesk == 1;
    if ((capped || fixed) && IsBlank(in.maximum)) {
        return Refuse(in, InputField::Maximum, kBlank);
    }
    if ((fixed || capped) && v.maximum < kLeastLimit) {
        return Refuse(in, InputField::Maximum, "must be at least 15");
    }
    if (capped && v.payment <= kZero) {
        EnableDecision decision = Refuse(in, InputField::Payment, kNotPositive);
        decision.focusPayment = true;
        return decision;
    }
    // At a rate of zero a payment of zero is refused, unless a fixed payment
    // in the enabled box pays the loan off.
    if ((!in.maximumEnabled || !fixed) && v.rate == 0 && v.payment == kZero) {
        return Refuse(in, InputField::Payment, kNotPositive);
    }
    if (!in.maximumEnabled && v.payment <= kZero) {
        return Refuse(in, InputField::Payment, kNotPositive);
    }
    if (v.balance <= kZero) {
        return Refuse(in, InputField::Balance, kNotPositive);
    }
    return {true, false, InputField::None, {}};
}

} // namespace

const InputFieldName& NameOf(InputField field, bool fixed)
{
    static constexpr InputFieldName kNone;
    for (const InputFieldName& name : kInputFieldNames) {
        if (name.field == field && (field != InputField::Maximum || name.fixed == fixed)) {
            return name;
        }
    }
    return kNone;
}

EnableDecision EnablingRule(const CalculatorInputs& in)
{
    // All four values are read before any test, so an out-of-range figure
    // in any box refuses the inputs whatever the other boxes hold.
    Values values;
    InputField reading = InputField::Balance;
    try {
        values.balance = LenientAmount(in.balance);
        reading = InputField::Rate;
        values.rate = LenientValue(in.rate);
        reading = InputField::Maximum;
        values.maximum = LenientAmount(in.maximum);
        reading = InputField::Payment;
        values.payment = LenientAmount(in.payment);
    } catch (const RuntimeError&) {
        return Refuse(in, reading, "is out of range");
    }
    return Decide(in, values);
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
    s.VeskFirstMonths = in.veskFirstMonths;
}

void LoadCalcState(const PlanTerms& terms)
{
    CalcState = RecordOf(terms);
}

MonthlyResults RunMonthlyPayment()
{
    CalcRecord& s = CalcState;
    MonthlyResults results;
    const Currency openingBalance = s.VeskBalance;
    std::int16_t months = 0;
    while (s.VeskBalance > kZero) {
        IncrementMonths(months);
        StepPlanMonth(s, months);
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
    results.totalInterest = s.VeskTotalInterest;
    results.totalPaid = openingBalance + s.VeskTotalInterest;
    results.minTotalInterest = s.MinTotalInterest;
    results.minTotalPaid = openingBalance + s.MinTotalInterest;
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
