// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// vesk-calc as a function: the arguments after the program name in, the
// exit status and what goes to stdout and stderr out.

enum ExitStatus : int {
    ExitDone = 0,
    ExitCalculationFailed = 1, // the window would show its error message
    ExitRefused = 2,           // a wrong command line, or inputs the window would not accept
};

struct CommandResult {
    int exitStatus = ExitDone;
    std::string out;
    std::string err;
};

CommandResult RunCalcCommand(const std::vector<std::string>& args);
