// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "PaymentPlan.h"

#include <memory>

// The main window's fields for a loan in "Payments Till Zero", as the tests
// and benchmarks fill them, and the plan the payment plan window makes of them.

enum class Limit { None, Maximum, Fixed };

inline CalculatorInputs TillZero(const char* balance, const char* rate, const char* payment,
                                 Limit limit = Limit::None, const char* amount = "")
{
    return CalculatorInputs{.balance = balance,
                            .rate = rate,
                            .payment = payment,
                            .maximum = amount,
                            .tillZero = true,
                            .chkMaxMonthly = limit == Limit::Maximum ? 1 : 0,
                            .chkDisableVesk = limit == Limit::Fixed ? 1 : 0,
                            .maximumEnabled = limit != Limit::None};
}

// Loads CalcState from the fields and builds the plan, as the window does.
inline std::shared_ptr<const PaymentPlan> PlanFor(const CalculatorInputs& in)
{
    LoadCalcState(in);
    return std::make_shared<const PaymentPlan>(LoadPaymentPlan());
}

// 32,766 months of 100.00 (and as many of the scheduled plan): the most rows
// the plan window can hold.
inline const CalculatorInputs kLongestPlan = TillZero("3276600", "0", "100", Limit::Fixed, "100");
