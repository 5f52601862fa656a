// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"
#include "RuntimeError.h"
#include "modDeclarations.h"

#include <cstdint>
#include <ostream>
#include <string_view>

// An amount written as a decimal literal ("777.8313", "-0.0001"), read here
// without the engine's own conversions so that the tests do not lean on them.
constexpr Currency Money(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    std::int64_t raw = 0;
    int decimals = -1;
    for (char ch : text) {
        if (ch == '.') {
            decimals = 0;
            continue;
        }
        raw = raw * 10 - (ch - '0'); // accumulate negatively: the minimum fits
        if (decimals >= 0)
            ++decimals;
    }
    for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d)
        raw *= 10;
    return Currency::fromRaw(negative ? raw : -raw);
}

inline void PrintTo(Currency c, std::ostream* os)
{
    *os << c.raw() << " ten-thousandths";
}

// The number of the RuntimeError that f raises, or 0 when it raises none.
template <typename F> int ErrorNumberOf(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// A loan as the Calculate command loads it, rates divided by 100, set
// directly so that the step tests do not depend on the text conversions.
inline void StartLoan(Currency balance, double ratePercent, Currency payment, Currency maximum = {},
                      Currency fixed = {})
{
    CalcState = CalcRecord{};
    CalcState.VeskBalance = CalcState.MinBalance = balance;
    CalcState.VeskRate = CalcState.MinRate = ratePercent / 100;
    CalcState.VeskScheduled = CalcState.MinPayment = payment;
    CalcState.MaxMonthly = maximum;
    CalcState.FixedMonthly = fixed;
}
