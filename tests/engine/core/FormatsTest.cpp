// SPDX-License-Identifier: GPL-3.0-or-later
// Plain text, display patterns and payoff period texts.

#include "DisplayFormats.h"
#include "EngineTestSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

TEST(PlainText, ShortestFormUpToFourDecimals)
{
    const std::pair<const char*, const char*> cases[] = {
        {"777.8313", "777.8313"},
        {"699", "699"},
        {"0.5000", "0.5"},
        {"-12.25", "-12.25"},
        {"0", "0"},
        {"0.0001", "0.0001"},
        {"-0.0001", "-0.0001"},
        {"1234.5", "1234.5"},
        {"100000", "100000"},
        {"922337203685477.5807", "922337203685477.5807"},
        {"-922337203685477.5808", "-922337203685477.5808"}};
    for (const auto& [amount, text] : cases)
        EXPECT_EQ(PlainText(Money(amount)), text);
    EXPECT_EQ(PlainText(std::int64_t{14}), "14");
    EXPECT_EQ(PlainText(std::int64_t{-3}), "-3");
    EXPECT_EQ(PlainText(std::int64_t{0}), "0");
}

struct FormatCase {
    const char* amount;
    const char* text; // under "###,###.00"; the dollar pattern puts "$" after any "-"
};

class AmountPatterns : public ::testing::TestWithParam<FormatCase> {};

TEST_P(AmountPatterns, EveryPatternGivesTheSameDigits)
{
    const Currency amount = Money(GetParam().amount);
    const std::string text = GetParam().text;
    for (std::string_view pattern : {kPaymentPattern, kPrincipalPattern, kBalancePattern})
        EXPECT_EQ(FormatAmount(amount, pattern), text) << pattern;
    const std::string dollars = text[0] == '-' ? "-$" + text.substr(1) : "$" + text;
    EXPECT_EQ(FormatAmount(amount, kDollarPattern), dollars);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, AmountPatterns,
    ::testing::Values(FormatCase{"777.8313", "777.83"}, FormatCase{"76873.916", "76,873.92"},
                      FormatCase{"1234567.5", "1,234,567.50"}, FormatCase{"0", ".00"},
                      FormatCase{"0.5", ".50"}, FormatCase{"0.45", ".45"},
                      FormatCase{"-5", "-5.00"}, FormatCase{"777.825", "777.83"},
                      FormatCase{"0.005", ".01"}, FormatCase{"0.0049", ".00"},
                      FormatCase{"-0.005", "-.01"}, FormatCase{"-87969.1134", "-87,969.11"},
                      FormatCase{"999.995", "1,000.00"}, FormatCase{"100", "100.00"},
                      FormatCase{"1000", "1,000.00"}, FormatCase{"999999.995", "1,000,000.00"},
                      FormatCase{"922337203685477.5807", "922,337,203,685,477.58"},
                      FormatCase{"-922337203685477.5808", "-922,337,203,685,477.58"}));

// Without "#" and grouping, as the exported amounts use them.
TEST(AmountPatterns, PlainPatternsWriteEveryDigit)
{
    const std::pair<const char*, const char*> fourDecimals[] = {
        {"777.8313", "777.8313"},
        {"0", "0.0000"},
        {"-0.0001", "-0.0001"},
        {"922337203685477.5807", "922337203685477.5807"},
        {"-922337203685477.5808", "-922337203685477.5808"}};
    for (const auto& [amount, text] : fourDecimals)
        EXPECT_EQ(FormatAmount(Money(amount), "0.0000"), text);
    EXPECT_EQ(FormatAmount(Money("0.45"), "0.00"), "0.45");
    EXPECT_EQ(FormatAmount(Money("-1234.005"), "0.00"), "-1234.01");
}

struct DoubleCase {
    double value;
    const char* text; // under "###,###.00"
};

class DoublePatterns : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(DoublePatterns, FifteenDigitsThenHalfAwayFromZero)
{
    EXPECT_EQ(FormatAmount(GetParam().value, kPaymentPattern), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Interest, DoublePatterns,
                         ::testing::Values(
                             // 1139.3949999999999818..., written with 15 digits as 1139.395
                             DoubleCase{227879 * 0.06 / 12, "1,139.40"}, DoubleCase{2.675, "2.68"},
                             DoubleCase{0.625, ".63"}, DoubleCase{625.0, "625.00"},
                             DoubleCase{624.0448043749999, "624.04"}, DoubleCase{1.13391, "1.13"},
                             DoubleCase{0.151, ".15"}, DoubleCase{-0.005, "-.01"},
                             DoubleCase{-7.4486, "-7.45"}, DoubleCase{0.0, ".00"},
                             DoubleCase{1e-20, ".00"},
                             // "%.15g" writes these with an exponent
                             DoubleCase{1e20, "100,000,000,000,000,000,000.00"},
                             DoubleCase{-1.5e16, "-15,000,000,000,000,000.00"}));

// "%.15g" digits of a positive value below 1e15, rounded half away from zero to
// cents and grouped: written the long way, as the oracle for the formatter.
std::string CentsTheLongWay(double value)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value); // d.dddddddddddddde+XX
    const std::uint64_t digits =
        std::strtoull((std::string(1, buf[0]) + (buf + 2)).c_str(), nullptr, 10);
    const int shift = std::atoi(buf + 17) - 12; // digits * 10^shift cents
    std::uint64_t cents = digits;
    for (int k = 0; k < shift; ++k)
        cents *= 10;
    if (shift < 0) {
        std::uint64_t unit = 1; // at most 10^18, above any digits
        for (int k = 0; k < -shift && k < 18; ++k)
            unit *= 10;
        cents = digits / unit + (digits % unit >= unit / 2 ? 1 : 0);
    }
    std::string whole = cents >= 100 ? std::to_string(cents / 100) : "";
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), ",");
    char decimals[4];
    std::snprintf(decimals, sizeof decimals, "%02d", static_cast<int>(cents % 100));
    return whole + "." + decimals;
}

TEST(DoublePatterns, AgreeWithTheLongWayOnInterestsAndNearTies)
{
    std::mt19937_64 random(20240607);
    std::uniform_int_distribution<std::int64_t> balances(1, 100'000'000'000'0);
    std::uniform_int_distribution<int> rates(1, 30'000); // 0.001 % ... 30 %
    std::uniform_int_distribution<std::int64_t> cents(0, 10'000'000'000);
    std::uniform_real_distribution<double> magnitudes(-8, 14);
    int mismatches = 0;
    for (int n = 0; n < 100'000 && mismatches < 10; ++n) {
        const double tie = (static_cast<double>(cents(random)) + 0.5) / 100;
        for (double value :
             {Currency::fromRaw(balances(random)).toDouble() * (rates(random) / 1000.0 / 100) / 12,
              tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300),
              std::pow(10.0, magnitudes(random))}) {
            const std::string got = FormatAmount(value, kPaymentPattern);
            if (got != CentsTheLongWay(value)) {
                ++mismatches;
                ADD_FAILURE() << std::hexfloat << value << " gives " << got << ", not "
                              << CentsTheLongWay(value);
            }
        }
    }
}

struct PeriodCase {
    std::int16_t months;
    const char* text;
};

class Periods : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(Periods, YearsAndMonthsLeavingTheRest)
{
    std::int16_t months = GetParam().months;
    EXPECT_EQ(PayoffPeriodText(months), GetParam().text);
    EXPECT_EQ(months, GetParam().months % 12);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Periods,
    ::testing::Values(PeriodCase{0, ""}, PeriodCase{1, "1 mth"}, PeriodCase{2, "2 mths"},
                      PeriodCase{11, "11 mths"}, PeriodCase{12, "1 yr"},
                      PeriodCase{13, "1 yr and 1 mth"}, PeriodCase{14, "1 yr and 2 mths"},
                      PeriodCase{23, "1 yr and 11 mths"}, PeriodCase{24, "2 yrs"},
                      PeriodCase{25, "2 yrs and 1 mth"}, PeriodCase{179, "14 yrs and 11 mths"},
                      PeriodCase{180, "15 yrs"}, PeriodCase{181, "15 yrs and 1 mth"},
                      PeriodCase{359, "29 yrs and 11 mths"}, PeriodCase{360, "30 yrs"},
                      PeriodCase{361, "30 yrs and 1 mth"},
                      PeriodCase{32767, "2730 yrs and 7 mths"}));

} // namespace
