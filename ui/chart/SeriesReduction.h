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
QList<QPointF> ReduceToColumns(std::span<const QPointF> points, double xMin, double xMax,
                               int columns);
