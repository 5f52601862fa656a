// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPalette.h"

#include <QChartView>
#include <QLegend>
#include <QValueAxis>

namespace {

QColor Mix(const QColor& from, const QColor& to, double share)
{
    return QColor::fromRgbF(
        static_cast<float>(from.redF() + (to.redF() - from.redF()) * share),
        static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * share),
        static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * share));
}

} // namespace

void PaintChartInPalette(QChartView* view, std::initializer_list<QValueAxis*> axes)
{
    const QPalette colours = view->palette();
    const QColor text = colours.color(QPalette::WindowText);
    const QColor window = colours.color(QPalette::Window);
    view->setBackgroundBrush(window);
    QChart* plot = view->chart();
    plot->setBackgroundBrush(window);
    plot->setBackgroundPen(Qt::NoPen);
    plot->legend()->setLabelColor(text);
    plot->legend()->setFont(view->font());
    for (QValueAxis* axis : axes) {
        axis->setLabelsColor(text);
        axis->setLabelsFont(view->font());
        axis->setTitleBrush(text);
        axis->setTitleFont(view->font());
        axis->setGridLineColor(Mix(window, text, 0.18));
        axis->setLinePenColor(Mix(window, text, 0.5));
    }
}
