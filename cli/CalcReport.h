// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "PaymentPlan.h"

#include <string>
#include <string_view>

// The three ways vesk-calc writes its results. Every value is the text the
// window shows; nothing is reformatted.

// What the window's message box would show when a calculation fails.
struct CalcFailure {
    std::string title;
    std::string text;
};

// A JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// "Monthly Payment": the three results with the main window's captions.
std::string MonthlyText(const MonthlyResults& results);
std::string MonthlyJson(const MonthlyResults& results);

// "Payments Till Zero": the schedule as an aligned table, then both frames
// and the interest saved with the payment plan window's captions.
std::string PlanText(const PaymentPlan& plan);
std::string PlanJson(const PaymentPlan& plan);

// {"mode":…,"error":{"title":…,"text":…}}
std::string FailureJson(bool tillZero, const CalcFailure& failure);
