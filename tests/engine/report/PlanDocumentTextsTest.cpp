// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanDocumentTexts.h"

#include "CalculatorTestSupport.h"
#include "PlanTexts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct InputsCase {
    Loan loan;
    std::vector<std::pair<std::string, std::string>> inputs;
    const char* stem;
    std::int16_t veskFirstMonths = 0;
};

class PlanInputs : public ::testing::TestWithParam<InputsCase> {};

TEST_P(PlanInputs, NameTheLoan)
{
    const InputsCase& c = GetParam();
    const PlanTerms terms = WindowPlan(c.loan, c.veskFirstMonths).terms;
    std::vector<std::pair<std::string, std::string>> inputs;
    for (const PlanInputText& input : PlanInputTexts(terms)) {
        inputs.emplace_back(input.label, input.value);
    }
    EXPECT_EQ(inputs, c.inputs);
    EXPECT_EQ(PlanFileStem(terms), c.stem);
}

INSTANTIATE_TEST_SUITE_P(
    Loans, PlanInputs,
    ::testing::Values(InputsCase{{"100000", "7.5", "699"},
                                 {{"Outstanding Balance", "$100,000.00"},
                                  {"Interest Rate (APR)", "7.5%"},
                                  {"Scheduled Payment", "$699.00"}},
                                 "plan-100000-7.5-699"},
                      InputsCase{{"100000", "7.5", "699", "1000", 1, 0},
                                 {{"Outstanding Balance", "$100,000.00"},
                                  {"Interest Rate (APR)", "7.5%"},
                                  {"Scheduled Payment", "$699.00"},
                                  {"Maximum Monthly Payment", "$1,000.00"}},
                                 "plan-100000-7.5-699-max1000"},
                      InputsCase{{"100000", "7.5", "699", "1000", 1, 0},
                                 {{"Outstanding Balance", "$100,000.00"},
                                  {"Interest Rate (APR)", "7.5%"},
                                  {"Scheduled Payment", "$699.00"},
                                  {"Maximum Monthly Payment", "$1,000.00"},
                                  {"Vesk's Method for the first", "3 yrs"}},
                                 "plan-100000-7.5-699-max1000-first36",
                                 36},
                      InputsCase{{"100,000.5", "6.25", "699.125", "650", 0, 1},
                                 {{"Outstanding Balance", "$100,000.50"},
                                  {"Interest Rate (APR)", "6.25%"},
                                  {"Scheduled Payment", "$699.13"},
                                  {"Fixed Monthly Payment", "$650.00"}},
                                 // typed grouping and more decimals than cents stay out of the name
                                 "plan-100000.5-6.25-699.125-fixed650"}));

TEST(RatePercentText, GivesThePercentageAsTyped)
{
    for (const auto& [typed, shown] : std::vector<std::pair<double, std::string>>{
             {7.5, "7.5"},
             {7, "7"},     // 0.07 * 100 is 7.000000000000001
             {0.1, "0.1"}, // 0.001 * 100 is 0.10000000000000001
             {0, "0"},
             {12.345678901234, "12.345678901234"},
             {0.0000001, "0.0000001"},
             {1e20, "100000000000000000000"}}) {
        EXPECT_EQ(RatePercentText(typed / 100), shown) << typed;
    }
}

// Spreadsheets and the clipboard get the grid's cells as plain numbers; the
// header and the opening row are as the grid shows them.
TEST(PlainCellText, IsTheGridRowInPlainNumbers)
{
    const PaymentPlan plan = WindowPlan({"100000", "7.5", "699"});
    std::vector<std::vector<std::string>> rows;
    for (const std::size_t row :
         {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{180}, PlanGridRows(plan)}) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = 0; column < kPlanColumns; ++column) {
            cells.push_back(PlainCellText(plan, row, column));
        }
    }
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"Term", "Monthly Payment", "Interest", "Principal", "Balance"},
                        {"", "", "", "", "100000"},
                        {"1", "777.83", "625.00", "152.83", "99847.17"},
                        {"179", "182.55", "1.13", "181.42", "0.00"},
                        {"", "", "", "", ""}})); // past the last row
}

} // namespace
