// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanDates.h"

#include <array>

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<CalendarMonth> CalendarMonth::fromText(std::string_view text)
{
    if (text.size() != 7 || text[4] != '-') {
        return std::nullopt;
    }
    int year = 0;
    int month = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 4) {
            continue;
        }
        if (!IsDigit(text[i])) {
            return std::nullopt;
        }
        int& part = i < 4 ? year : month;
        part = part * 10 + (text[i] - '0');
    }
    return of(year, month);
}

std::optional<CalendarMonth> CalendarMonth::of(int year, int month)
{
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) {
        return std::nullopt;
    }
    return CalendarMonth((year - kFirstYear) * 12 + month - 1);
}

std::optional<CalendarMonth> CalendarMonth::after(int months) const
{
    constexpr int kLastIndex = (kLastYear - kFirstYear + 1) * 12 - 1;
    if (months < 0 || months > kLastIndex - index_) {
        return std::nullopt;
    }
    return CalendarMonth(index_ + months);
}

std::string CalendarMonth::isoText() const
{
    const std::string monthDigits = std::to_string(month());
    return std::to_string(year()) + (month() < 10 ? "-0" : "-") + monthDigits;
}

std::string CalendarMonth::text() const
{
    return std::string(kMonthNames[static_cast<std::size_t>(month() - 1)]) + ' ' +
           std::to_string(year());
}

std::optional<CalendarMonth> PlanMonthDate(CalendarMonth firstPayment, int month)
{
    return month >= 1 ? firstPayment.after(month - 1) : std::nullopt;
}
