// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportValues.h"

#include "Calculator.h"
#include "DisplayFormats.h"

#include <algorithm>

namespace {

constexpr std::string_view kExactAmount = "0.0000";

std::optional<CalendarMonth> PayoffMonth(const std::optional<CalendarMonth>& firstPayment,
                                         int months)
{
    return firstPayment && months > 0 ? PlanMonthDate(*firstPayment, months) : std::nullopt;
}

} // namespace

std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows,
                           const std::vector<bool>& leftAligned)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            const bool left = c < leftAligned.size() && leftAligned[c];
            line += (c == 0 ? "" : "  ") + (left ? row[c] + pad : pad + row[c]);
        }
        out += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
    }
    return out;
}

std::string CaptionLine(std::string_view caption, std::size_t captionWidth, std::string_view value)
{
    std::string line(caption);
    if (!value.empty())
        line += std::string(captionWidth - caption.size() + 2, ' ') + std::string(value);
    return line + '\n';
}

std::size_t WidestCaption(std::initializer_list<std::string_view> captions)
{
    return std::max(captions,
                    [](std::string_view a, std::string_view b) { return a.size() < b.size(); })
        .size();
}

Json AmountJson(Currency amount, const std::string& text)
{
    return {{"amount", FormatAmount(amount, kExactAmount)}, {"text", text}};
}

Json AmountJson(double amount, const std::string& text)
{
    return {{"amount", FormatAmount(amount, kExactAmount)}, {"text", text}};
}

Json DollarsJson(Currency amount)
{
    return AmountJson(amount, DollarText(amount));
}

Json DollarsJson(const std::optional<Currency>& amount, const std::string& textWithout)
{
    return amount ? DollarsJson(*amount) : Json{{"amount", nullptr}, {"text", textWithout}};
}

Json PeriodJson(std::int16_t months, const std::string& text)
{
    return {{"months", months}, {"text", text}};
}

Json PeriodJson(std::int16_t months)
{
    return PeriodJson(months, PeriodText(months));
}

std::string JsonLine(const Json& json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}

std::string PayoffMonthIso(const std::optional<CalendarMonth>& firstPayment, int months)
{
    const std::optional<CalendarMonth> month = PayoffMonth(firstPayment, months);
    return month ? month->isoText() : std::string();
}

std::string PayoffMonthText(const std::optional<CalendarMonth>& firstPayment, int months)
{
    const std::optional<CalendarMonth> month = PayoffMonth(firstPayment, months);
    return month ? month->text() : std::string();
}
