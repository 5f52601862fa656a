// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Double products and quotients that raise Overflow (6) instead of reaching
// infinity, and the platform's errors for a division by zero.
double Multiply(double a, double b);
double Divide(double a, double b);

// Adds one to a signed 16-bit month counter; passing 32,767 raises Overflow.
void IncrementMonths(std::int16_t& months);
// months + 1 as a row number, with the same 16-bit limit.
std::int16_t NextRow(std::int16_t months);
