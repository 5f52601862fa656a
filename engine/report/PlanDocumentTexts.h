// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaymentPlan.h"

#include <string>
#include <vector>

// What a printed or saved plan carries besides the grid and the summary: the
// loan it was worked out for, and a file name that says which loan it is.

// The title a printed plan starts with.
inline constexpr std::string_view kPlanDocumentTitle = "Payment Plan Till You Reach Zero";
// The program a saved document names as the one that made it.
inline constexpr std::string_view kPlanDocumentCreator = "Vesk Payment 1.0";

// One input as the main window names it, and its value.
struct PlanInputText {
    std::string label;
    std::string value;
};
// The balance, the rate, the scheduled payment, the maximum or the fixed
// payment where one was set, and how long Vesk's Method runs where it stops early.
std::vector<PlanInputText> PlanInputTexts(const PlanTerms& terms);

// The yearly rate as the percentage it was typed as: 0.075 gives 7.5. Up to
// 15 significant digits, never an exponent.
std::string RatePercentText(double rate);

// "plan-100000-7.5-699", then "-max1000" or "-fixed650" and "-first36" where set. Made only
// of plain numbers, letters and "-", so it is safe on every file system.
std::string PlanFileStem(const PlanTerms& terms);
