// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "PlanDates.h"
#include "WhatIf.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The command line of vesk-calc, read into the inputs the main window would hold.

enum class OutputFormat { Text, Json, Csv };

// Beside the calculation the window runs: the least payment that pays off
// within a time (solve), or one plan for each payment of a range (sweep).
enum class CalcMode { Calculate, Solve, Sweep };

struct CalcOptions {
    CalculatorInputs inputs;
    OutputFormat format = OutputFormat::Text;
    CalcMode mode = CalcMode::Calculate;
    VariedPayment varied = VariedPayment::Maximum; // what a solve or sweep changes
    int within = 0;                                // solve: months
    std::string from, to, step;                    // sweep: read as the Maximum field reads them
    std::optional<CalendarMonth> firstPayment;     // dates the plan's months
};

struct HelpRequest {};
struct VersionRequest {};

struct UsageError {
    std::string message;     // "unknown option '--foo'"
    bool suggestHelp = true; // false for a refused value ("--within must be 1 to 32766 months")
};

using ParsedArguments = std::variant<CalcOptions, HelpRequest, VersionRequest, UsageError>;

// Reads the arguments that follow the program name. Every option's value is
// the next argument, taken as typed (so "-699" is a value), or the text after
// "=" in "--option=value".
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// A span of months as --within and --vesk-months take it: whole months
// ("120"), years ("10y") or both ("10y6m"); none for any other text.
std::optional<int> ParseSpan(std::string_view text);

// The full --help text.
std::string HelpText();

// The --version line: "vesk-calc (Vesk Payment) 1.0.0".
std::string VersionText();
