// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeriesReduction.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

QList<QPointF> ReduceToColumns(std::span<const QPointF> points, double xMin, double xMax,
                               int columns)
{
    // Each column keeps at most two points, so shorter lines gain nothing.
    const std::size_t most = 2 * static_cast<std::size_t>(std::max(columns, 0)) + 2;
    if (points.size() <= most || !(xMax > xMin)) {
        return QList<QPointF>(points.begin(), points.end());
    }

    const double perColumn = columns / (xMax - xMin);
    auto columnOf = [&](double x) {
        return std::clamp(static_cast<int>(std::floor((x - xMin) * perColumn)), 0, columns - 1);
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
