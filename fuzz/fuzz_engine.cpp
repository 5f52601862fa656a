// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the engine: the text conversions with their round
// trips, and a whole calculation from fuzzed field texts. A RuntimeError is
// the engine reporting bad input; anything else, a crash, a sanitizer report
// or a broken round trip is a finding.

#include "Calculator.h"
#include "DisplayFormats.h"
#include "PlanTexts.h"
#include "RuntimeError.h"
#include "TextConversions.h"
#include "modDeclarations.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckAmountTexts(Currency amount)
{
    Require(TextToCurrency(PlainText(amount)) == amount);
    // two decimals, half away from zero
    const std::int64_t rest = amount.raw() % 100;
    const std::int64_t cents = amount.raw() / 100 + (rest >= 50) - (rest <= -50);
    for (std::string_view pattern : {kPaymentPattern, kPrincipalPattern, kBalancePattern})
        Require(TextToCurrency(FormatAmount(amount, pattern)).raw() == cents * 100);
    const std::string dollars = FormatAmount(amount, kDollarPattern);
    Require(dollars.find('$') != std::string::npos);
}

void CheckConversions(const std::string& text)
{
    try {
        CheckAmountTexts(TextToCurrency(text));
    } catch (const RuntimeError&) {
    }
    try {
        const double value = TextToDouble(text);
        Require(std::isfinite(value));
        FormatAmount(value, kPaymentPattern);
    } catch (const RuntimeError&) {
    }
    try {
        const double value = LenientValue(text);
        Require(std::isfinite(value));
        FormatAmount(value, kBalancePattern);
        CheckAmountTexts(Currency::fromDouble(value));
    } catch (const RuntimeError&) {
    }
}

// Every month of the accelerated plan: payment less interest is the
// principal, and the principal is the fall of the balance.
void CheckMonths(const CalculatorInputs& in)
{
    LoadCalcState(in);
    for (int month = 0; month < 2000 && CalcState.VeskBalance > Currency(); ++month) {
        const Currency before = CalcState.VeskBalance;
        StepVeskMonth();
        const Currency principal = CalcState.VeskPrincipalPaid;
        Require(CalcState.VeskMonthly - Currency::fromDouble(CalcState.VeskMonthInterest) ==
                principal);
        Require(before - CalcState.VeskBalance == principal);
    }
}

void CheckCalculation(FuzzedDataProvider& data)
{
    CalculatorInputs in;
    const int flags = data.ConsumeIntegral<std::uint8_t>();
    in.tillZero = flags & 1;
    in.chkMaxMonthly = (flags >> 1) & 1;
    in.chkDisableVesk = (flags >> 2) & 1;
    in.maximumEnabled = (flags >> 3) & 1;
    in.balance = data.ConsumeRandomLengthString(40);
    in.rate = data.ConsumeRandomLengthString(40);
    in.payment = data.ConsumeRandomLengthString(40);
    in.maximum = data.ConsumeRemainingBytesAsString();

    // Validation never fails: an error only disables the command.
    const EnableDecision decision = EnablingRule(in);
    Require(!decision.focusPayment || !decision.enabled);

    for (const std::string* text : {&in.balance, &in.rate, &in.payment, &in.maximum})
        CheckConversions(*text);
    try {
        LoadCalcState(in);
        RunMonthlyPayment();
    } catch (const RuntimeError&) {
    }
    try {
        LoadCalcState(in);
        const PaymentPlan plan = LoadPaymentPlan();
        Require(!plan.months.empty());
        Require(plan.months.back().balance == Currency());
        Require(PlanCellText(plan, PlanGridRows(plan) - 1, 4) == ".00");
    } catch (const RuntimeError&) {
    }
    try {
        CheckMonths(in);
    } catch (const RuntimeError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    if (data.ConsumeBool())
        CheckCalculation(data);
    else
        CheckConversions(data.ConsumeRemainingBytesAsString());
    return 0;
}
