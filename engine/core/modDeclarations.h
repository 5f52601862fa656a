// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

#include <cstdint>
#include <string>

// The calculation record shared by the Calculate command and the payment
// plan window. The fields keep this order; all are zero at start-up.
struct CalcRecord {
    double MinRate = 0;
    double VeskRate = 0;
    double MinYearInterest = 0;
    double VeskYearInterest = 0;
    double MinMonthInterest = 0;
    double VeskMonthInterest = 0;
    Currency MinBalance;
    Currency VeskBalance;
    Currency MinPayment;
    Currency VeskScheduled;
    Currency MinPrincipal;
    Currency VeskExtra;
    Currency VeskMonthly;
    Currency VeskPrincipalPaid;
    Currency MinTotalInterest;
    Currency VeskTotalInterest;
    Currency FixedMonthly;
    Currency MaxMonthly;
    Currency VeskPrincipal;
    Currency VeskNextBalance;
    double VeskNextMonthInterest = 0;
    // Vesk's Method for this many months only, then the scheduled payment
    // alone; 0 for the whole loan.
    std::int16_t VeskFirstMonths = 0;
};

// The one process-wide record.
extern CalcRecord CalcState;

// One month of the accelerated plan (Vesk's Method) over CalcState.
void StepVeskMonth();
// One month of the scheduled-payment plan over CalcState. Call only after
// the accelerated plan has reached zero.
void StepMinMonth();
// The same months over a record of the caller's own, so that a plan can be
// run again without touching CalcState.
void StepVeskMonth(CalcRecord& s);
void StepMinMonth(CalcRecord& s);
// Month `month` (from 1) of the accelerated plan: Vesk's Method up to month
// VeskFirstMonths, then the same step as under a fixed payment equal to the
// scheduled payment, so the extra is zero.
void StepPlanMonth(CalcRecord& s, std::int16_t month);
// A month count as "N yrs and M mths"; leaves months % 12 in the argument.
std::string PayoffPeriodText(std::int16_t& months);
