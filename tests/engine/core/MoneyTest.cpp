// SPDX-License-Identifier: GPL-3.0-or-later
// Currency limits and rounding, checked doubles, month counters, error texts.

#include "CheckedMath.h"
#include "EngineTestSupport.h"

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr Currency kMax = Money("922337203685477.5807");
constexpr Currency kMin = Money("-922337203685477.5808");
constexpr Currency kTick = Money("0.0001");

TEST(Money, LimitsAreTheSixtyFourBitRange)
{
    EXPECT_EQ(kMax, Currency::max());
    EXPECT_EQ(kMin, Currency::min());
    EXPECT_EQ(kMax.raw(), INT64_MAX);
    EXPECT_EQ(kMin.raw(), INT64_MIN);
}

struct SumCase {
    Currency a;
    char op;
    Currency b;
    Currency result; // meaningless when error != 0
    int error;
};

class MoneyArithmetic : public ::testing::TestWithParam<SumCase> {};

TEST_P(MoneyArithmetic, ExactOrOverflow)
{
    const SumCase& c = GetParam();
    Currency got;
    const int error = ErrorNumberOf([&] { got = c.op == '+' ? c.a + c.b : c.a - c.b; });
    EXPECT_EQ(error, c.error);
    if (c.error == 0) {
        EXPECT_EQ(got, c.result);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, MoneyArithmetic,
    ::testing::Values(
        SumCase{kMax, '+', kTick, {}, ErrOverflow}, SumCase{kMin, '-', kTick, {}, ErrOverflow},
        SumCase{kMax, '-', kMin, {}, ErrOverflow}, SumCase{Currency{}, '-', kMin, {}, ErrOverflow},
        SumCase{kMin, '+', kMin, {}, ErrOverflow}, SumCase{kMax - kTick, '+', kTick, kMax, 0},
        SumCase{kMin + kTick, '-', kTick, kMin, 0}, SumCase{kMin, '+', kMax, Money("-0.0001"), 0},
        SumCase{kMax, '-', kMax, Currency{}, 0},
        SumCase{Money("699"), '-', Money("620.1687"), Money("78.8313"), 0},
        SumCase{Money("74"), '+', Money("78.8313"), Money("152.8313"), 0}));

TEST(Money, CompoundAssignmentRaisesAndKeepsValue)
{
    Currency c = kMax;
    EXPECT_EQ(ErrorNumberOf([&] { c += kTick; }), ErrOverflow);
    EXPECT_EQ(c, kMax);
}

TEST(Money, FromUnitsIsExactAndRangeChecked)
{
    EXPECT_EQ(Currency::fromUnits(100), Money("100"));
    EXPECT_EQ(Currency::fromUnits(-922337203685477), Money("-922337203685477"));
    EXPECT_EQ(ErrorNumberOf([] { Currency::fromUnits(922337203685478); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { Currency::fromUnits(-922337203685478); }), ErrOverflow);
}

struct RoundCase {
    double x;
    std::int64_t raw;
};

class FromDouble : public ::testing::TestWithParam<RoundCase> {};

TEST_P(FromDouble, NearestTiesToEven)
{
    EXPECT_EQ(Currency::fromDouble(GetParam().x).raw(), GetParam().raw);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, FromDouble,
    ::testing::Values(RoundCase{0.00025, 2}, RoundCase{0.00035, 4}, RoundCase{-0.00025, -2},
                      RoundCase{-0.00035, -4}, RoundCase{0.00005, 0},
                      // the product is 1.4999999999999998: rounded in binary, not in decimal
                      RoundCase{0.00015, 1}, RoundCase{620.16875, 6201688},
                      // 99227 * 0.075 / 12 is 620.16874999999993..., just below the tie
                      RoundCase{99227 * 0.075 / 12, 6201687}, RoundCase{625.0, 6250000},
                      RoundCase{-7.448611111111111, -74486},
                      // -2^63 ten-thousandths is itself representable
                      RoundCase{-922337203685477.5808, INT64_MIN}));

TEST(Money, FromDoubleOutOfRangeOverflows)
{
    for (double x :
         {922337203685477.5807, 1e15, -1e15, 1e300, std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(ErrorNumberOf([x] { Currency::fromDouble(x); }), ErrOverflow) << x;
}

TEST(Money, ToDoubleAndMixedComparison)
{
    EXPECT_EQ(Money("777.8313").toDouble(), 777.8313);
    EXPECT_EQ(Money("-0.0001").toDouble(), -0.0001);
    EXPECT_TRUE(0.0 < Money("0.0001"));
    EXPECT_FALSE(0.0 < Currency{});
    EXPECT_TRUE(Money("699") < 699.00001);
    EXPECT_FALSE(Money("1000") < 1000.0); // equal: the scheduled payment is not below the interest
}

// The exact decimal text of an amount, built without the engine's conversions.
std::string ExactDecimal(std::int64_t raw)
{
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    char text[32];
    std::snprintf(text, sizeof text, "%s%" PRIu64 ".%04" PRIu64, raw < 0 ? "-" : "",
                  magnitude / 10000, magnitude % 10000);
    return text;
}

// Beyond 2^53 ten-thousandths the count is no longer an exact double; the
// conversion must still give the double nearest to the amount, as the C
// library's correctly rounded reading of its exact decimal text does.
TEST(Money, ToDoubleIsNearestOverTheWholeRange)
{
    constexpr std::int64_t kTwo53 = std::int64_t{1} << 53;
    std::vector<std::int64_t> raws = {
        kTwo53 - 1, kTwo53, kTwo53 + 1, kTwo53 + 3, -kTwo53 - 1, INT64_MAX, INT64_MIN,
        INT64_MAX - 1, INT64_MIN + 1,
        // 2^49 + 1/16 and 2^49 + 3/16: exactly halfway between two doubles
        5629499534213120625, 5629499534213121875, -5629499534213120625};
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 100000; ++i) {
        // every magnitude from 2^53 up, not only the largest
        const int bits = 54 + i % 10;
        raws.push_back(static_cast<std::int64_t>(random() >> (64 - bits)) * (i % 2 ? -1 : 1));
    }
    for (const std::int64_t raw : raws) {
        const std::string text = ExactDecimal(raw);
        ASSERT_EQ(Currency::fromRaw(raw).toDouble(), std::strtod(text.c_str(), nullptr)) << text;
    }
}

TEST(CheckedMath, ProductsAndQuotients)
{
    EXPECT_EQ(Multiply(99227.0, 0.075), 99227.0 * 0.075);
    EXPECT_EQ(Divide(7442.025, 12.0), 7442.025 / 12.0);
    EXPECT_EQ(Divide(-5.0, 12.0), -5.0 / 12.0);

    struct Bad {
        double a;
        char op;
        double b;
        int error;
    };
    for (const Bad& c : {Bad{1e308, '*', 10.0, ErrOverflow}, Bad{-1e308, '*', 10.0, ErrOverflow},
                         Bad{1e308, '/', 1e-10, ErrOverflow}, Bad{1.0, '/', 0.0, ErrDivisionByZero},
                         Bad{-1.0, '/', 0.0, ErrDivisionByZero}, Bad{0.0, '/', 0.0, ErrOverflow}}) {
        const int error =
            ErrorNumberOf([&] { c.op == '*' ? Multiply(c.a, c.b) : Divide(c.a, c.b); });
        EXPECT_EQ(error, c.error) << c.a << c.op << c.b;
    }
}

TEST(CheckedMath, MonthCounterStopsAt32767)
{
    std::int16_t months = 32766;
    IncrementMonths(months);
    EXPECT_EQ(months, 32767);
    EXPECT_EQ(ErrorNumberOf([&] { IncrementMonths(months); }), ErrOverflow);
    EXPECT_EQ(NextRow(32766), 32767);
    EXPECT_EQ(ErrorNumberOf([] { NextRow(32767); }), ErrOverflow);
}

TEST(RuntimeErrors, NumbersCarryThePlatformDescriptions)
{
    EXPECT_EQ(ErrorDescription(ErrOverflow), "Overflow");
    EXPECT_EQ(ErrorDescription(ErrDivisionByZero), "Division by zero");
    EXPECT_EQ(ErrorDescription(ErrTypeMismatch), "Type mismatch");
    try {
        Raise(ErrOverflow);
        ADD_FAILURE() << "Raise returned";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
        EXPECT_EQ(e.description(), "Overflow");
    }
}

} // namespace
