// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCsv.h"

#include "PlanTexts.h"

#include <string_view>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

std::string PlanCsv(const PaymentPlan& plan)
{
    std::string csv;
    for (const std::string_view header : kPlanHeader) {
        csv.append(csv.empty() ? "" : ",").append(header);
    }
    csv += kLineEnd;
    for (const PlanMonth& month : plan.months) {
        for (int column = 0; column < kPlanColumns; ++column) {
            csv.append(column == 0 ? "" : ",").append(PlainMonthCellText(month, column));
        }
        csv += kLineEnd;
    }
    return csv;
}
