// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "PaymentPlan.h"
#include "PlanDates.h"

#include <optional>
#include <string>
#include <string_view>

// The three ways vesk-calc writes its results. The text and the JSON show
// every value as the window does; the JSON adds the exact amounts and the
// month counts beside the texts.

// What the window's message box would show when a calculation fails.
struct CalcFailure {
    std::string title;
    std::string text;
};

// What a report adds to the window's results: the dates of the plan's
// months, and, for Vesk's Method in its first months only, what the method
// saves over the whole loan.
struct ReportContext {
    std::optional<CalendarMonth> firstPayment;
    std::int16_t veskFirstMonths = 0;
    std::optional<Currency> wholeLoanSaved;
};

// "Monthly Payment": the three results with the main window's captions,
// then both plans' totals.
std::string MonthlyText(const MonthlyResults& results, const ReportContext& context = {});
std::string MonthlyJson(const MonthlyResults& results, const ReportContext& context = {});

// "Payments Till Zero": the schedule as an aligned table with each month's
// extra, then both frames with their totals and the interest saved with the
// payment plan window's captions.
std::string PlanText(const PaymentPlan& plan, const ReportContext& context = {});
std::string PlanJson(const PaymentPlan& plan, const ReportContext& context = {});

// {"mode":…,"error":{"title":…,"text":…}}
// Every JSON object is one line.
std::string FailureJson(std::string_view mode, const CalcFailure& failure);
