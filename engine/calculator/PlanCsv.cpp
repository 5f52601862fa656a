// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCsv.h"

#include "DisplayFormats.h"

#include <string_view>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Every integer digit, no grouping, a zero before a bare decimal point.
constexpr std::string_view kPlainCents = "0.00";

} // namespace

std::string PlanCsv(const PaymentPlan& plan)
{
    std::string csv;
    for (const std::string_view header : kPlanHeader) {
        csv.append(csv.empty() ? "" : ",").append(header);
    }
    csv += kLineEnd;
    for (const PlanMonth& month : plan.months) {
        csv += PlainText(std::int64_t{month.month});
        for (const std::string& amount :
             {FormatAmount(month.payment, kPlainCents), FormatAmount(month.interest, kPlainCents),
              FormatAmount(month.principal, kPlainCents),
              FormatAmount(month.balance, kPlainCents)}) {
            csv.append(",").append(amount);
        }
        csv += kLineEnd;
    }
    return csv;
}
