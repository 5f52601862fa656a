// SPDX-License-Identifier: GPL-3.0-or-later
#include "modAppTexts.h"

std::string AppTitle;
std::string AppFolder;
