// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
};

// Whether Calculate is enabled, and whether the focus moves to the payment box.
struct EnableDecision {
    bool enabled = false;
    bool focusPayment = false;
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

// "Monthly Payment": runs both plans over CalcState to their end. lblMonthly
// has no value when the accelerated plan ran no month (the label keeps its text).
struct MonthlyResults {
    std::optional<std::string> monthly;
    std::string payoff;
    std::string amountSaved;
};
// Throws RuntimeError; the scheduled plan is bounded at 32,767 months.
MonthlyResults RunMonthlyPayment();

// "Payments Till Zero": the plan the payment plan window shows, built from
// CalcState as LoadCalcState left it.
inline constexpr int kPlanColumns = 5;
using PlanRow = std::array<std::string, kPlanColumns>;
inline const PlanRow kPlanHeader = {"Term", "Monthly Payment", "Interest", "Principal", "Balance"};

struct PaymentPlan {
    std::string
        frameCaption;     // "Vesk's Method", "Vesk's Method   **altered**" or "Your Payment Plan"
    bool altered = false; // caption drawn in dark red
    std::vector<PlanRow> rows;  // header row, opening row, one row per month
    std::string payoff;         // lblPayoff
    std::string averageMonthly; // lblAverageMonthly
    std::string minPayoff;      // lblMinPayoff
    std::string minPayment;     // Label6
    std::string amountSaved;    // lblAmountSaved
};
// Throws RuntimeError (the window reports it with PlanErrorText).
PaymentPlan LoadPaymentPlan();
