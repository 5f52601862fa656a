// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>

class QChartView;
class QValueAxis;

// A chart in its view's palette and font: the background, the legend and
// the axes with their labels, titles and grid, so that light and dark
// desktops both read well. Call again when the palette or the font changes.
void PaintChartInPalette(QChartView* view, std::initializer_list<QValueAxis*> axes);
