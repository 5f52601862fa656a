// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

#include <cstdint>
#include <string>
#include <string_view>

// Display patterns in use.
inline constexpr std::string_view kDollarPattern = "$###,###.00";
inline constexpr std::string_view kPaymentPattern = "###,###.00";
inline constexpr std::string_view kPrincipalPattern = "#,###,###.00";
inline constexpr std::string_view kBalancePattern = "##,###,###.00";

// Shortest decimal form, at most four decimals, no grouping: 777.8313, 699, 0.5, -12.25.
std::string PlainText(Currency amount);
// Digits of a whole number: 14, -3.
std::string PlainText(std::int64_t value);

// An amount formatted with a pattern such as "$###,###.00": every integer digit,
// grouped by thousands when the pattern groups, nothing before the point when
// the integer part is zero, the decimals rounded half away from zero, literal
// prefix copied, "-" in front of everything for negatives.
std::string FormatAmount(Currency amount, std::string_view pattern);
// A double is first written with 15 significant digits, then that decimal is
// rounded and formatted as above.
std::string FormatAmount(double value, std::string_view pattern);
// An amount in kDollarPattern, as the windows show money: "$76,873.92".
std::string DollarText(Currency amount);
