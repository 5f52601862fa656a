// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>

// A money amount: a signed 64-bit count of ten-thousandths. Addition and
// subtraction are exact; a result outside the range raises Overflow (6).
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;

    // Exact conversion of a whole number of units (e.g. 0 or 100).
    static Currency fromUnits(std::int64_t units);
    // ten-thousandths as stored
    static constexpr Currency fromRaw(std::int64_t raw)
    {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    // x * 10,000 in double, then nearest integer with ties to even; Overflow when out of range.
    static Currency fromDouble(double x);

    constexpr std::int64_t raw() const { return raw_; }
    // The double nearest to raw / 10,000.
    double toDouble() const
    {
        // Up to 2^53 the count is an exact double, so one correctly rounded
        // division gives the nearest double.
        constexpr std::int64_t kExactLimit = std::int64_t{1} << 53;
        if (raw_ >= -kExactLimit && raw_ <= kExactLimit) {
            return static_cast<double>(raw_) / static_cast<double>(kScale);
        }
        return wideToDouble();
    }

    static constexpr Currency max() { return fromRaw(INT64_MAX); }
    static constexpr Currency min() { return fromRaw(INT64_MIN); }

    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    Currency& operator+=(Currency b) { return *this = *this + b; }
    Currency& operator-=(Currency b) { return *this = *this - b; }

    friend constexpr bool operator==(Currency a, Currency b) = default;
    friend constexpr auto operator<=>(Currency a, Currency b) = default;

private:
    double wideToDouble() const;

    std::int64_t raw_ = 0;
};

// A double compared with an amount: both as doubles.
inline bool operator<(double x, Currency c)
{
    return x < c.toDouble();
}
inline bool operator<(Currency c, double x)
{
    return c.toDouble() < x;
}
