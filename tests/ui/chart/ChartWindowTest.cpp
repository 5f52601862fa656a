// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartWindow.h"

#include "Calculator.h"
#include "LoanInputs.h"
#include "PaymentPlan.h"
#include "PlanChartAccessible.h"
#include "PlanChartData.h"
#include "PlanChartView.h"
#include "SeriesReduction.h"
#include "UiTestSupport.h"
#include "modDeclarations.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace {

// The chart's data as the plan window hands it over: from the plan it loaded.
// CalcState is cleared first, so that a chart run through it would show.
PlanChartData ChartDataFor(const CalculatorInputs& in)
{
    const auto plan = PlanFor(in);
    CalcState = CalcRecord{};
    return PlanChartDataFrom(*plan);
}

QStringList Texts(const QList<QGraphicsSimpleTextItem*>& items)
{
    QStringList texts;
    for (const QGraphicsSimpleTextItem* item : items) {
        texts << item->text();
    }
    return texts;
}

QList<QPointF> MarkedPoints(PlanChartView* view)
{
    QList<QPointF> points;
    for (QAbstractSeries* series : view->chart()->series()) {
        if (auto* marks = qobject_cast<QScatterSeries*>(series)) {
            points << marks->points();
        }
    }
    return points;
}

QLineSeries* Curve(PlanChartView* view, const QString& name)
{
    for (QAbstractSeries* series : view->chart()->series()) {
        if (series->name() == name) {
            return qobject_cast<QLineSeries*>(series);
        }
    }
    return nullptr;
}

// Where the chart draws a point, in the view's coordinates.
QPoint ViewPosition(PlanChartView* view, QPointF value)
{
    return view->mapFromScene(view->chart()->mapToScene(view->chart()->mapToPosition(value)));
}

} // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void reductionKeepsEndsAndExtremes();
    void reductionTakesAnyInput_data();
    void reductionTakesAnyInput();
    void seriesEndAtThePayoffMarks_data();
    void seriesEndAtThePayoffMarks();
    void withoutAScheduledPlanTheLegendSaysSo();
    void legendFitsWithoutCutWords_data();
    void legendFitsWithoutCutWords();
    void keysStepAlongTheCurves_data();
    void keysStepAlongTheCurves();
};

void ChartWindowTest::initTestCase()
{
    PlanChartAccessible::install(); // as the program does at start
}

void ChartWindowTest::reductionKeepsEndsAndExtremes()
{
    // A falling line with one spike up and one down, far more points than columns.
    std::vector<QPointF> points;
    for (int i = 0; i <= 30000; ++i) {
        points.emplace_back(i / 12.0, 30000.0 - i);
    }
    points[12345].setY(90000);
    points[23456].setY(-500);
    const int columns = 100;
    const QList<QPointF> reduced =
        ReduceToColumns(points, points.front().x(), points.back().x(), columns);

    QVERIFY(reduced.size() <= 2 * columns + 2);
    QCOMPARE(reduced.front(), points.front());
    QCOMPARE(reduced.back(), points.back());
    QVERIFY(reduced.contains(points[12345]));
    QVERIFY(reduced.contains(points[23456]));
    QVERIFY(std::is_sorted(reduced.begin(), reduced.end(),
                           [](QPointF a, QPointF b) { return a.x() < b.x(); }));

    // A line the columns can show whole is kept whole.
    const std::vector<QPointF> few(points.begin(), points.begin() + 150);
    QCOMPARE(ReduceToColumns(few, 0, few.back().x(), columns).size(), qsizetype{150});
}

void ChartWindowTest::reductionTakesAnyInput_data()
{
    QTest::addColumn<double>("first");  // x of the first point; the rest run 0..99
    QTest::addColumn<double>("middle"); // x of point 50
    QTest::addColumn<double>("last");
    QTest::addColumn<double>("xMin");
    QTest::addColumn<double>("xMax");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("kept"); // -1: at most two a column and the ends

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("no columns") << 0.0 << 50.0 << 99.0 << 0.0 << 99.0 << 0 << -1;
    QTest::newRow("negative columns") << 0.0 << 50.0 << 99.0 << 0.0 << 99.0 << -7 << -1;
    QTest::newRow("points far outside") << -1e300 << 50.0 << 1e300 << 0.0 << 99.0 << 10 << -1;
    QTest::newRow("infinite points") << -inf << 50.0 << inf << 0.0 << 99.0 << 10 << -1;
    QTest::newRow("point without x") << 0.0 << nan << 99.0 << 0.0 << 99.0 << 10 << -1;
    QTest::newRow("range without end") << 0.0 << 50.0 << 99.0 << 0.0 << nan << 10 << 100;
    QTest::newRow("infinite range") << 0.0 << 50.0 << 99.0 << -inf << inf << 10 << 100;
    QTest::newRow("empty range") << 0.0 << 50.0 << 99.0 << 5.0 << 5.0 << 10 << 100;
}

// Whatever the columns and the range, the ends stay exact and no column
// keeps more than two points; a range that cannot be divided keeps them all.
void ChartWindowTest::reductionTakesAnyInput()
{
    QFETCH(double, first);
    QFETCH(double, middle);
    QFETCH(double, last);
    QFETCH(double, xMin);
    QFETCH(double, xMax);
    QFETCH(int, columns);
    QFETCH(int, kept);

    std::vector<QPointF> points;
    for (int i = 0; i < 100; ++i) {
        points.emplace_back(i, (i * 37) % 100); // up and down
    }
    points.front().setX(first);
    points[50].setX(middle);
    points.back().setX(last);

    const QList<QPointF> reduced = ReduceToColumns(points, xMin, xMax, columns);
    const auto same = [](QPointF a, QPointF b) {
        return (a.x() == b.x() || (std::isnan(a.x()) && std::isnan(b.x()))) && a.y() == b.y();
    };
    QVERIFY(same(reduced.front(), points.front()));
    QVERIFY(same(reduced.back(), points.back()));
    if (kept >= 0) {
        QCOMPARE(reduced.size(), qsizetype{kept});
    } else {
        QVERIFY(reduced.size() <= 2 * std::max(columns, 1) + 2);
    }
}

void ChartWindowTest::seriesEndAtThePayoffMarks_data()
{
    QTest::addColumn<CalculatorInputs>("inputs");
    QTest::addColumn<int>("months");
    QTest::addColumn<QString>("period");
    QTest::addColumn<double>("interest");
    QTest::addColumn<QString>("saved");

    QTest::newRow("worked example") << TillZero("100000", "7.5", "699") << 179
                                    << "14 yrs and 11 mths" << 75056.9315 << "$76,873.92";
    QTest::newRow("maximum 1000") << TillZero("100000", "7.5", "699", Limit::Maximum, "1000") << 193
                                  << "16 yrs and 1 mth" << 77394.0106 << "$74,536.84";
}

void ChartWindowTest::seriesEndAtThePayoffMarks()
{
    QFETCH(CalculatorInputs, inputs);
    QFETCH(int, months);
    QFETCH(QString, period);
    QFETCH(double, interest);
    QFETCH(QString, saved);

    const PlanChartData data = ChartDataFor(inputs);
    // The scheduled plan ran on a record of its own.
    QCOMPARE(CalcState.MinTotalInterest, Currency());
    QCOMPARE(data.plan.months(), months);
    QCOMPARE(data.plan.balance.front().toDouble(), 100000.0);
    QCOMPARE(data.plan.balance.back().toDouble(), 0.0);
    QCOMPARE(data.plan.interestPaid.back().toDouble(), interest);
    QVERIFY(data.hasScheduled);
    QCOMPARE(data.scheduled.months(), 361);
    QCOMPARE(data.scheduled.interestPaid.back().toDouble(), 151930.8475);
    QCOMPARE(QString::fromStdString(data.interestSaved), saved);

    ChartWindow window(data, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlanChartView* balance = window.balanceView();
    QCOMPARE(Texts(balance->markLabels()), QStringList({"30 yrs and 1 mth", period}));
    QCOMPARE(MarkedPoints(balance), QList<QPointF>({{361 / 12.0, 0}, {months / 12.0, 0}}));

    QLineSeries* plan = Curve(balance, QString::fromStdString(data.plan.name));
    QVERIFY(plan != nullptr);
    QCOMPARE(plan->at(0), QPointF(0, 100000));
    QCOMPARE(plan->at(plan->count() - 1), QPointF(months / 12.0, 0));
    QLineSeries* scheduled = Curve(balance, QString::fromStdString(data.scheduled.name));
    QVERIFY(scheduled != nullptr);
    QCOMPARE(scheduled->at(scheduled->count() - 1), QPointF(361 / 12.0, 0));

    const QString month37 = balance->textAt(ViewPosition(balance, QPointF(37 / 12.0, 92860.58)));
    QVERIFY2(
        month37.startsWith(inputs.maximum.empty() ? "Month 37: $92,860.58 left" : "Month 37: $"),
        qPrintable(month37));

    // The interest page ends at the interest saved.
    PlanChartView* paid = window.interestView();
    QVERIFY(Curve(paid, QStringLiteral("Interest saved: ") + saved) != nullptr);
    QCOMPARE(Curve(paid, QString::fromStdString(data.plan.name))->points().back(),
             QPointF(361 / 12.0, interest));
    QVERIFY(window.accessibleDescription().contains(period));
    QVERIFY(window.accessibleDescription().contains(saved));
}

void ChartWindowTest::withoutAScheduledPlanTheLegendSaysSo()
{
    const PlanChartData data = ChartDataFor(TillZero("1000", "12", "0", Limit::Fixed, "500"));
    QVERIFY(!data.hasScheduled);
    QCOMPARE(data.plan.months(), 3);

    ChartWindow window(data, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlanChartView* balance = window.balanceView();
    QStringList legend;
    for (QLegendMarker* marker : balance->chart()->legend()->markers()) {
        if (marker->isVisible()) {
            legend << marker->label();
        }
    }
    QCOMPARE(legend,
             QStringList({"Minimum Payment Plan: none to report", "Your Payment Plan ($500.00)"}));
    QCOMPARE(Texts(balance->markLabels()), QStringList({"3 mths"}));
    QVERIFY(window.accessibleDescription().contains(QStringLiteral("none to report")));
}

void ChartWindowTest::legendFitsWithoutCutWords_data()
{
    QTest::addColumn<int>("characters"); // the window's width in average characters
    QTest::addColumn<bool>("asNamed");   // every entry in full, in the window's font
    QTest::newRow("wide") << 150 << true;
    QTest::newRow("narrow") << 100 << false;        // a smaller font
    QTest::newRow("narrower still") << 80 << false; // without the amounts in brackets
}

// In a window too narrow for the legend in the window's font (a small
// screen at a device pixel ratio of 2), no legend entry has a word cut off,
// as Qt's own legend would do ("Paid off 15 yrs and 2 mths soo..."): it is
// set smaller, and drops its amounts in brackets when that is not enough.
void ChartWindowTest::legendFitsWithoutCutWords()
{
    QFETCH(int, characters);
    QFETCH(bool, asNamed);
    ChartWindow window(ChartDataFor(TillZero("100000", "7.5", "699")), nullptr);
    window.resize(window.fontMetrics().averageCharWidth() * characters, window.height());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (PlanChartView* view : {window.balanceView(), window.interestView()}) {
        window.findChild<QTabWidget*>()->setCurrentWidget(view);
        QCoreApplication::processEvents();
        QLegend* legend = view->chart()->legend();
        bool allNamed = legend->font() == view->font();
        for (QLegendMarker* marker : legend->markers()) {
            if (marker->isVisible()) {
                QVERIFY2(marker->series()->name().startsWith(marker->label()),
                         qPrintable(marker->label()));
                allNamed = allNamed && marker->label() == marker->series()->name();
            }
        }
        QCOMPARE(allNamed, asNamed);
        for (QGraphicsItem* item : view->scene()->items()) {
            if (const auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
                text != nullptr && legend->isAncestorOf(text)) {
                QVERIFY2(!text->toPlainText().contains(QLatin1String("...")),
                         qPrintable(text->toPlainText()));
            }
        }
    }
}

void ChartWindowTest::keysStepAlongTheCurves_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("month"); // the tooltip's first line starts with it

    using K = QList<int>;
    QTest::newRow("Right steps a month") << K{Qt::Key_Right, Qt::Key_Right} << "Month 2:";
    QTest::newRow("Left stops at the opening") << K{Qt::Key_Left, Qt::Key_Left} << "Month 0:";
    QTest::newRow("Page Down steps a year") << K{Qt::Key_PageDown} << "Month 12:";
    QTest::newRow("Page Up steps back a year")
        << K{Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_PageUp} << "Month 13:";
    QTest::newRow("End is the payoff month") << K{Qt::Key_End} << "Month 179:";
    QTest::newRow("Home is the opening") << K{Qt::Key_End, Qt::Key_Home} << "Month 0:";
    // The other curve, the scheduled plan, runs on to its own payoff.
    QTest::newRow("Down changes the curve") << K{Qt::Key_Down, Qt::Key_End} << "Month 361:";
}

// Left and Right step a month, Page Up and Page Down a year, Home and End go
// to the ends, Up and Down change the curve; the tooltip names the month,
// and a screen reader follows the focus to the point, which reads the same.
void ChartWindowTest::keysStepAlongTheCurves()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, month);

    ChartWindow window(ChartDataFor(TillZero("100000", "7.5", "699")), nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    PlanChartView* balance = window.balanceView();
    QCOMPARE(QApplication::focusWidget(), balance); // the keys step at once
    for (const int key : keys) {
        QTest::keyClick(balance, static_cast<Qt::Key>(key));
    }
    QVERIFY2(QToolTip::text().startsWith(month), qPrintable(QToolTip::text()));

    QAccessibleInterface* point = QAccessible::queryAccessibleInterface(balance)->focusChild();
    QVERIFY(point != nullptr);
    QCOMPARE(point->text(QAccessible::Name),
             QToolTip::text().replace(QLatin1Char('\n'), QStringLiteral(", ")));
    QVERIFY(point->state().focused);
}

QTEST_MAIN(ChartWindowTest)
#include "ChartWindowTest.moc"
