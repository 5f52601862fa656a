// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcReport.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase {
    const char* name;
    std::string text;
    std::string literal;
};

void PrintTo(const EscapeCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class JsonEscaping : public testing::TestWithParam<EscapeCase> {};

TEST_P(JsonEscaping, ProducesAValidLiteral)
{
    EXPECT_EQ(JsonString(GetParam().text), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, JsonEscaping,
    testing::Values(
        EscapeCase{"Empty", "", R"("")"},
        EscapeCase{"Apostrophe", "Vesk's Method   **altered**", R"("Vesk's Method   **altered**")"},
        EscapeCase{"Quotes", R"(say "hi")", R"("say \"hi\"")"},
        EscapeCase{"Backslashes", R"(C:\Program Files\)", R"("C:\\Program Files\\")"},
        EscapeCase{"LineBreaksAndTab", "a\nb\rc\td", R"("a\nb\rc\td")"},
        EscapeCase{"BackspaceAndFormFeed", "\b\f", R"("\b\f")"},
        EscapeCase{"OtherControls", std::string("\x01\x1f", 2) + '\0', R"("\u0001\u001f\u0000")"},
        EscapeCase{"SlashAndDelete", "/ \x7f", "\"/ \x7f\""},
        EscapeCase{"Utf8", "\xc3\xa9 \xe2\x82\xac", "\"\xc3\xa9 \xe2\x82\xac\""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CliReport, MonthlyWithoutFirstPaymentGivesNull)
{
    const MonthlyResults results{std::nullopt, 0, Currency()};
    EXPECT_EQ(MonthlyJson(results),
              R"({"mode":"monthly","firstPayment":null,"payoffPeriod":"","interestSaved":"$.00"})"
              "\n");
    EXPECT_EQ(MonthlyText(results), "Vesk's Mnthly Pymnt\n"
                                    "Payoff Period\n"
                                    "Total Amount Saved (if follow payment plan)  $.00\n");
}

TEST(CliReport, PlanTableRightAlignsEveryColumn)
{
    const Currency amount = Currency::fromUnits(1200);
    PaymentPlan plan;
    plan.terms.openingBalance = amount;
    plan.terms.fixedMonthly = amount;
    plan.months = {{1, amount, 0.0, amount, Currency()}};
    plan.summary = {1, 0, std::nullopt, 1200.0, Currency()};

    EXPECT_EQ(PlanText(plan), "Term  Monthly Payment  Interest  Principal  Balance\n"
                              "                                               1200\n"
                              "   1         1,200.00       .00   1,200.00      .00\n"
                              "\n"
                              "Your Payment Plan\n"
                              "  Payoff Period     1 mth\n"
                              "  Aver Mnthly Pymt  $1,200.00\n"
                              "\n"
                              "Minimum Payment Plan\n"
                              "  Payoff Period     none to report\n"
                              "  Mnthly Pymt       $.00\n"
                              "\n"
                              "Amount Saved On Interest  no minimum\n");
}

TEST(CliReport, FailureJsonEscapesTheMessage)
{
    EXPECT_EQ(FailureJson(true, {"An Error Has Occurred", "Error Number 75 Path/File \"x\""}),
              R"({"mode":"till_zero","error":{"title":"An Error Has Occurred",)"
              R"("text":"Error Number 75 Path/File \"x\""}})"
              "\n");
}

} // namespace
