// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The caption colour of a plan that is not Vesk's Method as designed: dark red.
inline const QColor kAlteredColour(192, 0, 0);
