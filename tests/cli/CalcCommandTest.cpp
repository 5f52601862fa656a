// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcCommand.h"

#include "Calculator.h"
#include "PlanCsv.h"
#include "WorkedExampleArgs.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using Json = nlohmann::ordered_json;

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
                          "Total Amount Saved (if follow payment plan)  $76,873.92\n"
                          "Total Interest                               $75,056.93\n"
                          "Total Paid                                   $175,056.93\n"
                          "Minimum Payment Plan Total Interest          $151,930.85\n"
                          "Minimum Payment Plan Total Paid              $251,930.85\n");
}

TEST(CliCommand, MonthlyJson)
{
    const CommandResult result = RunCalcCommand(WorkedExample({"--format", "json"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_EQ(result.out,
              R"({"mode":"monthly","firstPayment":{"amount":"777.8313","text":"$777.83"},)"
              R"("payoffPeriod":{"months":179,"text":"14 yrs and 11 mths"},)"
              R"("interestSaved":{"amount":"76873.9160","text":"$76,873.92"},)"
              R"("totalInterest":{"amount":"75056.9315","text":"$75,056.93"},)"
              R"("totalPaid":{"amount":"175056.9315","text":"$175,056.93"},)"
              R"("minTotalInterest":{"amount":"151930.8475","text":"$151,930.85"},)"
              R"("minTotalPaid":{"amount":"251930.8475","text":"$251,930.85"}})"
              "\n");
}

TEST(CliCommand, TillZeroTextListsThePlanAndTheSummary)
{
    const CommandResult result = RunCalcCommand(WorkedExample({"--till-zero"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 181u + 14u); // grid rows, then the frames and the amount saved
    EXPECT_EQ(lines[0], "Term  Monthly Payment  Interest  Principal    Balance   Extra");
    EXPECT_EQ(lines[1], std::string(47, ' ') + "100000");
    EXPECT_EQ(lines[2], "   1           777.83    625.00     152.83  99,847.17   78.83");
    EXPECT_EQ(lines[180], " 179           182.55      1.13     181.42        .00     .00");
    const std::vector<std::string> summary(lines.begin() + 181, lines.end());
    EXPECT_EQ(summary, (std::vector<std::string>{
                           "", "Vesk's Method", "  Payoff Period     14 yrs and 11 mths",
                           "  Aver Mnthly Pymt  $977.97", "  Total Interest    $75,056.93",
                           "  Total Paid        $175,056.93", "", "Minimum Payment Plan",
                           "  Payoff Period     30 yrs and 1 mth", "  Mnthly Pymt       $699.00",
                           "  Total Interest    $151,930.85", "  Total Paid        $251,930.85", "",
                           "Amount Saved On Interest  $76,873.92"}));
}

Json Amount(const char* exact, const char* text)
{
    return {{"amount", exact}, {"text", text}};
}

TEST(CliCommand, TillZeroJsonHoldsTheMonthsAndTheSummary)
{
    const CommandResult result = RunCalcCommand(WorkedExample({"--till-zero", "--format", "json"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    ASSERT_EQ(Lines(result.out).size(), 1u);
    const Json json = Json::parse(result.out);
    EXPECT_EQ(json["mode"], "till_zero");
    EXPECT_EQ(json["planCaption"], "Vesk's Method");
    EXPECT_EQ(json["planAltered"], false);
    EXPECT_EQ(json["openingBalance"], Amount("100000.0000", "100000"));
    const Json& schedule = json["schedule"];
    ASSERT_EQ(schedule.size(), 179u); // the months only
    EXPECT_EQ(schedule[0], (Json{{"month", 1},
                                 {"payment", Amount("777.8313", "777.83")},
                                 {"interest", Amount("625.0000", "625.00")},
                                 {"principal", Amount("152.8313", "152.83")},
                                 {"balance", Amount("99847.1687", "99,847.17")},
                                 {"extra", Amount("78.8313", "78.83")}}));
    EXPECT_EQ(schedule[178]["balance"], Amount("0.0000", ".00"));
    EXPECT_EQ(json["payoffPeriod"], (Json{{"months", 179}, {"text", "14 yrs and 11 mths"}}));
    EXPECT_EQ(json["averagePayment"]["text"], "$977.97");
    EXPECT_EQ(json["minPayoffPeriod"], (Json{{"months", 361}, {"text", "30 yrs and 1 mth"}}));
    EXPECT_EQ(json["minPayment"], Amount("699.0000", "$699.00"));
    EXPECT_EQ(json["interestSaved"], Amount("76873.9160", "$76,873.92"));
}

TEST(CliCommand, JsonAmountsKeepTheirSign)
{
    const CommandResult result = RunCalcCommand(WorkedExample({"--fixed", "650", "--format=json"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    const Json json = Json::parse(result.out);
    EXPECT_EQ(json["planCaption"], "Your Payment Plan");
    const std::string saved = json["interestSaved"]["amount"];
    EXPECT_TRUE(saved.starts_with("-87969.11") && saved.size() == 11) << saved;
    EXPECT_EQ(json["interestSaved"]["text"], "-$87,969.11");
}

TEST(CliCommand, CsvIsThePlanAsTheEngineWritesIt)
{
    const CommandResult result =
        RunCalcCommand(WorkedExample({"--maximum", "1000", "--format", "csv"}));
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_EQ(result.err, "");

    CalculatorInputs in{"100000", "7.5", "699", "1000", true, 1, 0, true};
    LoadCalcState(in);
    EXPECT_EQ(result.out, PlanCsv(LoadPaymentPlan()));
    EXPECT_TRUE(result.out.starts_with("Term,Monthly Payment,Interest,Principal,Balance,Extra\r\n"
                                       "1,777.83,625.00,152.83,99847.17,78.83\r\n"));
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

TEST(CliCommand, UsageErrorsGiveOneLineWithAHint)
{
    const CommandResult result = RunCalcCommand({"--balance", "1", "--rate", "2"});
    EXPECT_EQ(result.exitStatus, ExitRefused);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "vesk-calc: missing required option --payment (try 'vesk-calc --help')\n");
}

TEST(CliCommand, HelpGoesToStdout)
{
    const CommandResult result = RunCalcCommand({"--help"});
    EXPECT_EQ(result.exitStatus, ExitDone);
    EXPECT_TRUE(result.out.starts_with("Usage: vesk-calc --balance TEXT"));
    EXPECT_EQ(result.err, "");
}

// The line help2man reads the program, package and version from.
// Amounts stand to the right in every column of a sweep's table, the last
// one too: each row ends where the header row does.
TEST(CliCommand, SweepTextRightAlignsEveryAmountColumn)
{
    const CommandResult result = RunCalcCommand(
        WorkedExample({"--sweep", "maximum", "--from", "700", "--to", "1000", "--step", "100"}));
    ASSERT_EQ(result.exitStatus, ExitDone);
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].ends_with("Aver Mnthly Pymt"));
    for (std::size_t row = 1; row < lines.size(); ++row)
        EXPECT_EQ(lines[row].size(), lines[0].size()) << lines[row];
    EXPECT_TRUE(lines[1].ends_with("$699.01"));
}

TEST(CliCommand, VersionLine)
{
    for (const Args& args : {Args{"--version"}, Args{"--balance", "1", "--version"}}) {
        const CommandResult result = RunCalcCommand(args);
        EXPECT_EQ(result.exitStatus, ExitDone);
        EXPECT_EQ(result.out, "vesk-calc (Vesk Payment) " VESK_VERSION "\n");
        EXPECT_EQ(result.err, "");
    }
}

} // namespace
