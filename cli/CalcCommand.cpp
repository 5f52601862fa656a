// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcCommand.h"

#include "CalcArguments.h"
#include "CalcReport.h"
#include "PaymentPlan.h"
#include "PlanCsv.h"
#include "RuntimeError.h"
#include "TextConversions.h"
#include "WhatIfReport.h"
#include "WhatIfTexts.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace {

// One line, as for refused inputs.
CommandResult Usage(const UsageError& error)
{
    const std::string hint = error.suggestHelp ? " (try 'vesk-calc --help')" : "";
    return {ExitRefused, {}, "vesk-calc: " + error.message + hint + "\n"};
}

std::string_view ModeName(const CalcOptions& options)
{
    switch (options.mode) {
    case CalcMode::Solve:
        return "solve";
    case CalcMode::Sweep:
        return "sweep";
    case CalcMode::Calculate:
        break;
    }
    return options.inputs.tillZero ? "till_zero" : "monthly";
}

CommandResult Failed(const CalcOptions& options, const CalcFailure& failure)
{
    if (options.format == OutputFormat::Json)
        return {ExitCalculationFailed, FailureJson(ModeName(options), failure), {}};
    return {ExitCalculationFailed, {}, failure.text + '\n'};
}

CommandResult Done(const CalcOptions& options, std::string text, std::string json, std::string csv)
{
    switch (options.format) {
    case OutputFormat::Json:
        return {ExitDone, std::move(json), {}};
    case OutputFormat::Csv:
        return {ExitDone, std::move(csv), {}};
    case OutputFormat::Text:
        break;
    }
    return {ExitDone, std::move(text), {}};
}

// The Calculate command: any error while it loads the state, or while it
// runs "Monthly Payment", gets its one fixed message.
const CalcFailure kInvalidVariable{std::string(kInvalidVariableTitle),
                                   std::string(kInvalidVariableText)};

// The payment plan window reports its own errors by number and description.
CalcFailure PlanFailure(int number, const std::string& description)
{
    return {std::string(kPlanErrorTitle), PlanErrorText(number, description)};
}

// Every payoff month a dated report would show must fall by December 9999.
std::optional<UsageError> DatesFit(const CalcOptions& options,
                                   std::initializer_list<std::int16_t> payoffMonths)
{
    if (!options.firstPayment)
        return std::nullopt;
    for (const std::int16_t months : payoffMonths) {
        if (months > 0 && !PlanMonthDate(*options.firstPayment, months))
            return UsageError{"--first-payment " + options.firstPayment->isoText() + ": month " +
                                  std::to_string(months) + " of the plan falls after 9999-12",
                              false};
    }
    return std::nullopt;
}

ReportContext ContextOf(const CalcOptions& options)
{
    return {options.firstPayment, options.inputs.veskFirstMonths, std::nullopt};
}

CommandResult MonthlyPayment(const CalcOptions& options)
{
    MonthlyResults results;
    try {
        results = RunMonthlyPayment();
    } catch (const RuntimeError&) {
        return Failed(options, kInvalidVariable);
    }
    if (auto error = DatesFit(options, {results.months}))
        return Usage(*error);
    ReportContext context = ContextOf(options);
    if (context.veskFirstMonths != 0) {
        CalculatorInputs whole = options.inputs;
        whole.veskFirstMonths = 0;
        try {
            LoadCalcState(whole);
            context.wholeLoanSaved = RunMonthlyPayment().interestSaved;
        } catch (const RuntimeError&) {
            // the comparison is left out; the plan asked for stands
        }
    }
    return Done(options, MonthlyText(results, context), MonthlyJson(results, context), {});
}

CommandResult PaymentsTillZero(const CalcOptions& options)
{
    PaymentPlan plan;
    try {
        plan = LoadPaymentPlan();
    } catch (const RuntimeError& error) {
        return Failed(options, PlanFailure(error.number(), error.description()));
    }
    if (auto error = DatesFit(options, {plan.summary.veskMonths, plan.summary.minMonths}))
        return Usage(*error);
    ReportContext context = ContextOf(options);
    if (context.veskFirstMonths != 0) {
        PlanTerms whole = plan.terms;
        whole.veskFirstMonths = 0;
        const PlanOutcome outcome =
            WhatIfLoan(whole).outcome(VariedPayment::Maximum, whole.maxMonthly);
        context.wholeLoanSaved = outcome.summary ? outcome.summary->interestSaved : std::nullopt;
    }
    return Done(options, PlanText(plan, context), PlanJson(plan, context),
                PlanCsv(plan, options.firstPayment));
}

CommandResult Solve(const CalcOptions& options, const PlanTerms& terms)
{
    const WhatIfQuestion question{options.varied, options.within, options.firstPayment};
    if (options.varied == VariedPayment::Scheduled) {
        const ScheduledSolveResult result =
            SolveScheduled(terms.openingBalance, terms.minRate, options.within);
        const auto months = [](const std::optional<ScheduledOutcome>& outcome) {
            return outcome && outcome->run ? outcome->run->months : std::int16_t{0};
        };
        if (auto error = DatesFit(options, {months(result.answer), months(result.nextCentDown)}))
            return Usage(*error);
        return Done(options, ScheduledSolveText(question, result),
                    ScheduledSolveJson(question, result), ScheduledSolveCsv(question, result));
    }
    const SolveResult result = Solve(WhatIfLoan(terms), options.varied, options.within);
    if (result.answer && !result.answer->summary) {
        // The loan's scheduled plan fails, and with it every plan of the loan.
        const PlanError& error = result.answer->error;
        return Failed(options, PlanFailure(error.number, error.description));
    }
    const auto months = [](const std::optional<PlanOutcome>& outcome) {
        return outcome && outcome->summary ? outcome->summary->veskMonths : std::int16_t{0};
    };
    if (auto error = DatesFit(options, {months(result.answer), months(result.nextCentDown)}))
        return Usage(*error);
    return Done(options, SolveText(question, result), SolveJson(question, result),
                SolveCsv(question, result));
}

CommandResult Sweep(const CalcOptions& options, const PlanTerms& terms)
{
    SweepRange range;
    try {
        range = {TextToCurrency(options.from), TextToCurrency(options.to),
                 TextToCurrency(options.step)};
    } catch (const RuntimeError&) {
        return Failed(options, kInvalidVariable); // as the Maximum field's text would
    }
    if (range.step <= Currency())
        return Usage(UsageError{"--step must be greater than 0", false});
    if (range.to < range.from)
        return Usage(UsageError{"--to must not be below --from", false});
    if (const std::int64_t count = SweepCount(range); count > kMostSweepValues)
        return Usage(UsageError{"--sweep takes at most " + std::to_string(kMostSweepValues) +
                                    " values; --from, --to and --step give " +
                                    std::to_string(count),
                                false});

    const WhatIfQuestion question{options.varied, 0, options.firstPayment};
    const std::vector<PlanOutcome> rows = Sweep(WhatIfLoan(terms), options.varied, range);
    for (const PlanOutcome& row : rows) {
        if (auto error =
                DatesFit(options, {row.summary ? row.summary->veskMonths : std::int16_t{0}}))
            return Usage(*error);
    }
    return Done(options, SweepText(question, rows), SweepJson(question, rows),
                SweepCsv(question, rows));
}

// The inputs as the main window would hold them for one plan of a solve or
// a sweep: the range's ends for a sweep, the least payment the window takes
// for a solve, and any payment above zero where the scheduled payment is
// what a solve finds.
std::vector<CalculatorInputs> WindowInputs(const CalcOptions& options)
{
    CalculatorInputs in = options.inputs;
    if (options.mode == CalcMode::Calculate)
        return {in};
    if (options.varied == VariedPayment::Scheduled) {
        in.payment = "1";
        return {in};
    }
    in.maximumEnabled = true;
    in.chkMaxMonthly = options.varied == VariedPayment::Maximum ? 1 : 0;
    in.chkDisableVesk = 1 - in.chkMaxMonthly;
    if (options.mode == CalcMode::Solve) {
        in.maximum = "15";
        return {in};
    }
    CalculatorInputs to = in;
    in.maximum = options.from;
    to.maximum = options.to;
    return {in, to};
}

CommandResult Calculate(const CalcOptions& options)
{
    // Inputs the main window would keep Calculate disabled for. A sweep's
    // ends stand in the Maximum field.
    const std::vector<CalculatorInputs> inputs = WindowInputs(options);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const EnableDecision decision = EnablingRule(inputs[i]);
        if (decision.enabled)
            continue;
        std::string option(NameOf(decision.field, inputs[i].chkDisableVesk == 1).option);
        if (options.mode == CalcMode::Sweep && decision.field == InputField::Maximum)
            option = i == 0 ? "--from" : "--to";
        return {ExitRefused, {}, "vesk-calc: " + decision.reason + " (" + option + ")\n"};
    }

    try {
        LoadCalcState(inputs.front());
    } catch (const RuntimeError&) {
        return Failed(options, kInvalidVariable);
    }
    switch (options.mode) {
    case CalcMode::Solve:
        return Solve(options, TermsOf(CalcState));
    case CalcMode::Sweep:
        return Sweep(options, TermsOf(CalcState));
    case CalcMode::Calculate:
        break;
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
