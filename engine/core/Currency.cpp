// SPDX-License-Identifier: GPL-3.0-or-later
#include "Currency.h"

#include "RuntimeError.h"

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
