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
                "--format csv lists a payment plan: add --till-zero, --maximum or --fixed"},
        BadCase{"WithinWithoutSolve", WorkedExample({"--within", "10y"}),
                "--within goes with --solve"},
        BadCase{"UnknownSolve", WorkedExample({"--solve", "rate", "--within", "10y"}),
                "unknown --solve 'rate' (use maximum, fixed or scheduled)"},
        BadCase{"SweepOfTheScheduledPayment",
                WorkedExample({"--sweep", "scheduled", "--from", "1", "--to", "2", "--step", "1"}),
                "unknown --sweep 'scheduled' (use maximum or fixed)"},
        BadCase{"SweepWithoutStep", WorkedExample({"--sweep", "fixed", "--from", "1", "--to", "2"}),
                "--sweep needs --from, --to and --step"},
        BadCase{"SolveAndMaximum",
                WorkedExample({"--solve", "fixed", "--within", "9", "--fixed", "9"}),
                "--solve sets the payment itself: leave out --maximum, --fixed and --till-zero"},
        BadCase{"ScheduledSolveWithAPayment",
                WorkedExample({"--solve", "scheduled", "--within", "9"}),
                "--solve scheduled finds the payment: leave out --payment"},
        BadCase{"VeskMonthsWithFixed", WorkedExample({"--fixed", "900", "--vesk-months", "36"}),
                "--vesk-months cannot be used with --fixed"},
        BadCase{"VeskMonthsWithSolveFixed",
                WorkedExample({"--solve", "fixed", "--within", "9", "--vesk-months", "36"}),
                "--vesk-months cannot be used with --solve fixed"},
        BadCase{"FirstPaymentAfter9999", WorkedExample({"--first-payment", "10000-01"}),
                "--first-payment must be a month from 1900-01 to 9999-12 (YYYY-MM)"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// --within as months, years or both, within the plan window's 32,766 months.
TEST(CliArguments, WithinSpans)
{
    const char* const kRange = "--within must be 1 to 32766 months";
    const char* const kForm = "--within must be months (120), years (10y) or both (10y6m)";
    struct Case {
        const char* within;
        int months;                    // when read
        const char* message = nullptr; // when refused
    };
    for (const Case& c : {Case{"120", 120},
                          Case{"10y", 120},
                          Case{"10y6m", 126},
                          Case{"6m", 6},
                          Case{"0y1m", 1},
                          Case{"1y13m", 25},
                          Case{"2730y6m", 32766},
                          Case{"32766", 32766},
                          Case{"0", 0, kRange},
                          Case{"0y0m", 0, kRange},
                          Case{"32767", 0, kRange},
                          Case{"2730y7m", 0, kRange},
                          Case{"99999999999999y", 0, kRange},
                          Case{"", 0, kForm},
                          Case{"10y6", 0, kForm},
                          Case{"6m10y", 0, kForm},
                          Case{"-5", 0, kForm},
                          Case{"1.5y", 0, kForm},
                          Case{"10 y", 0, kForm},
                          Case{"y", 0, kForm},
                          Case{"10ym", 0, kForm},
                          Case{"ten", 0, kForm}}) {
        const ParsedArguments parsed =
            ParseArguments(WorkedExample({"--solve", "maximum", "--within", c.within}));
        if (c.message == nullptr) {
            const auto* options = std::get_if<CalcOptions>(&parsed);
            ASSERT_NE(options, nullptr) << c.within;
            EXPECT_EQ(options->within, c.months) << c.within;
            EXPECT_EQ(options->mode, CalcMode::Solve);
        } else {
            const auto* error = std::get_if<UsageError>(&parsed);
            ASSERT_NE(error, nullptr) << c.within;
            EXPECT_EQ(error->message, c.message) << c.within;
            EXPECT_FALSE(error->suggestHelp) << c.within;
        }
    }
}

TEST(CliArguments, HelpWinsOverMissingOptions)
{
    for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"--balance", "1", "--help"}})
        EXPECT_TRUE(std::holds_alternative<HelpRequest>(ParseArguments(args)));
}

TEST(CliArguments, HelpNamesEveryOption)
{
    const std::string help = HelpText();
    for (const char* option :
         {"--balance", "--rate", "--payment", "--till-zero", "--maximum", "--fixed", "--solve",
          "--within", "--sweep", "--from", "--to", "--step", "--vesk-months", "--first-payment",
          "--format", "--help", "--version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

} // namespace
