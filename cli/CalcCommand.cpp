// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcCommand.h"

#include "CalcArguments.h"
#include "CalcReport.h"
#include "PaymentPlan.h"
#include "PlanCsv.h"
#include "RuntimeError.h"

#include <string>
#include <string_view>
#include <variant>

namespace {

// One line, as for refused inputs.
CommandResult Usage(const UsageError& error)
{
    return {ExitRefused, {}, "vesk-calc: " + error.message + " (try 'vesk-calc --help')\n"};
}

CommandResult Failed(const CalcOptions& options, const CalcFailure& failure)
{
    if (options.format == OutputFormat::Json)
        return {ExitCalculationFailed, FailureJson(options.inputs.tillZero, failure), {}};
    return {ExitCalculationFailed, {}, failure.text + '\n'};
}

// The Calculate command: any error while it loads the state, or while it
// runs "Monthly Payment", gets its one fixed message.
const CalcFailure kInvalidVariable{std::string(kInvalidVariableTitle),
                                   std::string(kInvalidVariableText)};

CommandResult MonthlyPayment(const CalcOptions& options)
{
    MonthlyResults results;
    try {
        results = RunMonthlyPayment();
    } catch (const RuntimeError&) {
        return Failed(options, kInvalidVariable);
    }
    if (options.format == OutputFormat::Json)
        return {ExitDone, MonthlyJson(results), {}};
    return {ExitDone, MonthlyText(results), {}};
}

// The payment plan window reports its own errors by number and description.
CommandResult PaymentsTillZero(const CalcOptions& options)
{
    PaymentPlan plan;
    try {
        plan = LoadPaymentPlan();
    } catch (const RuntimeError& error) {
        return Failed(options, {std::string(kPlanErrorTitle),
                                PlanErrorText(error.number(), error.description())});
    }
    switch (options.format) {
    case OutputFormat::Json:
        return {ExitDone, PlanJson(plan), {}};
    case OutputFormat::Csv:
        return {ExitDone, PlanCsv(plan), {}};
    case OutputFormat::Text:
        break;
    }
    return {ExitDone, PlanText(plan), {}};
}

CommandResult Calculate(const CalcOptions& options)
{
    // Inputs the main window would keep Calculate disabled for.
    if (const EnableDecision decision = EnablingRule(options.inputs); !decision.enabled)
        return {ExitRefused,
                {},
                "vesk-calc: " + decision.reason + " (" +
                    std::string(NameOf(decision.field, options.inputs.chkDisableVesk == 1).option) +
                    ")\n"};

    try {
        LoadCalcState(options.inputs);
    } catch (const RuntimeError&) {
        return Failed(options, kInvalidVariable);
    }
    return options.inputs.tillZero ? PaymentsTillZero(options) : MonthlyPayment(options);
}

} // namespace

CommandResult RunCalcCommand(const std::vector<std::string>& args)
{
    const ParsedArguments parsed = ParseArguments(args);
    if (std::holds_alternative<HelpRequest>(parsed))
        return {ExitDone, HelpText(), {}};
    if (std::holds_alternative<VersionRequest>(parsed))
        return {ExitDone, VersionText(), {}};
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return Usage(*error);
    return Calculate(std::get<CalcOptions>(parsed));
}
