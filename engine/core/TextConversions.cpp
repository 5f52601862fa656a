// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextConversions.h"

#include "RuntimeError.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSurroundingBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A decimal number taken apart: sign, integer digits, fraction digits and a
// power-of-ten exponent, with thousands separators already dropped.
struct Decimal {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    long exponent = 0;
    bool hasExponent = false;
};

long saturatingExponent(long value, int digit)
{
    constexpr long kCap = 100000000; // far beyond any double; keeps the arithmetic safe
    return value > kCap ? value : value * 10 + digit;
}

// The strict written form: blanks, sign, digits with "," separators, ".",
// fraction, and (when allowed) an exponent; nothing else anywhere.
bool parseStrict(std::string_view text, bool allowExponent, Decimal& out)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSurroundingBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isSurroundingBlank(text[end - 1])) {
        --end;
    }
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        out.negative = text[i] == '-';
        ++i;
    }
    for (; i < end; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            out.integerDigits.push_back(c);
        } else if (c == ',' && i > begin && isDigit(text[i - 1])) {
            continue; // a thousands separator must follow a digit
        } else {
            break;
        }
    }
    if (i < end && text[i] == '.') {
        for (++i; i < end && isDigit(text[i]); ++i) {
            out.fractionDigits.push_back(text[i]);
        }
    }
    if (out.integerDigits.empty() && out.fractionDigits.empty()) {
        return false;
    }
    if (allowExponent && i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == end || !isDigit(text[i])) {
            return false;
        }
        for (; i < end && isDigit(text[i]); ++i) {
            out.exponent = saturatingExponent(out.exponent, text[i] - '0');
        }
        if (negativeExponent) {
            out.exponent = -out.exponent;
        }
        out.hasExponent = true;
    }
    return i == end;
}

// The correctly rounded double of a parsed decimal; Overflow when too large.
double toDouble(const Decimal& d)
{
    std::string text;
    text.reserve(d.integerDigits.size() + d.fractionDigits.size() + 24);
    if (d.negative) {
        text.push_back('-');
    }
    text += d.integerDigits.empty() ? std::string("0") : d.integerDigits;
    if (!d.fractionDigits.empty()) {
        text.push_back('.');
        text += d.fractionDigits;
    }
    if (d.hasExponent) {
        text.push_back('e');
        text += std::to_string(d.exponent);
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Out of range is either too large (overflow) or too small (zero):
        // tell them apart by the position of the first significant digit.
        long magnitude = d.exponent;
        const auto firstInteger = d.integerDigits.find_first_not_of('0');
        if (firstInteger != std::string::npos) {
            magnitude += static_cast<long>(d.integerDigits.size() - firstInteger);
        } else {
            const auto firstFraction = d.fractionDigits.find_first_not_of('0');
            magnitude -= static_cast<long>(firstFraction);
        }
        if (magnitude > 0) {
            Raise(ErrOverflow);
        }
        return d.negative ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value)) {
        Raise(ErrOverflow);
    }
    return value;
}

} // namespace

Currency TextToCurrency(std::string_view text)
{
    Decimal d;
    if (!parseStrict(text, false, d)) {
        Raise(ErrTypeMismatch);
    }
    const auto first = d.integerDigits.find_first_not_of('0');
    const std::string_view integer = first == std::string::npos
                                         ? std::string_view()
                                         : std::string_view(d.integerDigits).substr(first);
    // The largest amount has 15 integer digits.
    if (integer.size() > 15) {
        Raise(ErrOverflow);
    }
    std::uint64_t raw = 0;
    for (char c : integer) {
        raw = raw * 10 + static_cast<std::uint64_t>(c - '0');
    }
    const std::string& fraction = d.fractionDigits;
    for (std::size_t k = 0; k < 4; ++k) {
        raw = raw * 10 + (k < fraction.size() ? static_cast<std::uint64_t>(fraction[k] - '0') : 0);
    }
    // Beyond four decimals: round half to even, exactly.
    if (fraction.size() > 4) {
        const char next = fraction[4];
        const bool moreAfter = fraction.find_first_not_of('0', 5) != std::string::npos;
        if (next > '5' || (next == '5' && (moreAfter || (raw % 2) == 1))) {
            ++raw;
        }
    }
    constexpr std::uint64_t kMaxPositive = static_cast<std::uint64_t>(INT64_MAX);
    if (raw > kMaxPositive + (d.negative ? 1 : 0)) {
        Raise(ErrOverflow);
    }
    if (d.negative) {
        return Currency::fromRaw(raw == kMaxPositive + 1 ? INT64_MIN
                                                         : -static_cast<std::int64_t>(raw));
    }
    return Currency::fromRaw(static_cast<std::int64_t>(raw));
}

double TextToDouble(std::string_view text)
{
    Decimal d;
    if (!parseStrict(text, true, d)) {
        Raise(ErrTypeMismatch);
    }
    return toDouble(d);
}

namespace {

double readRadix(std::string_view digits, int radix)
{
    double value = 0;
    for (char c : digits) {
        int digit = -1;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * radix + digit;
        if (!std::isfinite(value)) {
            Raise(ErrOverflow);
        }
    }
    return value;
}

} // namespace

double LenientValue(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s.push_back(c);
        }
    }
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') {
            return readRadix(std::string_view(s).substr(2), 16);
        }
        if (s[1] == 'O' || s[1] == 'o') {
            return readRadix(std::string_view(s).substr(2), 8);
        }
        return 0;
    }
    Decimal d;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        d.negative = s[i] == '-';
        ++i;
    }
    for (; i < s.size() && isDigit(s[i]); ++i) {
        d.integerDigits.push_back(s[i]);
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            d.fractionDigits.push_back(s[i]);
        }
    }
    if (d.integerDigits.empty() && d.fractionDigits.empty()) {
        return 0;
    }
    // An exponent counts only when digits follow the E and its sign.
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j) {
                d.exponent = saturatingExponent(d.exponent, s[j] - '0');
            }
            d.exponent = negativeExponent ? -d.exponent : d.exponent;
            d.hasExponent = true;
        }
    }
    return toDouble(d);
}
