// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's words for what the plan saves on interest.

#include "PlanChartData.h"

#include "CalculatorTestSupport.h"
#include "PaymentPlan.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct ComparisonCase {
    Loan loan;
    const char* interestSaved; // as the plan window shows it
    const char* comparison;    // as the chart says it
};

class InterestComparison : public ::testing::TestWithParam<ComparisonCase> {};

TEST_P(InterestComparison, NeverSavesANegativeAmount)
{
    const ComparisonCase& c = GetParam();
    const PlanChartData data = PlanChartDataFrom(WindowPlan(c.loan));
    EXPECT_EQ(data.interestSaved, c.interestSaved);
    EXPECT_EQ(data.interestComparison, c.comparison);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, InterestComparison,
    ::testing::Values(
        ComparisonCase{{"100000", "7.5", "699"}, "$76,873.92", "Interest saved: $76,873.92"},
        // a fixed payment below the scheduled one pays more interest
        ComparisonCase{
            {"100000", "7.5", "699", "650", 0, 1}, "-$87,969.11", "Interest paid more: $87,969.11"},
        // no scheduled plan to compare with
        ComparisonCase{
            {"1000", "12", "0", "500", 0, 1}, "no minimum", "Interest saved: no minimum"}));

} // namespace
