// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QAreaSeries;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// A chart of plans over time: years across, money up, one point a month.
// Every line keeps all its points and draws only what the plot's width can
// show. A legend too wide for its row is set smaller, and shorter, rather
// than cut. Pointing at a curve, or stepping along one with the arrow keys, shows
// what it holds in that month.
class PlanChartView : public QChartView {
    Q_OBJECT
public:
    // The text shown for a month of a curve.
    using Describe = std::function<QString(int month)>;

    explicit PlanChartView(QWidget* parent = nullptr);

    // A curve with the point of month m at index m (x = m / 12 years).
    QLineSeries* addCurve(const QString& name, std::vector<QPointF> points, Describe describe);
    // The area between two lines, filled; the legend names it.
    QAreaSeries* addArea(const QString& name, std::vector<QPointF> upper,
                         std::vector<QPointF> lower);
    // A straight line between two points that the legend names.
    QLineSeries* addSegment(const QString& name, QPointF from, QPointF to);
    // A line with no points: a legend entry only.
    QLineSeries* addLegendEntry(const QString& name);
    // A marked point labelled with text; the legend leaves it out.
    QScatterSeries* addMark(QPointF at, const QString& text);

    // Axis ranges from 0 to the given ends, rounded up to a readable tick.
    void setRanges(double years, double money);

    // The marks' labels, in the order they were added.
    QList<QGraphicsSimpleTextItem*> markLabels() const;

    // What the tooltip says at pos (view coordinates): the month of the curve
    // drawn nearest to it, or nothing when no curve is near.
    QString textAt(QPoint pos) const;

    // The points the arrow keys step along, numbered curve after curve, month
    // after month: how many, what each says, where each is on the screen, and
    // the one the keys are at (-1 before the first key).
    int pointCount() const;
    QString pointText(int index) const;
    QRect pointRect(int index) const;
    int currentPoint() const;

protected:
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Line {
        QLineSeries* series;
        std::vector<QPointF> points;
        Describe describe; // empty for lines that are not curves
    };
    struct Mark {
        QScatterSeries* series;
        QGraphicsSimpleTextItem* label;
    };

    void attach(QLineSeries* series, std::vector<QPointF> points, Describe describe);
    void attach(QAbstractSeries* series);
    void hideFromLegend(QAbstractSeries* series);
    void followWidget();
    void fitToPlot();
    void placeMarkLabels();
    void showTextAt(QPoint pos, QPoint globalPos);
    void showKeyboardMonth();
    // The lines that are curves the keys step along, by index into lines_.
    std::vector<std::size_t> steppedLines() const;
    // The curve (index into lines_) and month of a point.
    std::optional<std::pair<std::size_t, int>> pointAt(int index) const;

    QValueAxis* years_;
    QValueAxis* money_;
    std::vector<Line> lines_;
    std::vector<Mark> marks_;
    std::size_t keyCurve_ = SIZE_MAX; // index into lines_ of the curve the keys step along
    int keyMonth_ = -1;
};
