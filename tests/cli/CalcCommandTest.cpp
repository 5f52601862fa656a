// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcCommand.h"

#include "Calculator.h"
#include "PlanCsv.h"
#include "WorkedExampleArgs.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(CliCommand, MonthlyTextShowsTheWindowsResults)
{
    const CommandResult result = RunCalcCommand(WorkedExample());
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Vesk's Mnthly Pymnt                          $777.83\n"
                          "Payoff Period                                14 yrs and 11 mths\n"
                          "Total Amount Saved (if follow payment plan)  $76,873.92\n");
}

TEST(CliCommand, MonthlyJson)
{
    const CommandResult result = RunCalcCommand(WorkedExample({"--format", "json"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_EQ(result.out, R"({"mode":"monthly","firstPayment":"$777.83",)"
                          R"("payoffPeriod":"14 yrs and 11 mths","interestSaved":"$76,873.92"})"
                          "\n");
}

TEST(CliCommand, TillZeroTextListsThePlanAndTheSummary)
{
    const CommandResult result = RunCalcCommand(WorkedExample({"--till-zero"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 181u + 10u); // grid rows, then the frames and the amount saved
    EXPECT_EQ(lines[0], "Term  Monthly Payment  Interest  Principal    Balance");
    EXPECT_EQ(lines[1], std::string(47, ' ') + "100000");
    EXPECT_EQ(lines[2], "   1           777.83    625.00     152.83  99,847.17");
    EXPECT_EQ(lines[180], " 179           182.55      1.13     181.42        .00");
    const std::vector<std::string> summary(lines.begin() + 181, lines.end());
    EXPECT_EQ(summary, (std::vector<std::string>{
                           "", "Vesk's Method", "  Payoff Period     14 yrs and 11 mths",
                           "  Aver Mnthly Pymt  $977.97", "", "Minimum Payment Plan",
                           "  Payoff Period     30 yrs and 1 mth", "  Mnthly Pymt       $699.00",
                           "", "Amount Saved On Interest  $76,873.92"}));
}

TEST(CliCommand, TillZeroJsonHoldsEveryGridRow)
{
    const CommandResult result = RunCalcCommand(WorkedExample({"--till-zero", "--format", "json"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    const std::string& out = result.out;
    EXPECT_TRUE(out.starts_with(
        R"({"mode":"till_zero","planCaption":"Vesk's Method","planAltered":false,"schedule":[)"
        R"(["Term","Monthly Payment","Interest","Principal","Balance"],["","","","","100000"],)"
        R"(["1","777.83","625.00","152.83","99,847.17"],["2","778.79","624.04","154.75","99,692.42"],)"))
        << out.substr(0, 300);
    EXPECT_TRUE(out.ends_with(
        R"(["179","182.55","1.13","181.42",".00"]],"payoffPeriod":"14 yrs and 11 mths",)"
        R"("averagePayment":"$977.97","minPayoffPeriod":"30 yrs and 1 mth",)"
        R"("minPayment":"$699.00","interestSaved":"$76,873.92"})"
        "\n"));
}

struct PlanCase {
    const char* name;
    Args extra;
    const char* jsonPart; // the caption and the summary, as in the JSON object
};

void PrintTo(const PlanCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class TillZeroPlans : public testing::TestWithParam<PlanCase> {};

TEST_P(TillZeroPlans, JsonCarriesCaptionAndSummary)
{
    Args args = WorkedExample(GetParam().extra);
    args.insert(args.end(), {"--format", "json"});
    const CommandResult result = RunCalcCommand(args);
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_NE(result.out.find(GetParam().jsonPart), std::string::npos) << result.out.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, TillZeroPlans,
    testing::Values(
        PlanCase{"Maximum1000",
                 {"--maximum", "1000"},
                 R"("planCaption":"Vesk's Method   **altered**","planAltered":true,)"},
        PlanCase{"Maximum1000Summary",
                 {"--maximum", "1000"},
                 R"("payoffPeriod":"16 yrs and 1 mth","averagePayment":"$919.14",)"
                 R"("minPayoffPeriod":"30 yrs and 1 mth","minPayment":"$699.00",)"
                 R"("interestSaved":"$74,536.84"})"},
        PlanCase{"Fixed699",
                 {"--fixed", "699"},
                 R"("payoffPeriod":"30 yrs and 1 mth","averagePayment":"$697.87",)"
                 R"("minPayoffPeriod":"30 yrs and 1 mth","minPayment":"$699.00",)"
                 R"("interestSaved":"$.00"})"},
        PlanCase{"Fixed650Caption",
                 {"--fixed", "650"},
                 R"("planCaption":"Your Payment Plan","planAltered":true,)"},
        PlanCase{"Fixed650SavesLess", {"--fixed", "650"}, R"("payoffPeriod":"43 yrs and 7 mths",)"},
        PlanCase{"Fixed650Negative", {"--fixed", "650"}, R"("interestSaved":"-$87,969.11"})"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CliCommand, CsvIsThePlanAsTheEngineWritesIt)
{
    const CommandResult result =
        RunCalcCommand(WorkedExample({"--maximum", "1000", "--format", "csv"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_EQ(result.err, "");

    CalculatorInputs in{"100000", "7.5", "699", "1000", true, 1, 0, true};
    LoadCalcState(in);
    EXPECT_EQ(result.out, PlanCsv(LoadPaymentPlan()));
    EXPECT_TRUE(result.out.starts_with("Term,Monthly Payment,Interest,Principal,Balance\r\n"
                                       "1,777.83,625.00,152.83,99847.17\r\n"));
    EXPECT_EQ(Lines(result.out).size(), 1u + 193u); // header, then the months only
}

struct FailureCase {
    const char* name;
    Args args;
    const char* err;  // text formats: the message on stderr
    const char* json; // json: the object on stdout
};

void PrintTo(const FailureCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class CalculationFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(CalculationFailures, ShowTheWindowsMessage)
{
    const CommandResult text = RunCalcCommand(GetParam().args);
    EXPECT_EQ(text.exitStatus, ExitCalculationFailed);
    EXPECT_EQ(text.out, "");
    EXPECT_EQ(text.err, GetParam().err);

    Args jsonArgs = GetParam().args;
    jsonArgs.insert(jsonArgs.end(), {"--format", "json"});
    const CommandResult json = RunCalcCommand(jsonArgs);
    EXPECT_EQ(json.exitStatus, ExitCalculationFailed);
    EXPECT_EQ(json.out, GetParam().json);
    EXPECT_EQ(json.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CalculationFailures,
    testing::Values(
        FailureCase{"NotANumber",
                    {"--balance", "12abc", "--rate", "7.5", "--payment", "699"},
                    "You have entered an invalid variable.\n",
                    R"({"mode":"monthly","error":{"title":"Error: Invalid Number",)"
                    R"("text":"You have entered an invalid variable."}})"
                    "\n"},
        // The Calculate command loads the state before the plan window opens,
        // so its own message applies in till-zero mode too.
        FailureCase{"NotANumberTillZero",
                    {"--balance", "12abc", "--rate", "7.5", "--payment", "699", "--till-zero"},
                    "You have entered an invalid variable.\n",
                    R"({"mode":"till_zero","error":{"title":"Error: Invalid Number",)"
                    R"("text":"You have entered an invalid variable."}})"
                    "\n"},
        FailureCase{"ScheduledPlanGrows",
                    {"--balance", "100000", "--rate", "12", "--payment", "900"},
                    "You have entered an invalid variable.\n",
                    R"({"mode":"monthly","error":{"title":"Error: Invalid Number",)"
                    R"("text":"You have entered an invalid variable."}})"
                    "\n"},
        FailureCase{"MinimumPlanOverflowsInThePlanWindow",
                    {"--balance", "100000", "--rate", "12", "--payment", "900", "--till-zero"},
                    "Error Number 6 Overflow\n",
                    R"({"mode":"till_zero","error":{"title":"An Error Has Occurred",)"
                    R"("text":"Error Number 6 Overflow"}})"
                    "\n"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CliCommand, RefusedInputsGiveOnePlainLineInEveryFormat)
{
    for (const char* format : {"text", "json", "csv"}) {
        const CommandResult result =
            RunCalcCommand({"--balance", "100000", "--rate", "7.5", "--payment", "699", "--maximum",
                            "5", "--format", format});
        EXPECT_EQ(result.exitStatus, ExitRefused) << format;
        EXPECT_EQ(result.out, "") << format;
        EXPECT_EQ(result.err, "vesk-calc: Maximum must be at least 15 (--maximum)\n") << format;
    }
}

TEST(CliCommand, UsageErrorsGiveAHint)
{
    const CommandResult result = RunCalcCommand({"--balance", "1", "--rate", "2"});
    EXPECT_EQ(result.exitStatus, ExitRefused);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("vesk-calc: missing required option --payment\nUsage: "))
        << result.err;
    EXPECT_NE(result.err.find("--help"), std::string::npos);
}

TEST(CliCommand, HelpGoesToStdout)
{
    const CommandResult result = RunCalcCommand({"--help"});
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_TRUE(result.out.starts_with("Usage: vesk-calc --balance TEXT"));
    EXPECT_EQ(result.err, "");
}

} // namespace
