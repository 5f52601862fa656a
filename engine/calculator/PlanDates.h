// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A calendar month from January 1900 to December 9999: when a plan's months
// fall, given the month of its first payment.
class CalendarMonth {
public:
    // "2026-01": four digits, "-", two digits; none for any other form or
    // a month outside the range.
    static std::optional<CalendarMonth> fromText(std::string_view text);
    static std::optional<CalendarMonth> of(int year, int month);

    int year() const { return kFirstYear + index_ / 12; }
    int month() const { return index_ % 12 + 1; } // 1 to 12

    // The month `months` later; none past December 9999.
    std::optional<CalendarMonth> after(int months) const;

    std::string isoText() const; // "2041-11"
    std::string text() const;    // "Nov 2041"

    friend bool operator==(CalendarMonth, CalendarMonth) = default;

private:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 9999;
    explicit CalendarMonth(int index) : index_(index) {}
    int index_ = 0; // months since January 1900
};

// When month `month` (counted from 1) of a plan falls: month - 1 months
// after its first payment; none past December 9999.
std::optional<CalendarMonth> PlanMonthDate(CalendarMonth firstPayment, int month);
