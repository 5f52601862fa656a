// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandResult result = RunCalcCommand(args);
    std::cout << result.out << std::flush;
    std::cerr << result.err;
    return result.exitStatus;
}
