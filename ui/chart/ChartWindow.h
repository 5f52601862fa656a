// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

struct PlanChartData;
class PlanChartView;
class QAbstractSeries;
class QAreaSeries;
class QLineSeries;
class QScatterSeries;
class QTabWidget;

// The payment plan as a chart: the balance left month by month for both
// plans, with their payoff points and the time between them, and on a second
// page the interest both have paid, ending at the interest saved. Free to
// resize and maximize; it remembers nothing.
class ChartWindow : public QDialog {
    Q_OBJECT
public:
    ChartWindow(PlanChartData chartData, QWidget* parent);
    ~ChartWindow() override;

    // Shows a chart window modal to owner; it is deleted when it closes.
    static ChartWindow* openOver(QWidget* owner, PlanChartData chartData);

    PlanChartView* balanceView() const { return balanceView_; }
    PlanChartView* interestView() const { return interestView_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildBalanceChart();
    void buildInterestChart();
    void colourSeries();

    // The tooltips read the months from here.
    const std::unique_ptr<const PlanChartData> data_;
    QTabWidget* pages_;
    PlanChartView* balanceView_;
    PlanChartView* interestView_;

    // Drawn in the plan's colour, the scheduled plan's, or the saving's.
    QList<QAbstractSeries*> planSeries_;
    QList<QAbstractSeries*> scheduledSeries_;
    QList<QAbstractSeries*> savingSeries_;
};
