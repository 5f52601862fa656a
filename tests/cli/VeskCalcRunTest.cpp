// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
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
    EXPECT_TRUE(run.out.ends_with(R"("text":"-$87,969.11"}})"
                                  "\n"));
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

} // namespace
