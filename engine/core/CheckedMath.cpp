// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckedMath.h"

#include "RuntimeError.h"

#include <cmath>
#include <limits>

double Multiply(double a, double b)
{
    const double product = a * b;
    if (!std::isfinite(product)) {
        Raise(ErrOverflow);
    }
    return product;
}

double Divide(double a, double b)
{
    if (b == 0) {
        // As the platform reports it: 0/0 is an overflow, x/0 a division by zero.
        Raise(a == 0 || std::isnan(a) ? ErrOverflow : ErrDivisionByZero);
    }
    const double quotient = a / b;
    if (!std::isfinite(quotient)) {
        Raise(ErrOverflow);
    }
    return quotient;
}

void IncrementMonths(std::int16_t& months)
{
    months = NextRow(months);
}

std::int16_t NextRow(std::int16_t months)
{
    if (months == std::numeric_limits<std::int16_t>::max()) {
        Raise(ErrOverflow);
    }
    return static_cast<std::int16_t>(months + 1);
}
