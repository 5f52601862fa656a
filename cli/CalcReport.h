// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "PaymentPlan.h"

#include <string>

// The three ways vesk-calc writes its results. The text and the JSON show
// every value as the window does; the JSON adds the exact amounts and the
// month counts beside the texts.

// What the window's message box would show when a calculation fails.
struct CalcFailure {
    std::string title;
    std::string text;
};

// "Monthly Payment": the three results with the main window's captions.
std::string MonthlyText(const MonthlyResults& results);
std::string MonthlyJson(const MonthlyResults& results);

// "Payments Till Zero": the schedule as an aligned table, then both frames
// and the interest saved with the payment plan window's captions.
std::string PlanText(const PaymentPlan& plan);
std::string PlanJson(const PaymentPlan& plan);

// {"mode":…,"error":{"title":…,"text":…}}
// Every JSON object is one line.
std::string FailureJson(bool tillZero, const CalcFailure& failure);
