// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QIcon;

// Registers the images compiled into the program (":/icons/..."). The
// resources live in a static library, so whoever uses them calls this first;
// calling it again does nothing.
void InitVeskResources();

// The calculator icon of the main window and the payment plan window.
QIcon CalculatorIcon();
