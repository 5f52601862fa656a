// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcArguments.h"

#include "WorkedExampleArgs.h"

#include <gtest/gtest.h>
#include <variant>

namespace {

struct GoodCase {
    const char* name;
    Args args;
    CalculatorInputs expected;
    OutputFormat format;
};

void PrintTo(const GoodCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

CalculatorInputs Inputs(std::string balance, std::string rate, std::string payment,
                        std::string maximum = {}, bool tillZero = false, int maxMonthly = 0,
                        int disableVesk = 0)
{
    return {std::move(balance), std::move(rate), std::move(payment), std::move(maximum),
            tillZero,           maxMonthly,      disableVesk,        maxMonthly + disableVesk == 1};
}

class GoodArguments : public testing::TestWithParam<GoodCase> {};

TEST_P(GoodArguments, FillTheWindowsInputs)
{
    const ParsedArguments parsed = ParseArguments(GetParam().args);
    const auto* options = std::get_if<CalcOptions>(&parsed);
    ASSERT_NE(options, nullptr) << std::get<UsageError>(parsed).message;
    const CalculatorInputs& in = options->inputs;
    const CalculatorInputs& want = GetParam().expected;
    EXPECT_EQ(in.balance, want.balance);
    EXPECT_EQ(in.rate, want.rate);
    EXPECT_EQ(in.payment, want.payment);
    EXPECT_EQ(in.maximum, want.maximum);
    EXPECT_EQ(in.tillZero, want.tillZero);
    EXPECT_EQ(in.chkMaxMonthly, want.chkMaxMonthly);
    EXPECT_EQ(in.chkDisableVesk, want.chkDisableVesk);
    EXPECT_EQ(in.maximumEnabled, want.maximumEnabled);
    EXPECT_EQ(options->format, GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, GoodArguments,
    testing::Values(
        GoodCase{"Monthly", WorkedExample(), Inputs("100000", "7.5", "699"), OutputFormat::Text},
        GoodCase{"AnyOrder",
                 {"--payment", "699", "--format", "json", "--rate", "7.5", "--balance", "100000"},
                 Inputs("100000", "7.5", "699"),
                 OutputFormat::Json},
        GoodCase{"TillZero", WorkedExample({"--till-zero"}),
                 Inputs("100000", "7.5", "699", "", true), OutputFormat::Text},
        GoodCase{"MaximumImpliesTillZero", WorkedExample({"--maximum", "1000"}),
                 Inputs("100000", "7.5", "699", "1000", true, 1, 0), OutputFormat::Text},
        GoodCase{"FixedImpliesTillZero", WorkedExample({"--fixed", "650", "--format", "csv"}),
                 Inputs("100000", "7.5", "699", "650", true, 0, 1), OutputFormat::Csv},
        GoodCase{"TextsKeptAsTyped",
                 {"--balance", " 100,000 ", "--rate", "abc", "--payment", "-699"},
                 Inputs(" 100,000 ", "abc", "-699"),
                 OutputFormat::Text},
        GoodCase{"ValueAfterEquals",
                 {"--balance=100000", "--rate=", "--payment=6=9", "--format=text"},
                 Inputs("100000", "", "6=9"),
                 OutputFormat::Text},
        GoodCase{"OptionNameAsValue",
                 {"--balance", "--rate", "--rate", "1", "--payment", "2"},
                 Inputs("--rate", "1", "2"),
                 OutputFormat::Text}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct BadCase {
    const char* name;
    Args args;
    const char* message;
};

void PrintTo(const BadCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class BadArguments : public testing::TestWithParam<BadCase> {};

TEST_P(BadArguments, AreUsageErrors)
{
    const ParsedArguments parsed = ParseArguments(GetParam().args);
    const auto* error = std::get_if<UsageError>(&parsed);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadArguments,
    testing::Values(
        BadCase{"Nothing", {}, "missing required option --balance"},
        BadCase{"NoRate", {"--balance", "1", "--payment", "2"}, "missing required option --rate"},
        BadCase{
            "NoPayment", {"--balance", "1", "--rate", "2"}, "missing required option --payment"},
        BadCase{"UnknownOption", WorkedExample({"--max", "5"}), "unknown option '--max'"},
        BadCase{"FlagWithValue", WorkedExample({"--till-zero=1"}),
                "unknown option '--till-zero=1'"},
        BadCase{"StrayText", WorkedExample({"extra"}), "unexpected argument 'extra'"},
        // control characters are escaped, so that the message stays one line
        BadCase{"ControlCharacters", WorkedExample({"--a\tb\nc\r\x01\x7f"}),
                "unknown option '--a\\tb\\nc\\r\\x01\\x7f'"},
        BadCase{"MissingValue", WorkedExample({"--maximum"}), "option --maximum needs a value"},
        BadCase{"Twice", WorkedExample({"--rate", "8"}), "option --rate given more than once"},
        BadCase{"MaximumAndFixed", WorkedExample({"--maximum", "900", "--fixed", "800"}),
                "--maximum and --fixed cannot be used together"},
        BadCase{"UnknownFormat", WorkedExample({"--format", "xml"}),
                "unknown format 'xml' (use text, json or csv)"},
        BadCase{"CsvNeedsAPlan", WorkedExample({"--format", "csv"}),
                "--format csv lists a payment plan: add --till-zero, --maximum or --fixed"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CliArguments, HelpWinsOverMissingOptions)
{
    for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"--balance", "1", "--help"}})
        EXPECT_TRUE(std::holds_alternative<HelpRequest>(ParseArguments(args)));
}

TEST(CliArguments, HelpNamesEveryOption)
{
    const std::string help = HelpText();
    for (const char* option : {"--balance", "--rate", "--payment", "--till-zero", "--maximum",
                               "--fixed", "--format", "--help", "--version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

} // namespace
