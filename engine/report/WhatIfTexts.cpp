// SPDX-License-Identifier: GPL-3.0-or-later
#include "WhatIfTexts.h"

#include "Calculator.h"
#include "DisplayFormats.h"

namespace {

std::string TakesText(Currency value, bool paysOff, std::int16_t months, const PlanError& error)
{
    if (!paysOff) {
        return DollarText(value) + " fails: " + PlanErrorText(error);
    }
    return DollarText(value) + " takes " + PeriodText(months);
}

} // namespace

std::string_view VariedPaymentName(VariedPayment varied)
{
    switch (varied) {
    case VariedPayment::Maximum:
        return "Maximum Monthly Payment";
    case VariedPayment::Fixed:
        return "Fixed Monthly Payment";
    case VariedPayment::Scheduled:
        break;
    }
    return "Scheduled Payment";
}

std::string PlanErrorText(const PlanError& error)
{
    return PlanErrorText(error.number, error.description);
}

std::string NoAnswerReason(VariedPayment varied, int within, const SolveResult& result)
{
    const std::string period = PeriodText(static_cast<std::int16_t>(within));
    if (varied != VariedPayment::Maximum) {
        return "No fixed payment the calculator can hold pays the loan off within " + period + ".";
    }
    std::string uncapped = "does not pay it off";
    if (result.uncapped && result.uncapped->summary) {
        uncapped = "takes " + PeriodText(result.uncapped->summary->veskMonths);
    } else if (result.uncapped) {
        uncapped = "fails (" + PlanErrorText(result.uncapped->error) + ")";
    }
    return "No cap pays the loan off within " + period + ": Vesk's Method without a cap " +
           uncapped + ", and a cap only slows it down. A fixed payment can.";
}

std::string NextCentDownText(const std::optional<PlanOutcome>& next)
{
    if (!next) {
        return "none: " + DollarText(kLeastLimit) + " is the least the calculator takes";
    }
    return TakesText(next->value, next->summary.has_value(),
                     next->summary ? next->summary->veskMonths : 0, next->error);
}

std::string NextCentDownText(const std::optional<ScheduledOutcome>& next)
{
    if (!next) {
        return "none: one cent is the least payment";
    }
    const bool paysOff = next->run && next->run->paidOff;
    return TakesText(next->value, paysOff, next->run ? next->run->months : 0, next->error);
}
