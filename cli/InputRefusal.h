// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"

#include <optional>
#include <string>

// Why the main window would keep Calculate disabled for these inputs, as one
// line naming the input ("balance: must be a number greater than 0"); nothing
// when it would enable Calculate. EnablingRule decides; this only explains,
// following the rule's tests in their order.
std::optional<std::string> RefusalReason(const CalculatorInputs& in);
