// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

class QLabel;

// The font, made smaller in half-point steps (down to 6 points) until text
// fits into width pixels; the font itself when the text already fits. Large
// amounts and very long plans stay readable in the designed widths.
QFont FontToFit(const QFont& font, const QString& text, int width);

// Shows a value in a label: the label takes the free room beside it that its
// text needs, and a value wider than even that (a huge amount, a period of
// thousands of years) is drawn in a smaller font rather than cut off.
void ShowValue(QLabel* label, const QString& value);

// Shows every value of window's labels again, from the font the label has
// now: after a change of the window's font.
void ShowValuesAgain(QWidget* window);
