// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeriesReduction.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

QList<QPointF> ReduceToColumns(std::span<const QPointF> points, double xMin, double xMax,
                               int columns)
{
    columns = std::max(columns, 1);
    // Each column keeps at most two points, so shorter lines gain nothing.
    const std::size_t most = 2 * static_cast<std::size_t>(columns) + 2;
    const double width = xMax - xMin;
    if (points.size() <= most || !std::isfinite(width) || !(width > 0)) {
        return QList<QPointF>(points.begin(), points.end());
    }

    // Clamped as a double, before it becomes an int: a point far outside the
    // range, or one without a number, must not overflow the conversion.
    const double perColumn = columns / width;
    auto columnOf = [&](double x) {
        const double column = std::floor((x - xMin) * perColumn);
        if (!(column >= 0)) {
            return 0;
        }
        return column < columns ? static_cast<int>(column) : columns - 1;
    };

    QList<QPointF> reduced;
    reduced.reserve(static_cast<qsizetype>(most));
    reduced.append(points.front());
    std::size_t lastKept = 0;
    auto keep = [&](std::size_t index) {
        if (index > lastKept) {
            reduced.append(points[index]);
            lastKept = index;
        }
    };

    std::size_t start = 0;
    while (start < points.size()) {
        const int column = columnOf(points[start].x());
        std::size_t low = start;
        std::size_t high = start;
        std::size_t next = start + 1;
        for (; next < points.size() && columnOf(points[next].x()) == column; ++next) {
            if (points[next].y() < points[low].y()) {
                low = next;
            }
            if (points[next].y() > points[high].y()) {
                high = next;
            }
        }
        keep(std::min(low, high));
        keep(std::max(low, high));
        start = next;
    }
    keep(points.size() - 1);
    return reduced;
}
