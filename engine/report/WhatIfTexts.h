// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WhatIf.h"

#include <string>
#include <string_view>

// The texts of sweeps and solves, shared by the What If window and vesk-calc.

// What the payment is called: "Maximum Monthly Payment", "Fixed Monthly
// Payment" or "Scheduled Payment", as the windows name those inputs.
std::string_view VariedPaymentName(VariedPayment varied);

// A failed plan's message as the payment plan window shows it: "Error Number 6 Overflow".
std::string PlanErrorText(const PlanError& error);

// Why a solve has no answer: "No cap pays the loan off within 10 yrs:
// Vesk's Method without a cap takes 14 yrs and 11 mths. A fixed payment can."
std::string NoAnswerReason(VariedPayment varied, int within, const SolveResult& result);

// The next cent down, to show the answer is the least: "$1,013.72 takes 20
// yrs and 1 mth", "$14.99 fails: Error Number 6 Overflow", or why there is
// no cent below the answer.
std::string NextCentDownText(const std::optional<PlanOutcome>& next);
std::string NextCentDownText(const std::optional<ScheduledOutcome>& next);
