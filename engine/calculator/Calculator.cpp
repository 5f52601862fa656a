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
            results.monthly = FormatAmount(s.VeskMonthly, kDollarPattern);
        }
    }
    // The scheduled plan can stand still for ever (a payment equal to the
    // interest), so it is bounded like the accelerated one.
    std::int16_t scheduledMonths = 0;
    while (s.MinBalance > kZero) {
        IncrementMonths(scheduledMonths);
        StepMinMonth();
    }
    results.payoff = PayoffPeriodText(months);
    results.amountSaved = FormatAmount(s.MinTotalInterest - s.VeskTotalInterest, kDollarPattern);
    return results;
}

namespace {

void setFrameCaption(PaymentPlan& plan)
{
    const CalcRecord& s = CalcState;
    if (s.MaxMonthly != kZero) {
        plan.frameCaption = "Vesk's Method   **altered**";
        plan.altered = true;
    } else {
        plan.frameCaption = "Vesk's Method";
        plan.altered = false;
    }
    if (s.FixedMonthly != kZero) {
        plan.frameCaption = "Your Payment Plan";
        plan.altered = true;
    }
}

void writeMonthRow(PlanRow& row, std::int16_t month)
{
    const CalcRecord& s = CalcState;
    row[0] = PlainText(std::int64_t{month});
    row[1] = FormatAmount(s.VeskMonthly, kPaymentPattern);
    row[2] = FormatAmount(s.VeskMonthInterest, kPaymentPattern);
    row[3] = FormatAmount(s.VeskPrincipalPaid, kPrincipalPattern);
    row[4] = FormatAmount(s.VeskBalance, kBalancePattern);
}

} // namespace

PaymentPlan LoadPaymentPlan()
{
    CalcRecord& s = CalcState;
    PaymentPlan plan;
    s.MinTotalInterest = kZero;
    s.VeskTotalInterest = kZero;
    setFrameCaption(plan);

    // The 16-bit month counter bounds a plan at 32,768 rows. Reserving that
    // up front costs only address space (pages are touched as rows are
    // written) and spares a long plan every reallocation.
    plan.rows.reserve(std::size_t{1} << 15);
    plan.rows.push_back(kPlanHeader);
    plan.rows.push_back({"", "", "", "", PlainText(s.VeskBalance)});
    std::int16_t veskMonths = 0;
    while (s.VeskBalance > kZero) {
        IncrementMonths(veskMonths);
        StepVeskMonth();
        NextRow(veskMonths); // the grid's row number has the same 16-bit limit
        writeMonthRow(plan.rows.emplace_back(), veskMonths);
    }

    std::int16_t minMonths = 0;
    if (s.MinPayment > kZero) {
        while (s.MinBalance > kZero) {
            IncrementMonths(minMonths);
            StepMinMonth();
        }
    }

    std::int16_t copy = veskMonths;
    plan.payoff = PayoffPeriodText(copy);
    copy = minMonths;
    plan.minPayoff = PayoffPeriodText(copy);
    plan.amountSaved = s.MinTotalInterest > kZero
                           ? FormatAmount(s.MinTotalInterest - s.VeskTotalInterest, kDollarPattern)
                           : std::string("no minimum");
    if (minMonths == 0) {
        plan.minPayoff = "none to report";
    }
    // What the plan pays in all: the opening balance, read back from its row, plus the interest.
    const Currency opening = TextToCurrency(plan.rows[1][kPlanColumns - 1]);
    const double total = (opening + s.VeskTotalInterest).toDouble();
    plan.averageMonthly = FormatAmount(Divide(total, veskMonths), kDollarPattern);
    plan.minPayment = FormatAmount(s.MinPayment, kDollarPattern);
    return plan;
}
