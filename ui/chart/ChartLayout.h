// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QChart;
class QFont;
class QString;
class QValueAxis;

// How a chart fits its room.

// Ticks every 1, 2 or 5 times a power of ten, about `ticks` of them, from 0
// up to the first tick at or past end, labelled with as many decimals as the
// step needs (money, with a prefix, shows its cents below a dollar).
void SetNiceRange(QValueAxis* axis, double end, int ticks, const QString& prefix);

// The legend's entries fit their one row without a word cut off: in font,
// or one up to a fifth smaller; else without the amounts in brackets
// ("Minimum Payment Plan"), in a font as small as 6 points. The series keep
// their names; the chart's description says it all.
void FitLegendToRow(QChart* chart, const QFont& font);
