// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"

#include <string>
#include <variant>
#include <vector>

// The command line of vesk-calc, read into the inputs the main window would hold.

enum class OutputFormat { Text, Json, Csv };

struct CalcOptions {
    CalculatorInputs inputs;
    OutputFormat format = OutputFormat::Text;
};

struct HelpRequest {};
struct VersionRequest {};

struct UsageError {
    std::string message; // "unknown option '--foo'"
};

using ParsedArguments = std::variant<CalcOptions, HelpRequest, VersionRequest, UsageError>;

// Reads the arguments that follow the program name. Every option's value is
// the next argument, taken as typed (so "-699" is a value), or the text after
// "=" in "--option=value".
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The full --help text.
std::string HelpText();

// The --version line: "vesk-calc (Vesk Payment) 1.0.0".
std::string VersionText();
