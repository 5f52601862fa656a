// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaymentPlan.h"
#include "PlanDates.h"

#include <optional>
#include <string>

// The payment plan as comma-separated values, for spreadsheets: the header
// line, then one line per month (the opening balance is not a month), the
// grid's columns and last the extra sent on top of the scheduled payment.
// Amounts are plain numbers rounded to cents as the grid shows them, with no
// grouping and "." as the decimal point (99847.17, 0.45, -1234.50). Lines end
// with CR LF. Given the month of the first payment, a Date column ("2026-01")
// follows the Term column.
std::string PlanCsv(const PaymentPlan& plan,
                    std::optional<CalendarMonth> firstPayment = std::nullopt);
