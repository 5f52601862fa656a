// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlanDates.h"
#include "WhatIf.h"

#include <optional>
#include <string>
#include <vector>

// vesk-calc's reports of a solve and a sweep, as text, JSON and CSV. Every
// amount is shown as the payment plan window shows it; the JSON gives the
// exact amounts beside the texts, and "payoffMonth" beside every payoff
// period of a dated plan.

// What was asked: the payment that changes, the months to pay off within
// (a solve), and the month of the first payment where the plans are dated.
struct WhatIfQuestion {
    VariedPayment varied = VariedPayment::Maximum;
    int within = 0;
    std::optional<CalendarMonth> firstPayment;
};

std::string SolveText(const WhatIfQuestion& report, const SolveResult& result);
std::string SolveJson(const WhatIfQuestion& report, const SolveResult& result);
std::string SolveCsv(const WhatIfQuestion& report, const SolveResult& result);

std::string ScheduledSolveText(const WhatIfQuestion& report, const ScheduledSolveResult& result);
std::string ScheduledSolveJson(const WhatIfQuestion& report, const ScheduledSolveResult& result);
std::string ScheduledSolveCsv(const WhatIfQuestion& report, const ScheduledSolveResult& result);

std::string SweepText(const WhatIfQuestion& report, const std::vector<PlanOutcome>& rows);
std::string SweepJson(const WhatIfQuestion& report, const std::vector<PlanOutcome>& rows);
std::string SweepCsv(const WhatIfQuestion& report, const std::vector<PlanOutcome>& rows);
