#include "DisplayFormats.h"

#include <array>
#include <charconv>
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

Pattern parsePattern(std::string_view text)
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

// Writes a value given as the decimal digits of value * 10^decimals.
std::string compose(bool negative, std::string_view scaledDigits, const Pattern& p)
{
    const auto firstNonZero = scaledDigits.find_first_not_of('0');
    scaledDigits = firstNonZero == std::string_view::npos ? std::string_view()
                                                          : scaledDigits.substr(firstNonZero);
    const std::size_t decimals = static_cast<std::size_t>(p.decimals);
    std::string_view integer;
    std::string fraction(decimals, '0');
    if (scaledDigits.size() > decimals) {
        integer = scaledDigits.substr(0, scaledDigits.size() - decimals);
        fraction.assign(scaledDigits.substr(integer.size()));
    } else {
        fraction.replace(decimals - scaledDigits.size(), scaledDigits.size(), scaledDigits);
    }

    std::string out;
    out.reserve(p.prefix.size() + integer.size() * 4 / 3 + decimals + 4);
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
        out.append(fraction);
    }
    out.append(p.suffix);
    return out;
}

std::string_view digitsOf(std::uint64_t value, std::array<char, 24>& buffer)
{
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}

constexpr std::array<std::uint64_t, 5> kPowersOfTen = {1, 10, 100, 1000, 10000};

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
    std::array<char, 24> buffer{};
    if (p.decimals >= 4) {
        std::string digits(digitsOf(magnitude, buffer));
        digits.append(static_cast<std::size_t>(p.decimals - 4), '0');
        return compose(raw < 0, digits, p);
    }
    // Half away from zero on the magnitude.
    const std::uint64_t step = kPowersOfTen[static_cast<std::size_t>(4 - p.decimals)];
    const std::uint64_t scaled = magnitude / step + (magnitude % step >= step / 2 ? 1 : 0);
    return compose(raw < 0, digitsOf(scaled, buffer), p);
}

std::string FormatAmount(double value, std::string_view patternText)
{
    const Pattern p = parsePattern(patternText);
    // The value as 15 significant digits, like "%.15g".
    std::array<char, 40> text{};
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 15);
    std::string_view s(text.data(), static_cast<std::size_t>(written.ptr - text.data()));

    const bool negative = value < 0; // -0.0 is written without a sign
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
    // Keep the digits down to the wanted decimal, rounding half away from zero.
    const long keep = point + p.decimals;
    std::string scaled;
    if (keep >= static_cast<long>(digits.size())) {
        scaled = digits;
        scaled.append(static_cast<std::size_t>(keep - static_cast<long>(digits.size())), '0');
    } else if (keep >= 0) {
        scaled = digits.substr(0, static_cast<std::size_t>(keep));
        if (digits[static_cast<std::size_t>(keep)] >= '5') {
            incrementDigits(scaled);
        }
    }
    return compose(negative, scaled, p);
}
