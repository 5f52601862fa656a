// SPDX-License-Identifier: GPL-3.0-or-later
// The same texts through the strict readings (Calculate) and the lenient one
// (enabling), hostile texts included.

#include "DisplayFormats.h"
#include "EngineTestSupport.h"
#include "TextConversions.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr int kOverflowOrMismatch = -1; // a form the readings may accept or reject
constexpr int kUnchecked = -2;          // a form left open

// Either a value (error 0) or the error number expected.
struct Reading {
    const char* value;
    int error = 0;
};
const Reading kMismatch{"", ErrTypeMismatch};
const Reading kOverflow{"", ErrOverflow};
const Reading kOpen{"", kUnchecked};

struct TextCase {
    std::string text;
    Reading currency; // TextToCurrency
    Reading number;   // TextToDouble
    Reading lenient;  // LenientValue
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << '"' << c.text.substr(0, 40) << (c.text.size() > 40 ? "...\"" : "\"");
}

std::string Repeat(char ch, int count)
{
    return std::string(static_cast<std::size_t>(count), ch);
}

// Reports a mismatch between what a reading did and what the case expects.
template <typename Read, typename Equal>
void CheckReading(const Reading& expected, Read read, Equal equal, const char* what)
{
    if (expected.error == kUnchecked)
        return;
    int error = 0;
    bool same = false;
    try {
        same = equal(read());
    } catch (const RuntimeError& e) {
        error = e.number();
    }
    if (expected.error == kOverflowOrMismatch) {
        EXPECT_TRUE(error == ErrOverflow || error == ErrTypeMismatch || (error == 0 && same))
            << what << " raised " << error;
    } else if (expected.error != 0) {
        EXPECT_EQ(error, expected.error) << what;
    } else {
        EXPECT_EQ(error, 0) << what;
        EXPECT_TRUE(error != 0 || same) << what << " is not " << expected.value;
    }
}

class TextReadings : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextReadings, StrictAndLenient)
{
    const TextCase& c = GetParam();
    CheckReading(
        c.currency, [&] { return TextToCurrency(c.text); },
        [&](Currency got) { return got == Money(c.currency.value); }, "TextToCurrency");
    CheckReading(
        c.number, [&] { return TextToDouble(c.text); },
        [&](double got) { return got == std::strtod(c.number.value, nullptr); }, "TextToDouble");
    CheckReading(
        c.lenient, [&] { return LenientValue(c.text); },
        [&](double got) { return got == std::strtod(c.lenient.value, nullptr); }, "LenientValue");
}

const Reading kEither{"", kOverflowOrMismatch};

INSTANTIATE_TEST_SUITE_P(
    Ordinary, TextReadings,
    ::testing::Values(
        TextCase{"100000", {"100000"}, {"100000"}, {"100000"}},
        TextCase{" 1,000.50 ", {"1000.5"}, {"1000.5"}, {"1"}},
        TextCase{"100,000", {"100000"}, {"100000"}, {"100"}},
        TextCase{"-12.25", {"-12.25"}, {"-12.25"}, {"-12.25"}}, TextCase{"+7", {"7"}, {"7"}, {"7"}},
        TextCase{".5", {"0.5"}, {"0.5"}, {"0.5"}}, TextCase{"18.9", {"18.9"}, {"18.9"}, {"18.9"}},
        TextCase{"12abc", kMismatch, kMismatch, {"12"}},
        TextCase{"1 000", kMismatch, kMismatch, {"1000"}},
        TextCase{"\t1\n2 3", kMismatch, kMismatch, {"123"}}, TextCase{"- 5", kOpen, kOpen, {"-5"}},
        TextCase{"1.2.3", kMismatch, kMismatch, {"1.2"}}, TextCase{"$100000", kOpen, kOpen, {"0"}},
        TextCase{"50%", kMismatch, kMismatch, {"50"}}, TextCase{"1E3", kOpen, kOpen, {"1000"}},
        TextCase{"1e", kOpen, kOpen, {"1"}}, TextCase{"2.5E-1", kOpen, kOpen, {"0.25"}},
        TextCase{"&H1F", kOpen, kOpen, {"31"}}, TextCase{"&O17", kOpen, kOpen, {"15"}},
        TextCase{"&HG", kOpen, kOpen, {"0"}}));

INSTANTIATE_TEST_SUITE_P(
    NotANumber, TextReadings,
    ::testing::Values(
        TextCase{"", kMismatch, kMismatch, {"0"}}, TextCase{" ", kMismatch, kMismatch, {"0"}},
        TextCase{"-", kMismatch, kMismatch, {"0"}}, TextCase{"+", kMismatch, kMismatch, {"0"}},
        TextCase{".", kMismatch, kMismatch, {"0"}}, TextCase{"--5", kMismatch, kMismatch, {"0"}},
        // a thousands separator must follow a digit; the lenient reading stops at any comma
        TextCase{"-,5", kMismatch, kMismatch, {"0"}}, TextCase{",5", kMismatch, kMismatch, {"0"}},
        TextCase{"+,5", kMismatch, kMismatch, {"0"}},
        TextCase{"1,,000", kMismatch, kMismatch, {"1"}},
        TextCase{"abc", kMismatch, kMismatch, {"0"}},
        TextCase{std::string("12\0"
                             "3",
                             4),
                 kMismatch,
                 kMismatch,
                 {"12"}},
        // Arabic-Indic and full-width digits are not digits here
        TextCase{"\xD9\xA1\xD9\xA2\xD9\xA3", kMismatch, kMismatch, {"0"}},
        TextCase{"5\xD9\xA1", kMismatch, kMismatch, {"5"}},
        TextCase{"\xEF\xBC\x91\xEF\xBC\x92", kMismatch, kMismatch, {"0"}},
        // a no-break space is not a blank
        TextCase{"\xC2\xA0"
                 "100",
                 kMismatch,
                 kMismatch,
                 {"0"}},
        TextCase{"100\xC2\xA0", kMismatch, kMismatch, {"100"}}));

INSTANTIATE_TEST_SUITE_P(
    FourDecimals, TextReadings,
    ::testing::Values(TextCase{"0.00005", {"0"}, {"0.00005"}, {"0.00005"}},
                      TextCase{"0.00015", {"0.0002"}, {"0.00015"}, {"0.00015"}},
                      TextCase{"0.00025", {"0.0002"}, {"0.00025"}, {"0.00025"}},
                      TextCase{"-0.00015", {"-0.0002"}, {"-0.00015"}, {"-0.00015"}},
                      TextCase{"0.000250001", {"0.0003"}, {"0.000250001"}, {"0.000250001"}},
                      TextCase{"620.16875", {"620.1688"}, {"620.16875"}, {"620.16875"}},
                      TextCase{"1." + Repeat('9', 9999), {"2"}, {"2"}, {"2"}},
                      TextCase{"0." + Repeat('0', 9999) + "1", {"0"}, {"0"}, {"0"}}));

INSTANTIATE_TEST_SUITE_P(
    Range, TextReadings,
    ::testing::Values(
        TextCase{"922337203685477.5807",
                 {"922337203685477.5807"},
                 {"922337203685477.5807"},
                 {"922337203685477.5807"}},
        TextCase{"922,337,203,685,477.58074",
                 {"922337203685477.5807"},
                 {"922337203685477.58074"},
                 {"922"}},
        TextCase{"922337203685477.58075",
                 kOverflow,
                 {"922337203685477.58075"},
                 {"922337203685477.58075"}},
        TextCase{
            "922337203685477.5808", kOverflow, {"922337203685477.5808"}, {"922337203685477.5808"}},
        TextCase{"-922337203685477.5808",
                 {"-922337203685477.5808"},
                 {"-922337203685477.5808"},
                 {"-922337203685477.5808"}},
        TextCase{"-922337203685477.5809",
                 kOverflow,
                 {"-922337203685477.5809"},
                 {"-922337203685477.5809"}},
        TextCase{"1E15", kEither, kOpen, {"1e15"}}, TextCase{"1e400", kEither, kEither, kOverflow},
        TextCase{"-1E400", kEither, kEither, kOverflow}, TextCase{"1E-400", kOpen, kOpen, {"0"}},
        TextCase{Repeat('9', 10000), kOverflow, kOverflow, kOverflow},
        TextCase{"-" + Repeat('1', 10000), kOverflow, kOverflow, kOverflow}));

// The plain text and the display patterns read back by the strict reading.
TEST(TextRoundTrip, PlainTextAndFormatsReadBack)
{
    const char* amounts[] = {"0",
                             "0.0001",
                             "-0.0001",
                             "0.5",
                             "777.8313",
                             "-12.25",
                             "1234567.8912",
                             "922337203685477.5807",
                             "-922337203685477.5808",
                             "99999.995"};
    for (const char* text : amounts) {
        const Currency amount = Money(text);
        EXPECT_EQ(TextToCurrency(PlainText(amount)), amount) << text;
        // two decimals, half away from zero
        const std::int64_t rest = amount.raw() % 100;
        const std::int64_t cents = amount.raw() / 100 + (rest >= 50) - (rest <= -50);
        for (std::string_view pattern : {kPaymentPattern, kPrincipalPattern, kBalancePattern})
            EXPECT_EQ(TextToCurrency(FormatAmount(amount, pattern)).raw(), cents * 100)
                << text << " " << pattern;
    }
}

} // namespace
