// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"
#include "PlanDates.h"

#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pieces every report of vesk-calc is made of: aligned caption lines for
// the text, and the JSON value objects.

using Json = nlohmann::ordered_json;

// Rows of cells as text columns two blanks apart, each as wide as its widest
// cell: texts to the left where leftAligned says so (empty: none), amounts
// to the right; no blanks at a line's end.
std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows,
                           const std::vector<bool>& leftAligned = {});

// "caption  value", the value starting two columns after the widest caption.
std::string CaptionLine(std::string_view caption, std::size_t captionWidth, std::string_view value);
std::size_t WidestCaption(std::initializer_list<std::string_view> captions);

// An amount for scripts: every integer digit and all four decimals, no
// grouping ("76873.9160"), beside the text the window shows.
Json AmountJson(Currency amount, const std::string& text);
// A quotient (the average payment) rounded to four decimals the same way.
Json AmountJson(double amount, const std::string& text);
// The same with the window's dollar text ("$76,873.92").
Json DollarsJson(Currency amount);
// An optional amount: {"amount": null, "text": …} without one.
Json DollarsJson(const std::optional<Currency>& amount, const std::string& textWithout);
// {"months": 179, "text": "14 yrs and 11 mths"}
Json PeriodJson(std::int16_t months, const std::string& text);
Json PeriodJson(std::int16_t months);
// One object, one line.
std::string JsonLine(const Json& json);

// When a plan of `months` months ends, its first payment falling in
// firstPayment: "2041-11" (iso) or "Nov 2041"; empty without a first
// payment month or past December 9999.
std::string PayoffMonthIso(const std::optional<CalendarMonth>& firstPayment, int months);
std::string PayoffMonthText(const std::optional<CalendarMonth>& firstPayment, int months);
