// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaymentPlan.h"

#include <string>

// The payment plan as comma-separated values, for spreadsheets: the header
// line, then one line per month (the opening balance is not a month).
// Amounts are plain numbers rounded to cents as the grid shows them, with no
// grouping and "." as the decimal point (99847.17, 0.45, -1234.50). Lines end
// with CR LF.
std::string PlanCsv(const PaymentPlan& plan);
