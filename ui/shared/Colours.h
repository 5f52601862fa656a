// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The caption colour of a plan that is not Vesk's Method as designed: dark red.
inline const QColor kAlteredColour(192, 0, 0);

// WCAG contrast ratio between two colours, from 1 (none) to 21.
double ContrastRatio(const QColor& first, const QColor& second);
// The designed colour where it reads well on background (contrast of at
// least 4.5 : 1), otherwise the same hue lightened or darkened until it does.
QColor ReadableColour(const QColor& designed, const QColor& background);
