// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcReport.h"

#include <gtest/gtest.h>

namespace {

TEST(CliReport, MonthlyWithoutFirstPaymentGivesNull)
{
    const MonthlyResults results;
    EXPECT_EQ(MonthlyJson(results),
              R"({"mode":"monthly","firstPayment":null,"payoffPeriod":{"months":0,"text":""},)"
              R"("interestSaved":{"amount":"0.0000","text":"$.00"},)"
              R"("totalInterest":{"amount":"0.0000","text":"$.00"},)"
              R"("totalPaid":{"amount":"0.0000","text":"$.00"},)"
              R"("minTotalInterest":{"amount":"0.0000","text":"$.00"},)"
              R"("minTotalPaid":{"amount":"0.0000","text":"$.00"}})"
              "\n");
    EXPECT_TRUE(
        MonthlyText(results).starts_with("Vesk's Mnthly Pymnt\n"
                                         "Payoff Period\n"
                                         "Total Amount Saved (if follow payment plan)  $.00\n"
                                         "Total Interest"));
}

// 1200 paid off in one month by a fixed payment, with no scheduled plan.
PaymentPlan OneMonthPlan()
{
    const Currency amount = Currency::fromUnits(1200);
    PaymentPlan plan;
    plan.terms.openingBalance = amount;
    plan.terms.fixedMonthly = amount;
    plan.months = {{1, amount, 0.0, amount, Currency(), amount}};
    plan.summary.veskMonths = 1;
    plan.summary.averageMonthly = 1200.0;
    plan.summary.totalPaid = amount;
    return plan;
}

TEST(CliReport, PlanTableRightAlignsEveryColumn)
{
    const PaymentPlan plan = OneMonthPlan();
    EXPECT_EQ(PlanText(plan), "Term  Monthly Payment  Interest  Principal  Balance     Extra\n"
                              "                                               1200\n"
                              "   1         1,200.00       .00   1,200.00      .00  1,200.00\n"
                              "\n"
                              "Your Payment Plan\n"
                              "  Payoff Period     1 mth\n"
                              "  Aver Mnthly Pymt  $1,200.00\n"
                              "  Total Interest    $.00\n"
                              "  Total Paid        $1,200.00\n"
                              "\n"
                              "Minimum Payment Plan\n"
                              "  Payoff Period     none to report\n"
                              "  Mnthly Pymt       $.00\n"
                              "  Total Interest    none to report\n"
                              "  Total Paid        none to report\n"
                              "\n"
                              "Amount Saved On Interest  no minimum\n");
}

TEST(CliReport, PlanJsonWithoutMinimumHasNoAmountSaved)
{
    const std::string json = PlanJson(OneMonthPlan());
    EXPECT_TRUE(json.ends_with(R"("minPayoffPeriod":{"months":0,"text":"none to report"},)"
                               R"("minPayment":{"amount":"0.0000","text":"$.00"},)"
                               R"("interestSaved":{"amount":null,"text":"no minimum"},)"
                               R"("totalInterest":{"amount":"0.0000","text":"$.00"},)"
                               R"("totalPaid":{"amount":"1200.0000","text":"$1,200.00"},)"
                               R"("minTotalInterest":{"amount":null,"text":"none to report"},)"
                               R"("minTotalPaid":{"amount":null,"text":"none to report"}})"
                               "\n"))
        << json;
}

TEST(CliReport, FailureJsonEscapesTheMessage)
{
    EXPECT_EQ(
        FailureJson("till_zero", {"An Error Has Occurred", "Error Number 75 Path/File \"x\""}),
        R"({"mode":"till_zero","error":{"title":"An Error Has Occurred",)"
        R"("text":"Error Number 75 Path/File \"x\""}})"
        "\n");
}

} // namespace
