// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCsv.h"

#include "PlanTexts.h"

#include <string_view>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

std::string PlanCsv(const PaymentPlan& plan, std::optional<CalendarMonth> firstPayment)
{
    std::string csv;
    for (int column = 0; column < kPlanColumns; ++column) {
        csv.append(column == 0 ? "" : ",").append(kPlanHeader[static_cast<std::size_t>(column)]);
        if (column == kTermColumn && firstPayment) {
            csv += ",Date";
        }
    }
    csv.append(",").append(kExtraHeader).append(kLineEnd);
    for (const PlanMonth& month : plan.months) {
        for (int column = 0; column < kPlanColumns; ++column) {
            csv.append(column == 0 ? "" : ",").append(PlainMonthCellText(month, column));
            if (column == kTermColumn && firstPayment) {
                const std::optional<CalendarMonth> date = PlanMonthDate(*firstPayment, month.month);
                csv.append(",").append(date ? date->isoText() : std::string());
            }
        }
        csv.append(",").append(PlainCentsText(month.extra)).append(kLineEnd);
    }
    return csv;
}
