// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputRefusal.h"

#include <gtest/gtest.h>

namespace {

enum class Mode { Monthly, TillZero, Maximum, Fixed };

struct RefusalCase {
    const char* name;
    Mode mode;
    const char* balance;
    const char* rate;
    const char* payment;
    const char* maximum;
    const char* reason; // nullptr: the window enables Calculate
};

void PrintTo(const RefusalCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

CalculatorInputs InputsOf(const RefusalCase& c)
{
    CalculatorInputs in{c.balance, c.rate, c.payment, c.maximum};
    in.tillZero = c.mode != Mode::Monthly;
    in.chkMaxMonthly = c.mode == Mode::Maximum ? 1 : 0;
    in.chkDisableVesk = c.mode == Mode::Fixed ? 1 : 0;
    in.maximumEnabled = c.mode == Mode::Maximum || c.mode == Mode::Fixed;
    return in;
}

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, NamesTheInputTheWindowRejects)
{
    const CalculatorInputs in = InputsOf(GetParam());
    const std::optional<std::string> reason = RefusalReason(in);
    if (GetParam().reason == nullptr) {
        EXPECT_FALSE(reason.has_value()) << *reason;
    } else {
        ASSERT_TRUE(reason.has_value());
        EXPECT_EQ(*reason, GetParam().reason);
    }
    EXPECT_EQ(reason.has_value(), !EnablingRule(in).enabled);
}

constexpr const char* kNotPositive = "balance: must be a number greater than 0";
constexpr const char* kNoPayment = "payment: must be greater than 0";

INSTANTIATE_TEST_SUITE_P(
    Cli, Refusal,
    testing::Values(
        RefusalCase{"WorkedExample", Mode::Monthly, "100000", "7.5", "699", "", nullptr},
        RefusalCase{"RateZero", Mode::Monthly, "100000", "0", "699", "", nullptr},
        RefusalCase{"RateNegative", Mode::Monthly, "100000", "-5", "699", "", nullptr},
        RefusalCase{"RateText", Mode::Monthly, "100000", "abc", "699", "", nullptr},
        RefusalCase{"ThousandsComma", Mode::Monthly, "100,000", "7.5", "699", "", nullptr},
        RefusalCase{"BlankBetweenGroups", Mode::Monthly, "100 000", "7.5", "699", "", nullptr},
        RefusalCase{"TrailingLetters", Mode::Monthly, "12abc", "7.5", "699", "", nullptr},
        RefusalCase{"Exponent", Mode::Monthly, "1E3", "7.5", "699", "", nullptr},
        RefusalCase{"BalanceZero", Mode::Monthly, "0", "7.5", "699", "", kNotPositive},
        RefusalCase{"BalanceNegative", Mode::Monthly, "-1", "7.5", "699", "", kNotPositive},
        RefusalCase{"BalanceText", Mode::Monthly, "abc", "7.5", "699", "", kNotPositive},
        RefusalCase{"BalanceDollar", Mode::Monthly, "$100000", "7.5", "699", "", kNotPositive},
        RefusalCase{"BalanceTwoBlanks", Mode::Monthly, "  ", "7.5", "699", "", kNotPositive},
        RefusalCase{"BalanceOneBlank", Mode::Monthly, " ", "7.5", "699", "",
                    "balance: must not be blank"},
        RefusalCase{"RateEmpty", Mode::TillZero, "100000", "", "699", "",
                    "rate: must not be blank"},
        RefusalCase{"PaymentEmpty", Mode::Fixed, "100000", "7.5", "", "500",
                    "payment: must not be blank"},
        RefusalCase{"PaymentZero", Mode::Monthly, "100000", "7.5", "0", "", kNoPayment},
        RefusalCase{"PaymentNegative", Mode::TillZero, "100000", "7.5", "-699", "", kNoPayment},
        RefusalCase{"PaymentText", Mode::Monthly, "100000", "7.5", "abc", "", kNoPayment},
        RefusalCase{"PaymentRoundsToZero", Mode::Monthly, "100000", "7.5", "0.00004", "",
                    kNoPayment},
        RefusalCase{"BalanceOutOfRange", Mode::Monthly, "1E15", "7.5", "0", "",
                    "balance: out of range"},
        RefusalCase{"RateTooLarge", Mode::Monthly, "100000", "1E400", "699", "",
                    "rate: out of range"},
        RefusalCase{"PaymentOutOfRange", Mode::Monthly, "0", "7.5", "1234567890123456", "",
                    "payment: out of range"},
        RefusalCase{"MaximumOutOfRange", Mode::Maximum, "0", "7.5", "699", "1E20",
                    "maximum: out of range"},
        RefusalCase{"MaximumBlank", Mode::Maximum, "100000", "7.5", "699", " ",
                    "maximum: must not be blank"},
        RefusalCase{"MaximumTooSmall", Mode::Maximum, "100000", "7.5", "699", "5",
                    "maximum: must be at least 15"},
        RefusalCase{"MaximumFifteen", Mode::Maximum, "100000", "7.5", "699", "15", nullptr},
        RefusalCase{"MaximumWithoutPayment", Mode::Maximum, "100000", "7.5", "0", "50", kNoPayment},
        RefusalCase{"FixedEmpty", Mode::Fixed, "100000", "7.5", "699", "",
                    "fixed: must be at least 15"},
        RefusalCase{"FixedWithoutPayment", Mode::Fixed, "1000", "0", "0", "500", nullptr},
        RefusalCase{"FixedBalanceZero", Mode::Fixed, "0", "7.5", "699", "500", kNotPositive}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace
