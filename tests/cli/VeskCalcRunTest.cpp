// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Runs the built vesk-calc as a script would and checks status and output.

namespace {

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ShellQuoted(const std::string& arg)
{
    std::string quoted = "'";
    for (const char ch : arg)
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

ProcessResult RunVeskCalc(const std::vector<std::string>& args)
{
    char errPath[] = "/tmp/vesk-calc-stderr-XXXXXX";
    const int errFile = mkstemp(errPath);
    EXPECT_NE(errFile, -1);
    close(errFile);

    std::string command = ShellQuoted(VESK_CALC_PATH);
    for (const std::string& arg : args)
        command += ' ' + ShellQuoted(arg);
    command += " 2>" + ShellQuoted(errPath);

    ProcessResult run;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.out.append(buffer, n);
        const int waitStatus = pclose(pipe);
        run.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    }
    std::ostringstream err;
    err << std::ifstream(errPath).rdbuf();
    run.err = err.str();
    std::remove(errPath);
    return run;
}

TEST(VeskCalcRun, WorkedExample)
{
    const ProcessResult run =
        RunVeskCalc({"--balance", "100000", "--rate", "7.5", "--payment", "699"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("$777.83"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("14 yrs and 11 mths"), std::string::npos);
    EXPECT_NE(run.out.find("$76,873.92"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(VeskCalcRun, PlanAsJson)
{
    const ProcessResult run = RunVeskCalc({"--balance", "100000", "--rate", "7.5", "--payment",
                                           "699", "--fixed", "650", "--format=json"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with(R"({"mode":"till_zero","planCaption":"Your Payment Plan",)"))
        << run.out.substr(0, 200);
    EXPECT_NE(run.out.find(R"("interestSaved":{"amount":"-87969.1114","text":"-$87,969.11"})"),
              std::string::npos);
    EXPECT_TRUE(run.out.ends_with("}\n"));
}

TEST(VeskCalcRun, RefusedInputExitsWithTwo)
{
    const ProcessResult run =
        RunVeskCalc({"--balance", "abc", "--rate", "7.5", "--payment", "699"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vesk-calc: Balance must be greater than 0 (--balance)\n");
}

TEST(VeskCalcRun, CalculationErrorExitsWithOne)
{
    const ProcessResult run =
        RunVeskCalc({"--balance", "12abc", "--rate", "7.5", "--payment", "699"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "You have entered an invalid variable.\n");
}

using Json = nlohmann::json;

std::vector<std::string> WorkedExampleWith(std::vector<std::string> extra)
{
    std::vector<std::string> args{"--balance", "100000", "--rate", "7.5", "--payment", "699"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

Json JsonRun(const std::vector<std::string>& args)
{
    const ProcessResult run = RunVeskCalc(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return Json::parse(run.out);
}

double Amount(const Json& amount)
{
    return std::stod(amount["amount"].get<std::string>());
}

// The answer pays off within the time and the cent below it does not.
void ExpectLeast(const Json& solve, int within)
{
    ASSERT_FALSE(solve["value"].is_null()) << solve.dump();
    EXPECT_EQ(solve["within"]["months"], within);
    EXPECT_LE(solve["payoffPeriod"]["months"].get<int>(), within);
    const Json& next = solve["nextCentDown"];
    EXPECT_NEAR(Amount(next["value"]), Amount(solve["value"]) - 0.01, 1e-9);
    EXPECT_GT(next["payoffPeriod"]["months"].get<int>(), within);
}

TEST(VeskCalcRun, SolveMaximumAndFixed)
{
    const Json twentyYears =
        JsonRun(WorkedExampleWith({"--solve", "maximum", "--within", "20y", "--format", "json"}));
    EXPECT_EQ(twentyYears["solveFor"], "maximum");
    ExpectLeast(twentyYears, 240);

    // Vesk's Method without a cap takes 14 yrs and 11 mths; no cap is quicker.
    const Json tenYears =
        JsonRun(WorkedExampleWith({"--solve", "maximum", "--within", "10y", "--format", "json"}));
    EXPECT_TRUE(tenYears["value"].is_null());
    EXPECT_EQ(tenYears["uncappedPayoffPeriod"]["months"], 179);
    EXPECT_NE(tenYears["reason"].get<std::string>().find("A fixed payment can"), std::string::npos);

    ExpectLeast(JsonRun(WorkedExampleWith({"--solve", "fixed", "--within", "10y", "--format",
                                           "json", "--first-payment", "2026-01"})),
                120);
}

TEST(VeskCalcRun, SolveScheduledForThirtyYears)
{
    const Json solve = JsonRun({"--balance", "100000", "--rate", "7.5", "--solve", "scheduled",
                                "--within", "30y", "--format", "json"});
    EXPECT_EQ(solve["value"]["amount"], "699.2200");
    ExpectLeast(solve, 360);
}

TEST(VeskCalcRun, SweepAsCsv)
{
    const ProcessResult run =
        RunVeskCalc(WorkedExampleWith({"--sweep", "maximum", "--from", "700", "--to", "1699",
                                       "--step", "100", "--format", "csv"}));
    EXPECT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 1u + 10u); // 700 to 1,600
    EXPECT_TRUE(rows[0].starts_with("Maximum Monthly Payment,Payoff Months,Payoff Period,"));
    // A cap of 1000, as the payment plan window shows it.
    EXPECT_TRUE(rows[4].starts_with("1000,193,16 yrs and 1 mth,")) << rows[4];
    EXPECT_NE(rows[4].find(",74536.84,919.14,"), std::string::npos) << rows[4];
}

TEST(VeskCalcRun, VeskMethodForTheFirstThreeYears)
{
    const Json monthly = JsonRun(WorkedExampleWith({"--vesk-months", "36", "--format", "json"}));
    EXPECT_EQ(monthly["veskMonths"]["months"], 36);
    EXPECT_GT(monthly["payoffPeriod"]["months"].get<int>(), 179);
    EXPECT_GT(Amount(monthly["interestSaved"]), 1000.0);
    EXPECT_EQ(monthly["wholeLoanInterestSaved"]["text"], "$76,873.92");
    EXPECT_LT(Amount(monthly["interestSaved"]), Amount(monthly["wholeLoanInterestSaved"]));
}

TEST(VeskCalcRun, DatesPastDecember9999AreRefused)
{
    const ProcessResult run = RunVeskCalc(WorkedExampleWith({"--first-payment", "9990-01"}));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vesk-calc: --first-payment 9990-01: month 179 of the plan falls after "
                       "9999-12\n");
    const ProcessResult within = RunVeskCalc(WorkedExampleWith({"--first-payment", "9985-01"}));
    EXPECT_EQ(within.status, 0) << within.err;
    EXPECT_NE(within.out.find("Payoff Month                                 Nov 9999"),
              std::string::npos)
        << within.out;
}

} // namespace
