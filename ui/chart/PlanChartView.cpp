// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanChartView.h"

#include "ChartLayout.h"
#include "ChartPalette.h"
#include "SeriesReduction.h"

#include <QAccessible>
#include <QAreaSeries>
#include <QEvent>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double kMonthsPerYear = 12;
// Reduction before the first layout knows the plot's real width.
constexpr int kColumnsBeforeLayout = 2000;

} // namespace

PlanChartView::PlanChartView(QWidget* parent)
    : QChartView(parent), years_(new QValueAxis(this)), money_(new QValueAxis(this))
{
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    QChart* plot = chart();
    plot->legend()->setAlignment(Qt::AlignBottom);
    // Amounts read as in the plan window ($1,234), whatever the desktop's locale.
    plot->setLocalizeNumbers(true);
    plot->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    years_->setTitleText(tr("Years"));
    for (QValueAxis* axis : {years_, money_}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
    }
    plot->addAxis(years_, Qt::AlignBottom);
    plot->addAxis(money_, Qt::AlignLeft);
    connect(plot, &QChart::plotAreaChanged, this, &PlanChartView::fitToPlot);
    followWidget();
}

QLineSeries* PlanChartView::addCurve(const QString& name, std::vector<QPointF> points,
                                     Describe describe)
{
    auto* series = new QLineSeries(this);
    series->setName(name);
    attach(series, std::move(points), std::move(describe));
    return series;
}

QAreaSeries* PlanChartView::addArea(const QString& name, std::vector<QPointF> upper,
                                    std::vector<QPointF> lower)
{
    auto* area = new QAreaSeries(this);
    area->setName(name);
    auto* top = new QLineSeries(area);
    auto* bottom = new QLineSeries(area);
    lines_.push_back({top, std::move(upper), {}});
    lines_.push_back({bottom, std::move(lower), {}});
    area->setUpperSeries(top);
    area->setLowerSeries(bottom);
    attach(area);
    return area;
}

QLineSeries* PlanChartView::addSegment(const QString& name, QPointF from, QPointF to)
{
    auto* series = new QLineSeries(this);
    series->setName(name);
    series->append(from);
    series->append(to);
    attach(series);
    return series;
}

QLineSeries* PlanChartView::addLegendEntry(const QString& name)
{
    auto* series = new QLineSeries(this);
    series->setName(name);
    attach(series);
    return series;
}

QScatterSeries* PlanChartView::addMark(QPointF at, const QString& text)
{
    auto* series = new QScatterSeries(this);
    series->append(at);
    attach(series);
    hideFromLegend(series);
    auto* label = new QGraphicsSimpleTextItem(text, chart());
    marks_.push_back({series, label});
    followWidget();
    return series;
}

void PlanChartView::attach(QLineSeries* series, std::vector<QPointF> points, Describe describe)
{
    lines_.push_back({series, std::move(points), std::move(describe)});
    attach(series);
}

void PlanChartView::attach(QAbstractSeries* series)
{
    chart()->addSeries(series);
    series->attachAxis(years_);
    series->attachAxis(money_);
}

void PlanChartView::hideFromLegend(QAbstractSeries* series)
{
    for (QLegendMarker* marker : chart()->legend()->markers(series)) {
        marker->setVisible(false);
    }
}

void PlanChartView::setRanges(double years, double money)
{
    // Room right of the last month for the label of a mark there.
    constexpr double kRoomForLabels = 1.2;
    SetNiceRange(years_, years * kRoomForLabels, 8, QString());
    SetNiceRange(money_, money, 6, QStringLiteral("$"));
    fitToPlot();
}

QList<QGraphicsSimpleTextItem*> PlanChartView::markLabels() const
{
    QList<QGraphicsSimpleTextItem*> labels;
    for (const Mark& mark : marks_) {
        labels.append(mark.label);
    }
    return labels;
}

// Each line is cut down to two points per pixel column of the plot.
void PlanChartView::fitToPlot()
{
    const QRectF plot = chart()->plotArea();
    const int columns = plot.width() > 1
                            ? static_cast<int>(std::ceil(plot.width() * devicePixelRatioF()))
                            : kColumnsBeforeLayout;
    for (Line& line : lines_) {
        line.series->replace(ReduceToColumns(line.points, years_->min(), years_->max(), columns));
    }
    FitLegendToRow(chart(), font());
    placeMarkLabels();
}

// A label stands just above and right of its mark, clear of the curve that
// comes down to it from the left; left of it where the chart ends, and above
// any label it would otherwise cover. Plans that end together share one label.
void PlanChartView::placeMarkLabels()
{
    constexpr double kGap = 4;
    const double right = chart()->size().width() - kGap;
    std::vector<QRectF> placed;
    for (auto mark = marks_.begin(); mark != marks_.end(); ++mark) {
        const bool repeated = std::any_of(marks_.begin(), mark, [&](const Mark& earlier) {
            return earlier.series->at(0) == mark->series->at(0) &&
                   earlier.label->text() == mark->label->text();
        });
        mark->label->setVisible(!repeated);
        if (repeated) {
            continue;
        }
        const QPointF at = chart()->mapToPosition(mark->series->at(0), mark->series);
        const QSizeF size = mark->label->boundingRect().size();
        const double reach = mark->series->markerSize() / 2 + kGap;
        const double left =
            at.x() + reach + size.width() <= right ? at.x() + reach : at.x() - reach - size.width();
        QRectF rect(QPointF(left, at.y() - reach - size.height()), size);
        for (bool moved = true; moved;) {
            moved = false;
            for (const QRectF& other : placed) {
                if (rect.intersects(other)) {
                    rect.moveBottom(other.top() - kGap);
                    moved = true;
                }
            }
        }
        mark->label->setPos(rect.topLeft());
        placed.push_back(rect);
    }
}

// Chart, axes, legend and labels take the widget's palette and font, so that
// light and dark desktops both read well.
void PlanChartView::followWidget()
{
    PaintChartInPalette(this, {years_, money_});
    const QColor text = palette().color(QPalette::WindowText);
    FitLegendToRow(chart(), font());
    for (const Mark& mark : marks_) {
        mark.label->setBrush(text);
        mark.label->setFont(font());
    }
    placeMarkLabels();
}

void PlanChartView::changeEvent(QEvent* event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        followWidget();
    }
}

QString PlanChartView::textAt(QPoint pos) const
{
    const QPointF at = chart()->mapFromScene(mapToScene(pos));
    if (!chart()->plotArea().contains(at) || lines_.empty()) {
        return {};
    }
    const auto month = static_cast<int>(std::lround(chart()->mapToValue(at).x() * kMonthsPerYear));
    const double reach = fontMetrics().height() * 1.5;
    const Line* nearest = nullptr;
    double nearestDistance = reach;
    for (const Line& line : lines_) {
        if (!line.describe || month < 0 || month >= static_cast<int>(line.points.size())) {
            continue;
        }
        const QPointF point = line.points[static_cast<std::size_t>(month)];
        const double distance = std::abs(chart()->mapToPosition(point).y() - at.y());
        if (distance <= nearestDistance) {
            nearest = &line;
            nearestDistance = distance;
        }
    }
    return nearest != nullptr ? nearest->describe(month) : QString();
}

// The tooltip follows the mouse along a curve at once, and answers the help
// event itself: the chart's scene would otherwise hide it, having no item
// with a tooltip of its own.
void PlanChartView::mouseMoveEvent(QMouseEvent* event)
{
    showTextAt(event->pos(), event->globalPosition().toPoint());
    QChartView::mouseMoveEvent(event);
}

bool PlanChartView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        showTextAt(help->pos(), help->globalPos());
        return true;
    }
    return QChartView::viewportEvent(event);
}

void PlanChartView::showTextAt(QPoint pos, QPoint globalPos)
{
    const QString text = textAt(pos);
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(globalPos, text, this);
    }
}

// Left and Right step a month, Page Up and Page Down a year, Home and End go
// to the ends; Up and Down change the curve.
void PlanChartView::keyPressEvent(QKeyEvent* event)
{
    const std::vector<std::size_t> curves = steppedLines();
    if (curves.empty()) {
        QChartView::keyPressEvent(event);
        return;
    }
    const auto found = std::find(curves.begin(), curves.end(), keyCurve_);
    // The keys start on the curve drawn last, on top: the plan itself.
    std::size_t index = found != curves.end() ? static_cast<std::size_t>(found - curves.begin())
                                              : curves.size() - 1;
    int month = std::max(keyMonth_, 0);
    switch (event->key()) {
    case Qt::Key_Left:
        month -= 1;
        break;
    case Qt::Key_Right:
        month += 1;
        break;
    case Qt::Key_PageUp:
        month -= 12;
        break;
    case Qt::Key_PageDown:
        month += 12;
        break;
    case Qt::Key_Home:
        month = 0;
        break;
    case Qt::Key_End:
        month = INT_MAX;
        break;
    case Qt::Key_Up:
        index = (index + curves.size() - 1) % curves.size();
        break;
    case Qt::Key_Down:
        index = (index + 1) % curves.size();
        break;
    default:
        QChartView::keyPressEvent(event);
        return;
    }
    keyCurve_ = curves[index];
    keyMonth_ = std::clamp(month, 0, static_cast<int>(lines_[keyCurve_].points.size()) - 1);
    showKeyboardMonth();
}

// The month shows as a tooltip, and a screen reader follows the focus to
// the point, which reads as the tooltip does.
void PlanChartView::showKeyboardMonth()
{
    const QRect point = pointRect(currentPoint());
    QToolTip::showText(point.center(), lines_[keyCurve_].describe(keyMonth_), this);
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentPoint());
        QAccessible::updateAccessibility(&focus);
    }
}

std::vector<std::size_t> PlanChartView::steppedLines() const
{
    std::vector<std::size_t> curves;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].describe) {
            curves.push_back(i);
        }
    }
    return curves;
}

int PlanChartView::pointCount() const
{
    std::size_t count = 0;
    for (const std::size_t curve : steppedLines()) {
        count += lines_[curve].points.size();
    }
    return static_cast<int>(count);
}

std::optional<std::pair<std::size_t, int>> PlanChartView::pointAt(int index) const
{
    if (index < 0) {
        return std::nullopt;
    }
    auto remaining = static_cast<std::size_t>(index);
    for (const std::size_t curve : steppedLines()) {
        if (remaining < lines_[curve].points.size()) {
            return std::pair{curve, static_cast<int>(remaining)};
        }
        remaining -= lines_[curve].points.size();
    }
    return std::nullopt;
}

QString PlanChartView::pointText(int index) const
{
    const auto point = pointAt(index);
    return point ? lines_[point->first].describe(point->second) : QString();
}

QRect PlanChartView::pointRect(int index) const
{
    const auto point = pointAt(index);
    if (!point) {
        return {};
    }
    const QPointF value = lines_[point->first].points[static_cast<std::size_t>(point->second)];
    const QPoint inView = mapFromScene(chart()->mapToScene(chart()->mapToPosition(value)));
    return {viewport()->mapToGlobal(inView) - QPoint(2, 2), QSize(5, 5)};
}

int PlanChartView::currentPoint() const
{
    int index = 0;
    for (const std::size_t curve : steppedLines()) {
        if (curve == keyCurve_) {
            return keyMonth_ < 0 ? -1 : index + keyMonth_;
        }
        index += static_cast<int>(lines_[curve].points.size());
    }
    return -1;
}
