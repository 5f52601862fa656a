// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "EngineTestSupport.h"
#include "PaymentPlan.h"

#include <cstdint>

// The main window's fields for a loan; a maximum or fixed payment enables txtMaximum.
struct Loan {
    const char* balance;
    const char* rate;
    const char* payment;
    const char* maximum = "";
    int chkMaxMonthly = 0;
    int chkDisableVesk = 0;
};

inline CalculatorInputs InputsFor(const Loan& loan, bool tillZero)
{
    CalculatorInputs in;
    in.balance = loan.balance;
    in.rate = loan.rate;
    in.payment = loan.payment;
    in.maximum = loan.maximum;
    in.tillZero = tillZero;
    in.chkMaxMonthly = loan.chkMaxMonthly;
    in.chkDisableVesk = loan.chkDisableVesk;
    in.maximumEnabled = loan.chkMaxMonthly == 1 || loan.chkDisableVesk == 1;
    return in;
}

// The plan the payment plan window builds from the typed fields.
inline PaymentPlan WindowPlan(const Loan& loan, std::int16_t veskFirstMonths = 0)
{
    CalculatorInputs in = InputsFor(loan, true);
    in.veskFirstMonths = veskFirstMonths;
    LoadCalcState(in);
    return LoadPaymentPlan();
}
