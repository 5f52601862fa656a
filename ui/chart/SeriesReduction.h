// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>
#include <span>

// The points of a line (x ascending) reduced to what `columns` pixel columns
// across [xMin, xMax] can show: in each column its lowest and its highest
// point, in their own order, and always the exact first and last point. The
// line drawn through what is left has the shape of the whole line, however
// many points it had. A line with no more points than that keeps them all.
//
// Any input is accepted: fewer than one column counts as one; a point left
// of the range (or whose x is not a number) falls into the first column, one
// right of it into the last; a range that is not finite and increasing keeps
// every point.
QList<QPointF> ReduceToColumns(std::span<const QPointF> points, double xMin, double xMax,
                               int columns);
