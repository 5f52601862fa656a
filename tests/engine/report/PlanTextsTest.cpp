// SPDX-License-Identifier: GPL-3.0-or-later
// The payment plan as the window shows it: its grid's cells, its caption and
// the comparison of both plans.

#include "PlanTexts.h"

#include "CalculatorTestSupport.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using RowTexts = std::array<std::string, kPlanColumns>;

RowTexts GridRow(const PaymentPlan& plan, std::size_t row)
{
    RowTexts texts;
    for (int column = 0; column < kPlanColumns; ++column)
        texts[static_cast<std::size_t>(column)] = PlanCellText(plan, row, column);
    return texts;
}

struct PlanCase {
    Loan loan;
    const char* caption;
    bool altered;
    std::size_t rowCount;
    std::vector<std::pair<std::size_t, RowTexts>> rows;
    const char* payoff;
    const char* average;
    const char* minPayoff;
    const char* minPayment;
    const char* saved;
};

class PlanTexts : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTexts, RowsAndSummary)
{
    const PlanCase& c = GetParam();
    LoadCalcState(InputsFor(c.loan, true));
    CalcState.VeskTotalInterest = CalcState.MinTotalInterest = Money("5"); // the load resets them
    const PaymentPlan plan = LoadPaymentPlan();
    EXPECT_EQ(FrameCaption(plan.terms).text, c.caption);
    EXPECT_EQ(FrameCaption(plan.terms).altered, c.altered);
    ASSERT_EQ(PlanGridRows(plan), c.rowCount);
    EXPECT_EQ(GridRow(plan, 0),
              (RowTexts{"Term", "Monthly Payment", "Interest", "Principal", "Balance"}));
    EXPECT_EQ(GridRow(plan, 1), (RowTexts{"", "", "", "", c.loan.balance}));
    for (const auto& [index, row] : c.rows)
        EXPECT_EQ(GridRow(plan, index), row) << "row " << index;
    for (std::size_t m = 0; m < plan.months.size(); ++m)
        ASSERT_EQ(plan.months[m].month, static_cast<std::int16_t>(m + 1));
    EXPECT_EQ(plan.months.back().balance, Currency{});
    const PlanSummaryTexts summary = SummaryTexts(plan.summary);
    EXPECT_EQ(summary.payoff, c.payoff);
    EXPECT_EQ(summary.averageMonthly, c.average);
    EXPECT_EQ(summary.minPayoff, c.minPayoff);
    EXPECT_EQ(summary.minPayment, c.minPayment);
    EXPECT_EQ(summary.amountSaved, c.saved);
}

const char* const kVesk = "Vesk's Method";
const char* const kAltered = "Vesk's Method   **altered**";
const char* const kYours = "Your Payment Plan";

INSTANTIATE_TEST_SUITE_P(
    Examples, PlanTexts,
    ::testing::Values(PlanCase{{"1200", "0", "100"},
                               kVesk,
                               false,
                               8,
                               {{2, {"1", "200.00", ".00", "200.00", "1,000.00"}},
                                {3, {"2", "200.00", ".00", "200.00", "800.00"}},
                                {4, {"3", "200.00", ".00", "200.00", "600.00"}},
                                {5, {"4", "200.00", ".00", "200.00", "400.00"}},
                                {6, {"5", "200.00", ".00", "200.00", "200.00"}},
                                {7, {"6", "200.00", ".00", "200.00", ".00"}}},
                               "6 mths",
                               "$200.00",
                               "1 yr",
                               "$100.00",
                               "no minimum"},
                      PlanCase{{"100000", "7.5", "699"},
                               kVesk,
                               false,
                               181,
                               {{2, {"1", "777.83", "625.00", "152.83", "99,847.17"}},
                                {3, {"2", "778.79", "624.04", "154.75", "99,692.42"}},
                                {180, {"179", "182.55", "1.13", "181.42", ".00"}}},
                               "14 yrs and 11 mths",
                               "$977.97",
                               "30 yrs and 1 mth",
                               "$699.00",
                               "$76,873.92"},
                      PlanCase{{"100000", "7.5", "699", "1000", 1, 0},
                               kAltered,
                               true,
                               195,
                               {{194, {"193", "302.77", "1.88", "300.89", ".00"}}},
                               "16 yrs and 1 mth",
                               "$919.14",
                               "30 yrs and 1 mth",
                               "$699.00",
                               "$74,536.84"},
                      PlanCase{{"100000", "7.5", "699", "699", 0, 1},
                               kYours,
                               true,
                               363,
                               {{2, {"1", "699.00", "625.00", "74.00", "99,926.00"}}},
                               "30 yrs and 1 mth",
                               "$697.87",
                               "30 yrs and 1 mth",
                               "$699.00",
                               "$.00"},
                      PlanCase{{"100000", "7.5", "699", "650", 0, 1},
                               kYours,
                               true,
                               525,
                               {{524, {"523", "599.96", "3.73", "596.23", ".00"}}},
                               "43 yrs and 7 mths",
                               "$649.90",
                               "30 yrs and 1 mth",
                               "$699.00",
                               "-$87,969.11"},
                      // no scheduled payment: the fixed payment alone clears the loan
                      PlanCase{{"1000", "12", "0", "500", 0, 1},
                               kYours,
                               true,
                               5,
                               {{2, {"1", "500.00", "10.00", "490.00", "510.00"}},
                                {3, {"2", "500.00", "5.10", "494.90", "15.10"}},
                                {4, {"3", "15.25", ".15", "15.10", ".00"}}},
                               "3 mths",
                               "$338.42",
                               "none to report",
                               "$.00",
                               "no minimum"}));

TEST(PlanTexts, FixedPaymentReplacesTheCapInTheCaption)
{
    LoadCalcState(InputsFor({"1200", "0", "100", "300", 1, 0}, true));
    CalcState.FixedMonthly = Money("400");
    const PaymentPlan plan = LoadPaymentPlan();
    EXPECT_EQ(FrameCaption(plan.terms).text, kYours);
    EXPECT_TRUE(FrameCaption(plan.terms).altered);
    EXPECT_EQ(GridRow(plan, 2), (RowTexts{"1", "400.00", ".00", "400.00", "800.00"}));
}

// The grid numbers its rows in 16 bits: month 32,766 has the last row.
TEST(PlanTexts, LongestPlanFillsEveryRowTheGridCanNumber)
{
    const PaymentPlan plan = WindowPlan({"3276600", "0", "100", "100", 0, 1});
    EXPECT_EQ(PlanGridRows(plan), 32768u);
    EXPECT_EQ(GridRow(plan, 32767), (RowTexts{"32766", "100.00", ".00", "100.00", ".00"}));
    EXPECT_EQ(plan.terms.openingBalance, Money("3276600"));
}

// The payment cell's tooltip splits the payment into the scheduled payment
// and the extra; a last payment below the scheduled one holds no extra.
TEST(PaymentSplitText, ScheduledAndExtra)
{
    struct Case {
        Loan loan;
        std::size_t month; // from 1; 0 for the last
        const char* split;
    };
    for (const Case& c :
         {Case{{"100000", "7.5", "699"}, 1, "699.00 scheduled + 78.83 extra"},
          Case{{"100000", "7.5", "699"}, 0, "182.55 scheduled + .00 extra"},
          Case{{"100000", "7.5", "699", "750", 1, 0}, 1, "699.00 scheduled + 51.00 extra"},
          Case{{"100000", "7.5", "699", "650", 0, 1}, 1, "699.00 scheduled less 49.00"}}) {
        const PaymentPlan plan = WindowPlan(c.loan);
        const PlanMonth& month = c.month == 0 ? plan.months.back() : plan.months[c.month - 1];
        EXPECT_EQ(PaymentSplitText(month, plan.terms.scheduledPayment), c.split);
    }
}

} // namespace
