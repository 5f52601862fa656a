// SPDX-License-Identifier: GPL-3.0-or-later
#include "Currency.h"

#include "RuntimeError.h"

#include <bit>
#include <cmath>

Currency Currency::fromUnits(std::int64_t units)
{
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(units, kScale, &raw)) {
        Raise(ErrOverflow);
    }
    return fromRaw(raw);
}

Currency Currency::fromDouble(double x)
{
    // nearbyint rounds half to even in the default rounding mode.
    const double scaled = std::nearbyint(x * static_cast<double>(kScale));
    // 2^63 is exact in a double; anything at or above it (or NaN) is out of range.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(scaled >= -kLimit && scaled < kLimit)) {
        Raise(ErrOverflow);
    }
    return fromRaw(static_cast<std::int64_t>(scaled));
}

Currency operator+(Currency a, Currency b)
{
    std::int64_t raw = 0;
    if (__builtin_add_overflow(a.raw_, b.raw_, &raw)) {
        Raise(ErrOverflow);
    }
    return Currency::fromRaw(raw);
}

Currency operator-(Currency a, Currency b)
{
    std::int64_t raw = 0;
    if (__builtin_sub_overflow(a.raw_, b.raw_, &raw)) {
        Raise(ErrOverflow);
    }
    return Currency::fromRaw(raw);
}

// Beyond 2^53 the count itself would be rounded before the division, so the
// quotient is formed in integers: its 53 leading bits, then one rounding.
double Currency::wideToDouble() const
{
    constexpr std::uint64_t scale = kScale;
    const bool negative = raw_ < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
    const std::uint64_t whole = magnitude / scale; // at least 2^39 here, below 2^50
    const std::uint64_t rest = magnitude % scale;
    // magnitude / 10,000 * 2^shift has its integer part in [2^52, 2^53).
    const int shift = 53 - std::bit_width(whole);
    const std::uint64_t scaledRest = rest << shift;
    std::uint64_t significand = (whole << shift) + scaledRest / scale;
    const std::uint64_t remainder = scaledRest % scale;
    // Nearest, ties to even; 2^53 itself is still exact.
    if (2 * remainder > scale || (2 * remainder == scale && (significand & 1) != 0)) {
        ++significand;
    }
    const double value = std::ldexp(static_cast<double>(significand), -shift);
    return negative ? -value : value;
}
