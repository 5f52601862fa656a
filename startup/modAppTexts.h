// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Application-wide texts, set once by the splash window when it loads.
extern std::string AppTitle;
extern std::string AppFolder;

// The marker file lies directly in AppFolder.
inline constexpr const char* kMarkerFileName = "veskpayment.txt";
