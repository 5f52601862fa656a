// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct PlanTerms;

// The computations behind the main window and the payment plan window,
// free of any window so that the command-line tool and the tests share them.

// What the main window's fields and options hold.
struct CalculatorInputs {
    std::string balance;
    std::string rate;
    std::string payment;
    std::string maximum;
    bool tillZero = false;       // "Payments Till Zero" selected
    int chkMaxMonthly = 0;       // 0 or 1
    int chkDisableVesk = 0;      // 0 or 1
    bool maximumEnabled = false; // txtMaximum enabled
    // Vesk's Method for the first this many months only, then the scheduled
    // payment alone (What If, vesk-calc); 0 for the whole loan.
    std::int16_t veskFirstMonths = 0;
};

// The least cap or fixed payment the calculator takes.
inline constexpr Currency kLeastLimit = Currency::fromRaw(15 * Currency::kScale);

// The inputs a refusal can name; Maximum is txtMaximum in both its meanings.
enum class InputField { None, Balance, Rate, Payment, Maximum };

// How the window's reasons and vesk-calc's options name each input, so that
// the two cannot drift apart.
struct InputFieldName {
    InputField field = InputField::None;
    bool fixed = false;       // txtMaximum holding a fixed payment ("Disable Vesk Method")
    std::string_view caption; // "Payment", as in "Payment must be greater than 0"
    std::string_view option;  // "--payment"
};
inline constexpr std::array<InputFieldName, 5> kInputFieldNames = {{
    {InputField::Balance, false, "Balance", "--balance"},
    {InputField::Rate, false, "Interest rate", "--rate"},
    {InputField::Payment, false, "Payment", "--payment"},
    {InputField::Maximum, false, "Maximum", "--maximum"},
    {InputField::Maximum, true, "Fixed payment", "--fixed"},
}};
// The names of field; fixed tells which of its meanings txtMaximum has. An
// empty caption and option for None.
const InputFieldName& NameOf(InputField field, bool fixed = false);

// Whether Calculate is enabled, whether the focus moves to the payment box,
// and why the inputs are refused: the input at fault and a short sentence
// naming it ("Payment must be greater than 0"); None and empty when enabled.
struct EnableDecision {
    bool enabled = false;
    bool focusPayment = false;
    InputField field = InputField::None;
    std::string reason;
    friend bool operator==(const EnableDecision&, const EnableDecision&) = default;
};
EnableDecision EnablingRule(const CalculatorInputs& in);

// The Calculate command's message on any error.
inline constexpr std::string_view kInvalidVariableText = "You have entered an invalid variable.";
inline constexpr std::string_view kInvalidVariableTitle = "Error: Invalid Number";
// The payment plan load's message title; its text is PlanErrorText().
inline constexpr std::string_view kPlanErrorTitle = "An Error Has Occurred";
std::string PlanErrorText(int number, const std::string& description);

// Resets and loads CalcState from the fields, rates divided by 100. Throws RuntimeError.
void LoadCalcState(const CalculatorInputs& in);
// Loads CalcState with a plan's terms, just as LoadCalcState does with the
// fields that were read into them.
void LoadCalcState(const PlanTerms& terms);

// "Monthly Payment": runs both plans over CalcState to their end.
struct MonthlyResults {
    std::optional<Currency> firstPayment; // none when the accelerated plan ran no month
    std::int16_t months = 0;              // the accelerated plan's payoff period
    Currency interestSaved;
    // Both plans' interest, and what each pays in all: the opening balance
    // and its interest.
    Currency totalInterest;
    Currency totalPaid;
    Currency minTotalInterest;
    Currency minTotalPaid;
};
// Throws RuntimeError; the scheduled plan is bounded at 32,767 months.
MonthlyResults RunMonthlyPayment();

// What the main window's result labels show. lblMonthly has no text when
// the accelerated plan ran no month (the label keeps what it had).
struct MonthlyResultTexts {
    std::optional<std::string> monthly;
    std::string payoff;
    std::string amountSaved;
};
MonthlyResultTexts ResultTexts(const MonthlyResults& results);

// PayoffPeriodText of a month count, which it leaves as it is.
std::string PeriodText(std::int16_t months);
