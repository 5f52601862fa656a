// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCsv.h"

#include "CalculatorTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr const char* kHeaderLine = "Term,Monthly Payment,Interest,Principal,Balance,Extra\r\n";

TEST(PlanCsvTest, HeaderThenOneLinePerMonthWithoutTheOpeningBalance)
{
    const PaymentPlan plan = WindowPlan({"100000", "7.5", "699"});
    const std::string csv = PlanCsv(plan);
    EXPECT_TRUE(csv.starts_with(std::string(kHeaderLine) +
                                "1,777.83,625.00,152.83,99847.17,78.83\r\n"
                                "2,778.79,624.04,154.75,99692.42,79.79\r\n"))
        << csv.substr(0, 200);
    // The last payment is below the scheduled one: nothing extra.
    EXPECT_TRUE(csv.ends_with("\r\n179,182.55,1.13,181.42,0.00,0.00\r\n"));
    EXPECT_EQ(PlanCsv(PaymentPlan{}), kHeaderLine);

    // Dates follow the Term column, across the year's end.
    const std::string dated = PlanCsv(plan, CalendarMonth::of(2025, 11));
    EXPECT_TRUE(dated.starts_with("Term,Date,Monthly Payment,Interest,Principal,Balance,Extra\r\n"
                                  "1,2025-11,777.83,"))
        << dated.substr(0, 120);
    EXPECT_NE(dated.find("\r\n3,2026-01,"), std::string::npos);
    EXPECT_TRUE(dated.ends_with("\r\n179,2040-09,182.55,1.13,181.42,0.00,0.00\r\n"));
}

// Every amount as the grid rounds it, without grouping and with a zero
// before a bare decimal point.
TEST(PlanCsvTest, AmountsArePlainNumbersInCents)
{
    PaymentPlan plan;
    plan.months = {
        {7, Money("1234567890.125"), 0.45, Money("-1234.5"), Money("0"), Money("-49")},
        {8, Money("-0.15"), 0.005, Money("99999.995"), Money("0.0049"), Money("1234.005")}};
    EXPECT_EQ(PlanCsv(plan), std::string(kHeaderLine) +
                                 "7,1234567890.13,0.45,-1234.50,0.00,-49.00\r\n"
                                 "8,-0.15,0.01,100000.00,0.00,1234.01\r\n");
}

} // namespace
