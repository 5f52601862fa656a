// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCsv.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Grid rows before the first month: the header row and the opening row.
constexpr std::size_t kFirstMonthRow = 2;

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A display text such as "-1,234.50" or ".45" as a plain number: grouping
// commas dropped, a zero put before a bare decimal point. Text that is not a
// grouped decimal number is returned unchanged.
std::string PlainNumber(const std::string_view original)
{
    std::string_view text = original;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);

    // Integer digits in groups of three after the first: "1,234,567".
    std::string digits;
    std::size_t groupLength = 0;
    bool grouped = false;
    for (const char c : whole) {
        if (IsDigit(c)) {
            digits += c;
            ++groupLength;
            if (grouped && groupLength > 3) {
                return std::string(original);
            }
        } else if (c == ',' && groupLength > 0 && groupLength <= 3 &&
                   (!grouped || groupLength == 3)) {
            grouped = true;
            groupLength = 0;
        } else {
            return std::string(original);
        }
    }
    if (grouped && groupLength != 3) {
        return std::string(original);
    }
    const bool fractionIsDigits = std::all_of(fraction.begin(), fraction.end(), IsDigit);
    if (!fractionIsDigits || (digits.empty() && fraction.empty())) {
        return std::string(original);
    }
    std::string plain;
    if (negative) {
        plain += '-';
    }
    plain += digits.empty() ? std::string_view("0") : std::string_view(digits);
    if (point != std::string_view::npos) {
        plain += '.';
        plain.append(fraction);
    }
    return plain;
}

// RFC 4180: a field holding a comma, a quote or a line break is quoted, with
// its quotes doubled.
std::string CsvField(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void AppendLine(std::string& csv, const PlanRow& fields)
{
    for (std::size_t c = 0; c < fields.size(); ++c) {
        if (c > 0) {
            csv += ',';
        }
        csv += CsvField(fields[c]);
    }
    csv += kLineEnd;
}

} // namespace

std::string PlanCsv(const std::vector<PlanRow>& rows)
{
    std::string csv;
    AppendLine(csv, kPlanHeader);
    for (std::size_t r = kFirstMonthRow; r < rows.size(); ++r) {
        PlanRow fields;
        std::transform(rows[r].begin(), rows[r].end(), fields.begin(),
                       [](const std::string& cell) { return PlainNumber(cell); });
        AppendLine(csv, fields);
    }
    return csv;
}

std::string PlanCsv(const PaymentPlan& plan)
{
    return PlanCsv(plan.rows);
}
