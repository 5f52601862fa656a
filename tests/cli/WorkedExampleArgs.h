// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

// The worked example's command line (100000 at 7.5 % with 699 a month), plus extra arguments.
inline Args WorkedExample(Args extra = {})
{
    Args args{"--balance", "100000", "--rate", "7.5", "--payment", "699"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}
