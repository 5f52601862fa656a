// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCsv.h"

#include "Calculator.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr const char* kHeaderLine = "Term,Monthly Payment,Interest,Principal,Balance\r\n";

PaymentPlan PlanWithMonths(std::vector<PlanRow> months)
{
    PaymentPlan plan;
    plan.rows.push_back(kPlanHeader);
    plan.rows.push_back({"", "", "", "", "100000"});
    for (PlanRow& month : months) {
        plan.rows.push_back(std::move(month));
    }
    return plan;
}

TEST(PlanCsvTest, HeaderThenOneLinePerMonthWithoutTheOpeningRow)
{
    const PaymentPlan plan = PlanWithMonths({
        {"1", "777.83", "625.00", "152.83", "99,847.17"},
        {"2", "778.79", "624.04", "154.75", "99,692.42"},
    });
    EXPECT_EQ(PlanCsv(plan), std::string(kHeaderLine) + "1,777.83,625.00,152.83,99847.17\r\n"
                                                        "2,778.79,624.04,154.75,99692.42\r\n");
}

TEST(PlanCsvTest, PlanWithoutMonthsGivesTheHeaderOnly)
{
    EXPECT_EQ(PlanCsv(PlanWithMonths({})), kHeaderLine);
    EXPECT_EQ(PlanCsv(PaymentPlan{}), kHeaderLine);
}

struct AmountCase {
    const char* display;
    const char* plain;
};

class PlanCsvAmountTest : public testing::TestWithParam<AmountCase> {};

TEST_P(PlanCsvAmountTest, DisplayTextBecomesAPlainNumber)
{
    const AmountCase c = GetParam();
    const PaymentPlan plan = PlanWithMonths({{"7", c.display, c.display, c.display, c.display}});
    const std::string plain = c.plain;
    EXPECT_EQ(PlanCsv(plan), std::string(kHeaderLine) + "7," + plain + "," + plain + "," + plain +
                                 "," + plain + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Amounts, PlanCsvAmountTest,
                         testing::Values(AmountCase{"99,847.17", "99847.17"},
                                         AmountCase{".45", "0.45"}, AmountCase{".00", "0.00"},
                                         AmountCase{"-1,234.50", "-1234.50"},
                                         AmountCase{"-.15", "-0.15"},
                                         AmountCase{"1,234,567,890.12", "1234567890.12"},
                                         AmountCase{"490.00", "490.00"}, AmountCase{"", ""}));

// Text that is not a display amount is kept as it is and quoted where needed,
// so that a spreadsheet still reads five fields per line.
TEST(PlanCsvTest, OtherTextIsKeptAndQuotedWhereNeeded)
{
    const PaymentPlan plan = PlanWithMonths({{"3", "1,2,3", "say \"hi\"", "a\nb", "1234,567"}});
    EXPECT_EQ(PlanCsv(plan), std::string(kHeaderLine) +
                                 "3,\"1,2,3\",\"say \"\"hi\"\"\",\"a\nb\",\"1234,567\"\r\n");
}

TEST(PlanCsvTest, RowsOverloadMatchesThePlan)
{
    const PaymentPlan plan = PlanWithMonths({{"1", "15.25", ".15", "15.10", ".00"}});
    EXPECT_EQ(PlanCsv(plan.rows), PlanCsv(plan));
    EXPECT_EQ(PlanCsv(plan), std::string(kHeaderLine) + "1,15.25,0.15,15.10,0.00\r\n");
}

} // namespace
