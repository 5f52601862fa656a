// SPDX-License-Identifier: GPL-3.0-or-later
#include "WhatIfReport.h"

#include "Calculator.h"
#include "DisplayFormats.h"
#include "PlanTexts.h"
#include "ReportValues.h"
#include "WhatIfTexts.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view kPlainAverage = "0.00";

std::string_view KindName(VariedPayment varied)
{
    switch (varied) {
    case VariedPayment::Maximum:
        return "maximum";
    case VariedPayment::Fixed:
        return "fixed";
    case VariedPayment::Scheduled:
        break;
    }
    return "scheduled";
}

Json ErrorJson(const PlanError& error)
{
    return {{"title", kPlanErrorTitle}, {"text", PlanErrorText(error)}};
}

// "payoffPeriod", and "payoffMonth" beside it in a dated plan.
void AddPeriod(Json& json, const WhatIfQuestion& question, std::int16_t months)
{
    json["payoffPeriod"] = PeriodJson(months);
    if (question.firstPayment)
        json["payoffMonth"] = PayoffMonthIso(question.firstPayment, months);
}

// One plan of a sweep or solve, its summary with both plans' totals.
Json OutcomeJson(const WhatIfQuestion& question, const PlanOutcome& outcome)
{
    Json json{{"value", DollarsJson(outcome.value)}};
    if (!outcome.summary) {
        json["error"] = ErrorJson(outcome.error);
        return json;
    }
    const PlanSummary& summary = *outcome.summary;
    const PlanSummaryTexts texts = SummaryTexts(summary);
    AddPeriod(json, question, summary.veskMonths);
    json["totalInterest"] = DollarsJson(summary.totalInterest);
    json["totalPaid"] = DollarsJson(summary.totalPaid);
    json["interestSaved"] = DollarsJson(summary.interestSaved, texts.amountSaved);
    json["averagePayment"] = AmountJson(summary.averageMonthly, texts.averageMonthly);
    json["minTotalInterest"] = DollarsJson(summary.minTotalInterest, texts.minTotalInterest);
    json["minTotalPaid"] = DollarsJson(summary.minTotalPaid, texts.minTotalPaid);
    return json;
}

// The next cent down: its value and its payoff period, or its error.
template <typename Outcome>
Json NextCentDownJson(const WhatIfQuestion& question, const std::optional<Outcome>& next,
                      std::optional<std::int16_t> months)
{
    if (!next)
        return nullptr;
    Json json{{"value", DollarsJson(next->value)}};
    if (months) {
        AddPeriod(json, question, *months);
    } else {
        json["payoffPeriod"] = nullptr;
        json["error"] = ErrorJson(next->error);
    }
    return json;
}

Json QuestionJson(const WhatIfQuestion& question)
{
    const auto within = static_cast<std::int16_t>(question.within);
    return {
        {"mode", "solve"}, {"solveFor", KindName(question.varied)}, {"within", PeriodJson(within)}};
}

// A table of cells: a header row, then one row per plan; CSV quotes a cell
// only where it needs to.
using Cells = std::vector<std::string>;

std::string CsvCell(const std::string& cell)
{
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char c : cell)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string CsvLines(const std::vector<Cells>& rows)
{
    std::string csv;
    for (const Cells& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            csv += (c == 0 ? "" : ",") + CsvCell(row[c]);
        csv += "\r\n";
    }
    return csv;
}

// The columns of a plan's row in a CSV: its payoff, totals and average.
Cells OutcomeHeaders(const WhatIfQuestion& question)
{
    Cells headers{std::string(VariedPaymentName(question.varied)), "Payoff Months",
                  "Payoff Period"};
    if (question.firstPayment)
        headers.emplace_back("Payoff Month");
    for (const char* header : {"Total Interest", "Total Paid", "Interest Saved", "Average Payment",
                               "Minimum Total Interest", "Minimum Total Paid", "Error"})
        headers.emplace_back(header);
    return headers;
}

Cells OutcomeCells(const WhatIfQuestion& question, const PlanOutcome& outcome)
{
    Cells cells{PlainText(outcome.value)};
    if (!outcome.summary) {
        cells.resize(OutcomeHeaders(question).size());
        cells.back() = PlanErrorText(outcome.error);
        return cells;
    }
    const PlanSummary& summary = *outcome.summary;
    const auto optionalCents = [](const std::optional<Currency>& amount) {
        return amount ? PlainCentsText(*amount) : std::string();
    };
    cells.push_back(std::to_string(summary.veskMonths));
    cells.push_back(PeriodText(summary.veskMonths));
    if (question.firstPayment)
        cells.push_back(PayoffMonthIso(question.firstPayment, summary.veskMonths));
    cells.push_back(PlainCentsText(summary.totalInterest));
    cells.push_back(PlainCentsText(summary.totalPaid));
    cells.push_back(optionalCents(summary.interestSaved));
    cells.push_back(FormatAmount(summary.averageMonthly, kPlainAverage));
    cells.push_back(optionalCents(summary.minTotalInterest));
    cells.push_back(optionalCents(summary.minTotalPaid));
    cells.emplace_back();
    return cells;
}

// The caption lines of one plan's results, as the plan window's summary.
std::string OutcomeLines(const WhatIfQuestion& question, const PlanSummary& summary,
                         std::size_t width)
{
    const PlanSummaryTexts texts = SummaryTexts(summary);
    std::string lines = CaptionLine("Payoff Period", width, texts.payoff);
    if (question.firstPayment)
        lines += CaptionLine("Payoff Month", width,
                             PayoffMonthText(question.firstPayment, summary.veskMonths));
    return lines + CaptionLine("Amount Saved On Interest", width, texts.amountSaved) +
           CaptionLine("Aver Mnthly Pymt", width, texts.averageMonthly) +
           CaptionLine("Total Interest", width, texts.totalInterest) +
           CaptionLine("Total Paid", width, texts.totalPaid) +
           CaptionLine("Minimum Payment Plan Total Interest", width, texts.minTotalInterest) +
           CaptionLine("Minimum Payment Plan Total Paid", width, texts.minTotalPaid);
}

constexpr std::string_view kWithin = "Pay off within";
constexpr std::string_view kNextCentDown = "Next cent down";
constexpr std::size_t kSolveWidth = std::string_view("Minimum Payment Plan Total Interest").size();

std::string WithinText(const WhatIfQuestion& question)
{
    return PeriodText(static_cast<std::int16_t>(question.within));
}

} // namespace

std::string SolveText(const WhatIfQuestion& question, const SolveResult& result)
{
    const std::string_view name = VariedPaymentName(question.varied);
    std::string text = CaptionLine(kWithin, kSolveWidth, WithinText(question));
    if (!result.answer) {
        return text + CaptionLine(name, kSolveWidth, "none") +
               NoAnswerReason(question.varied, question.within, result) +
               (question.varied == VariedPayment::Maximum ? " Try --solve fixed.\n" : "\n");
    }
    text += CaptionLine(name, kSolveWidth, DollarText(result.answer->value));
    if (result.answer->summary)
        text += OutcomeLines(question, *result.answer->summary, kSolveWidth);
    return text + CaptionLine(kNextCentDown, kSolveWidth, NextCentDownText(result.nextCentDown));
}

std::string SolveJson(const WhatIfQuestion& question, const SolveResult& result)
{
    Json json = QuestionJson(question);
    if (!result.answer) {
        json["value"] = nullptr;
        json["reason"] = NoAnswerReason(question.varied, question.within, result);
        if (result.uncapped && result.uncapped->summary)
            json["uncappedPayoffPeriod"] = PeriodJson(result.uncapped->summary->veskMonths);
        return JsonLine(json);
    }
    json.update(OutcomeJson(question, *result.answer));
    const auto& next = result.nextCentDown;
    json["nextCentDown"] = NextCentDownJson(
        question, next,
        next && next->summary ? std::optional(next->summary->veskMonths) : std::nullopt);
    return JsonLine(json);
}

std::string SolveCsv(const WhatIfQuestion& question, const SolveResult& result)
{
    Cells headers{"Within Months"};
    Cells row{std::to_string(question.within)};
    const Cells outcomeHeaders = OutcomeHeaders(question);
    headers.insert(headers.end(), outcomeHeaders.begin(), outcomeHeaders.end());
    if (result.answer) {
        const Cells cells = OutcomeCells(question, *result.answer);
        row.insert(row.end(), cells.begin(), cells.end());
    } else {
        row.resize(headers.size());
        row.back() = NoAnswerReason(question.varied, question.within, result);
    }
    for (const char* header : {"Next Cent Down", "Next Cent Down Payoff Months"})
        headers.emplace_back(header);
    const auto& next = result.nextCentDown;
    row.push_back(next ? PlainText(next->value) : std::string());
    row.push_back(next && next->summary ? std::to_string(next->summary->veskMonths)
                                        : std::string());
    return CsvLines({headers, row});
}

std::string ScheduledSolveText(const WhatIfQuestion& question, const ScheduledSolveResult& result)
{
    std::string text = CaptionLine(kWithin, kSolveWidth, WithinText(question));
    const std::string_view name = VariedPaymentName(VariedPayment::Scheduled);
    if (!result.answer || !result.answer->run)
        return text + CaptionLine(name, kSolveWidth, "none");
    const ScheduledRun& run = *result.answer->run;
    text += CaptionLine(name, kSolveWidth, DollarText(result.answer->value)) +
            CaptionLine("Payoff Period", kSolveWidth, PeriodText(run.months));
    if (question.firstPayment)
        text += CaptionLine("Payoff Month", kSolveWidth,
                            PayoffMonthText(question.firstPayment, run.months));
    return text + CaptionLine("Total Interest", kSolveWidth, DollarText(run.totalInterest)) +
           CaptionLine("Total Paid", kSolveWidth, DollarText(result.answer->totalPaid)) +
           CaptionLine(kNextCentDown, kSolveWidth, NextCentDownText(result.nextCentDown));
}

std::string ScheduledSolveJson(const WhatIfQuestion& question, const ScheduledSolveResult& result)
{
    Json json = QuestionJson(question);
    if (!result.answer || !result.answer->run) {
        json["value"] = nullptr;
        json["reason"] = "No scheduled payment the calculator can hold pays the loan off in time.";
        return JsonLine(json);
    }
    const ScheduledRun& run = *result.answer->run;
    json["value"] = DollarsJson(result.answer->value);
    AddPeriod(json, question, run.months);
    json["totalInterest"] = DollarsJson(run.totalInterest);
    json["totalPaid"] = DollarsJson(result.answer->totalPaid);
    const auto& next = result.nextCentDown;
    json["nextCentDown"] = NextCentDownJson(
        question, next, next && next->run ? std::optional(next->run->months) : std::nullopt);
    return JsonLine(json);
}

std::string ScheduledSolveCsv(const WhatIfQuestion& question, const ScheduledSolveResult& result)
{
    Cells headers{"Within Months", std::string(VariedPaymentName(VariedPayment::Scheduled)),
                  "Payoff Months", "Payoff Period"};
    if (question.firstPayment)
        headers.emplace_back("Payoff Month");
    for (const char* header :
         {"Total Interest", "Total Paid", "Next Cent Down", "Next Cent Down Payoff Months"})
        headers.emplace_back(header);
    Cells row{std::to_string(question.within)};
    if (result.answer && result.answer->run) {
        const ScheduledRun& run = *result.answer->run;
        row.push_back(PlainText(result.answer->value));
        row.push_back(std::to_string(run.months));
        row.push_back(PeriodText(run.months));
        if (question.firstPayment)
            row.push_back(PayoffMonthIso(question.firstPayment, run.months));
        row.push_back(PlainCentsText(run.totalInterest));
        row.push_back(PlainCentsText(result.answer->totalPaid));
    }
    row.resize(headers.size() - 2);
    const auto& next = result.nextCentDown;
    row.push_back(next ? PlainText(next->value) : std::string());
    row.push_back(next && next->run ? std::to_string(next->run->months) : std::string());
    return CsvLines({headers, row});
}

std::string SweepText(const WhatIfQuestion& question, const std::vector<PlanOutcome>& rows)
{
    Cells headers{std::string(VariedPaymentName(question.varied)), "Payoff Period"};
    std::vector<bool> left{false, true};
    if (question.firstPayment) {
        headers.emplace_back("Payoff Month");
        left.push_back(true);
    }
    for (const char* header :
         {"Total Interest", "Total Paid", "Amount Saved", "Aver Mnthly Pymt"}) {
        headers.emplace_back(header);
        left.push_back(false);
    }
    std::vector<Cells> table{headers};
    for (const PlanOutcome& row : rows) {
        Cells cells{DollarText(row.value)};
        if (!row.summary) {
            cells.push_back(PlanErrorText(row.error));
            table.push_back(std::move(cells));
            continue;
        }
        const PlanSummaryTexts texts = SummaryTexts(*row.summary);
        cells.push_back(texts.payoff);
        if (question.firstPayment)
            cells.push_back(PayoffMonthText(question.firstPayment, row.summary->veskMonths));
        for (const std::string* text :
             {&texts.totalInterest, &texts.totalPaid, &texts.amountSaved, &texts.averageMonthly})
            cells.push_back(*text);
        table.push_back(std::move(cells));
    }
    return AlignedColumns(table, left);
}

std::string SweepJson(const WhatIfQuestion& question, const std::vector<PlanOutcome>& rows)
{
    Json list = Json::array();
    for (const PlanOutcome& row : rows)
        list.push_back(OutcomeJson(question, row));
    return JsonLine(
        {{"mode", "sweep"}, {"sweepOf", KindName(question.varied)}, {"rows", std::move(list)}});
}

std::string SweepCsv(const WhatIfQuestion& question, const std::vector<PlanOutcome>& rows)
{
    std::vector<Cells> table{OutcomeHeaders(question)};
    for (const PlanOutcome& row : rows)
        table.push_back(OutcomeCells(question, row));
    return CsvLines(table);
}
