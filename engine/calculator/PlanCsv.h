// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"

#include <string>
#include <vector>

// The payment plan as comma-separated values, for spreadsheets: the header
// line, then one line per month (the opening row is not a month). Amounts are
// plain numbers with two decimals, no grouping and "." as the decimal point
// ("99,847.17" becomes 99847.17, ".45" becomes 0.45). Fields are quoted where
// RFC 4180 needs it; lines end with CR LF.
std::string PlanCsv(const PaymentPlan& plan);
// The same for a plan's grid rows: header row, opening row, month rows.
std::string PlanCsv(const std::vector<PlanRow>& rows);
