// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The font, made smaller in half-point steps (down to 6 points) until text
// fits into width pixels; the font itself when the text already fits. Large
// amounts and very long plans stay readable in the designed widths.
QFont FontToFit(const QFont& font, const QString& text, int width);
