// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartLayout.h"

#include <QChart>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QValueAxis>
#include <cmath>
#include <vector>

namespace {

// A step of 1, 2 or 5 times a power of ten that cuts range into about `ticks` parts.
double NiceStep(double range, int ticks)
{
    const double raw = range / ticks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normalised = raw / magnitude;
    const double nice = normalised <= 1 ? 1 : normalised <= 2 ? 2 : normalised <= 5 ? 5 : 10;
    return nice * magnitude;
}

} // namespace

void SetNiceRange(QValueAxis* axis, double end, int ticks, const QString& prefix)
{
    const double top = end > 0 ? end : 1;
    const double step = NiceStep(top, ticks);
    int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    if (decimals > 0 && !prefix.isEmpty()) {
        decimals = 2; // money below a dollar shows its cents
    }
    axis->setRange(0, std::ceil(top / step - 1e-9) * step);
    axis->setTickInterval(step);
    axis->setLabelFormat(prefix + QStringLiteral("%.") + QString::number(decimals) +
                         QLatin1Char('f'));
}

void FitLegendToRow(QChart* chart, const QFont& font)
{
    std::vector<QLegendMarker*> markers;
    for (QLegendMarker* marker : chart->legend()->markers()) {
        if (marker->isVisible()) {
            markers.push_back(marker);
        }
    }
    const auto text = [](QLegendMarker* marker, bool brief) {
        QString label = marker->series()->name();
        const qsizetype bracket = label.lastIndexOf(QLatin1String(" ("));
        if (brief && bracket > 0 && label.endsWith(u')')) {
            label.truncate(bracket);
        }
        return label;
    };
    // Each entry takes its text, its marker and the room around them (a
    // line's height and more); the row, the chart's width less its margins
    // and the legend's, with a line's height to spare.
    const qreal line = QFontMetricsF(font).height();
    const qreal room =
        chart->size().width() - chart->margins().left() - chart->margins().right() - line * 2;
    const auto fits = [&](const QFont& candidate, bool brief) {
        const QFontMetricsF metrics(candidate);
        qreal row = 0;
        for (QLegendMarker* marker : markers) {
            row += metrics.horizontalAdvance(text(marker, brief)) + line + 32;
        }
        return row < room;
    };
    constexpr qreal kSmallest = 6;
    constexpr qreal kStep = 0.5;
    QFont fitted = font;
    bool brief = false;
    while (!fits(fitted, brief)) {
        const qreal smaller = fitted.pointSizeF() - kStep;
        if (!brief && smaller < font.pointSizeF() * 0.8) {
            brief = true;
            fitted = font;
        } else if (smaller >= kSmallest) {
            fitted.setPointSizeF(smaller);
        } else {
            break;
        }
    }
    chart->legend()->setFont(fitted);
    for (QLegendMarker* marker : markers) {
        if (marker->font() != fitted) {
            marker->setFont(fitted);
        }
        if (marker->label() != text(marker, brief)) {
            marker->setLabel(text(marker, brief));
        }
    }
}
