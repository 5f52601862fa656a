// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayFormats.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// What a pattern such as "$###,###.00" asks for.
struct Pattern {
    std::string_view prefix;
    std::string_view suffix;
    bool grouping = false;
    bool forceIntegerDigit = false; // a "0" among the integer placeholders
    int decimals = 0;
};

Pattern parsePatternText(std::string_view text)
{
    Pattern p;
    std::size_t i = text.find_first_of("#0,.");
    if (i == std::string_view::npos) {
        p.prefix = text;
        return p;
    }
    p.prefix = text.substr(0, i);
    for (; i < text.size() && (text[i] == '#' || text[i] == '0' || text[i] == ','); ++i) {
        p.grouping = p.grouping || text[i] == ',';
        p.forceIntegerDigit = p.forceIntegerDigit || text[i] == '0';
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && (text[i] == '0' || text[i] == '#'); ++i) {
            ++p.decimals;
        }
    }
    p.suffix = text.substr(i);
    return p;
}

// Patterns come from a handful of constants; parsing each once keeps the
// rows of a long plan fast.
Pattern parsePattern(std::string_view text)
{
    struct Entry {
        std::string_view text;
        Pattern pattern;
    };
    static const std::array<Entry, 4> known = {
        Entry{kDollarPattern, parsePatternText(kDollarPattern)},
        Entry{kPaymentPattern, parsePatternText(kPaymentPattern)},
        Entry{kPrincipalPattern, parsePatternText(kPrincipalPattern)},
        Entry{kBalancePattern, parsePatternText(kBalancePattern)},
    };
    for (const Entry& entry : known) {
        if (entry.text == text) {
            return entry.pattern;
        }
    }
    return parsePatternText(text);
}

// Writes a value given as the decimal digits of value * 10^decimals.
std::string compose(bool negative, std::string_view scaledDigits, const Pattern& p)
{
    const auto firstNonZero = scaledDigits.find_first_not_of('0');
    scaledDigits = firstNonZero == std::string_view::npos ? std::string_view()
                                                          : scaledDigits.substr(firstNonZero);
    const std::size_t decimals = static_cast<std::size_t>(p.decimals);
    const std::size_t integerLength =
        scaledDigits.size() > decimals ? scaledDigits.size() - decimals : 0;
    const std::string_view integer = scaledDigits.substr(0, integerLength);
    const std::string_view fraction = scaledDigits.substr(integerLength);

    std::string out;
    out.reserve(p.prefix.size() + integer.size() * 4 / 3 + decimals + p.suffix.size() + 3);
    if (negative) {
        out.push_back('-');
    }
    out.append(p.prefix);
    if (integer.empty() && p.forceIntegerDigit) {
        out.push_back('0');
    }
    for (std::size_t k = 0; k < integer.size(); ++k) {
        if (p.grouping && k > 0 && (integer.size() - k) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(integer[k]);
    }
    if (decimals > 0) {
        out.push_back('.');
        out.append(decimals - fraction.size(), '0');
        out.append(fraction);
    }
    out.append(p.suffix);
    return out;
}

// The same for a scaled value that fits 64 bits, written from the right
// into a buffer: the rows of a long plan come through here.
std::string compose(bool negative, std::uint64_t scaled, const Pattern& p)
{
    std::array<char, 64> buffer; // written from the right, only as far as needed
    char* const end = buffer.data() + buffer.size();
    char* out = end - p.suffix.size();
    p.suffix.copy(out, p.suffix.size());
    for (int k = 0; k < p.decimals; ++k) {
        *--out = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    }
    if (p.decimals > 0) {
        *--out = '.';
    }
    for (int inGroup = 0; scaled != 0; ++inGroup) {
        if (inGroup == 3) {
            if (p.grouping) {
                *--out = ',';
            }
            inGroup = 0;
        }
        *--out = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    }
    if (out == end - p.suffix.size() - (p.decimals > 0 ? p.decimals + 1 : 0) &&
        p.forceIntegerDigit) {
        *--out = '0';
    }
    out -= p.prefix.size();
    p.prefix.copy(out, p.prefix.size());
    if (negative) {
        *--out = '-';
    }
    return std::string(out, end);
}

std::string_view digitsOf(std::uint64_t value, std::array<char, 24>& buffer)
{
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}

constexpr std::array<std::uint64_t, 5> kPowersOfTen = {1, 10, 100, 1000, 10000};

// Powers of ten up to 10^26, each exact in a 64-bit mantissa.
constexpr std::array<long double, 27> kLongPowersOfTen = [] {
    std::array<long double, 27> powers{};
    long double power = 1;
    for (auto& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// Adds one to a string of decimal digits.
void incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Keeps the first `keep` digits (padding with zeros), rounding half away from zero.
std::string roundedDigits(const std::string& digits, long keep)
{
    std::string kept;
    if (keep >= static_cast<long>(digits.size())) {
        kept = digits;
        kept.append(static_cast<std::size_t>(keep - static_cast<long>(digits.size())), '0');
    } else if (keep >= 0) {
        kept = digits.substr(0, static_cast<std::size_t>(keep));
        if (digits[static_cast<std::size_t>(keep)] >= '5') {
            incrementDigits(kept);
        }
    }
    return kept;
}

bool fitsBuffer(const Pattern& p)
{
    return p.prefix.size() + p.suffix.size() <= 16;
}

// The fast way to what writing `a` with 15 significant digits and rounding
// that half away from zero to `decimals` places gives, as a whole number of
// 10^-decimals. Works in 64-bit-mantissa long double, which is exact enough
// to decide every rounding except values within a hair of a tie; those (and
// magnitudes outside the table) return false for the exact, slower way.
bool roundFifteenDigitsFast(double a, int decimals, std::uint64_t& scaled)
{
    if (!(a < 1e13) || decimals > 4) {
        return false;
    }
    if (a < 1e-10) {
        scaled = 0; // far below half a unit of any place kept
        return true;
    }
    int binaryExponent = 0;
    std::frexp(a, &binaryExponent);
    int exponent = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120));
    long double x = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = 14 - exponent; // 2 ... 25 in the table's range
        if (shift < 0 || shift > 26) {
            return false;
        }
        x = static_cast<long double>(a) * kLongPowersOfTen[static_cast<std::size_t>(shift)];
        if (x < 1e14L) {
            --exponent;
        } else if (x >= 1e15L) {
            ++exponent;
        } else {
            break;
        }
    }
    if (x < 1e14L || x >= 1e15L) {
        return false;
    }
    const long double whole = std::floor(x);
    const long double fraction = x - whole;
    if (std::fabs(fraction - 0.5L) < 1e-3L) {
        return false; // too close to a tie to decide here
    }
    std::uint64_t digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5L ? 1 : 0);
    // digits * 10^-(14 - exponent); now round to `decimals` places.
    const int drop = 14 - exponent - decimals;
    if (drop < 0) {
        return false;
    }
    if (drop >= 17) {
        scaled = 0; // below half a unit of the last place kept
        return true;
    }
    std::uint64_t step = 1;
    for (int k = 0; k < drop; ++k) {
        step *= 10;
    }
    scaled = digits / step + (step > 1 && digits % step >= step / 2 ? 1 : 0);
    return true;
}

} // namespace

std::string PlainText(Currency amount)
{
    const std::int64_t raw = amount.raw();
    const std::uint64_t magnitude =
        raw < 0 ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(raw)
                : static_cast<std::uint64_t>(raw);
    std::array<char, 24> buffer{};
    std::string out;
    if (raw < 0) {
        out.push_back('-');
    }
    out.append(digitsOf(magnitude / Currency::kScale, buffer));
    std::uint64_t fraction = magnitude % Currency::kScale;
    if (fraction != 0) {
        char digits[4];
        for (int k = 3; k >= 0; --k) {
            digits[k] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        int length = 4;
        while (digits[length - 1] == '0') {
            --length;
        }
        out.push_back('.');
        out.append(digits, static_cast<std::size_t>(length));
    }
    return out;
}

std::string PlainText(std::int64_t value)
{
    return std::to_string(value);
}

std::string FormatAmount(Currency amount, std::string_view patternText)
{
    const Pattern p = parsePattern(patternText);
    const std::int64_t raw = amount.raw();
    const std::uint64_t magnitude =
        raw < 0 ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(raw)
                : static_cast<std::uint64_t>(raw);
    if (p.decimals > 4 || !fitsBuffer(p)) {
        std::array<char, 24> buffer{};
        std::string digits(digitsOf(magnitude, buffer));
        digits.append(static_cast<std::size_t>(std::max(p.decimals - 4, 0)), '0');
        if (p.decimals < 4) {
            return compose(raw < 0,
                           roundedDigits(digits, static_cast<long>(digits.size()) - 4 + p.decimals),
                           p);
        }
        return compose(raw < 0, digits, p);
    }
    // Half away from zero on the magnitude; four decimals keep it as it is.
    const std::uint64_t step = kPowersOfTen[static_cast<std::size_t>(4 - p.decimals)];
    const std::uint64_t scaled =
        magnitude / step + (step > 1 && magnitude % step >= step / 2 ? 1 : 0);
    return compose(raw < 0, scaled, p);
}

std::string FormatAmount(double value, std::string_view patternText)
{
    const Pattern p = parsePattern(patternText);
    const bool negative = value < 0; // -0.0 is written without a sign
    std::uint64_t scaled = 0;
    if (fitsBuffer(p) && roundFifteenDigitsFast(std::fabs(value), p.decimals, scaled)) {
        return compose(negative, scaled, p);
    }
    // The value as 15 significant digits, like "%.15g".
    std::array<char, 40> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::general, 15);
    std::string_view s(text.data(), static_cast<std::size_t>(written.ptr - text.data()));
    if (!s.empty() && s.front() == '-') {
        s.remove_prefix(1);
    }
    if (s == "inf" || s == "nan") {
        return std::string(s);
    }
    // Split into significant digits and the position of the decimal point.
    std::string digits;
    long point = 0;
    bool seenPoint = false;
    std::size_t i = 0;
    for (; i < s.size() && s[i] != 'e'; ++i) {
        if (s[i] == '.') {
            seenPoint = true;
        } else {
            digits.push_back(s[i]);
            point += seenPoint ? 0 : 1;
        }
    }
    if (i < s.size()) {
        point += std::strtol(s.data() + i + 1, nullptr, 10);
    }
    return compose(negative, roundedDigits(digits, point + p.decimals), p);
}

std::string DollarText(Currency amount)
{
    return FormatAmount(amount, kDollarPattern);
}
