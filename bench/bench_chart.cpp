// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the payment plan chart for the longest plan, from the click on
// Chart… to the first painted frame, and its two parts: running the plans
// again and reducing a curve to the plot's width. Runs on the offscreen
// platform unless QT_QPA_PLATFORM names another.
#include "Calculator.h"
#include "ChartWindow.h"
#include "Form5.h"
#include "LoanInputs.h"
#include "PaintWatch.h"
#include "PaymentPlan.h"
#include "PlanChartData.h"
#include "PlanChartView.h"
#include "SeriesReduction.h"
#include "modDeclarations.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

// From the click on Chart… to the chart's first painted frame.
void BM_Chart_OpenLongestPlan(benchmark::State& state)
{
    LoadCalcState(kLongestPlan);
    const std::unique_ptr<Form5> form = Form5::createLoaded(nullptr);
    if (form == nullptr) {
        state.SkipWithError("the plan did not load");
        return;
    }
    form->show();
    QCoreApplication::processEvents();
    auto* button = form->findChild<QPushButton*>(QStringLiteral("cmdChart"));
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        button->click();
        QPointer<ChartWindow> chart = form->findChild<ChartWindow*>();
        if (chart == nullptr) {
            state.SkipWithError("no chart window opened");
            return;
        }
        PaintWatch watch(chart->balanceView()->viewport());
        while (!watch.painted && timer.elapsed() < 5000) {
            QCoreApplication::processEvents();
        }
        if (!watch.painted) {
            state.SkipWithError("the chart was never painted");
            return;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        chart->close();
        while (chart != nullptr) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}
BENCHMARK(BM_Chart_OpenLongestPlan)->UseManualTime()->Unit(benchmark::kMillisecond);

// Both plans run again, month by month.
void BM_Chart_PlanChartData(benchmark::State& state)
{
    LoadCalcState(kLongestPlan);
    const PaymentPlan plan = LoadPaymentPlan();
    for (auto _ : state) {
        PlanChartData data = PlanChartDataFrom(plan);
        benchmark::DoNotOptimize(data.plan.balance.data());
    }
}
BENCHMARK(BM_Chart_PlanChartData)->Unit(benchmark::kMillisecond);

// One curve of 32,767 points cut down to a plot 1,000 pixels wide.
void BM_Chart_ReduceToColumns(benchmark::State& state)
{
    std::vector<QPointF> points;
    for (int month = 0; month <= 32766; ++month) {
        points.emplace_back(month / 12.0, 3276600.0 - 100.0 * month);
    }
    for (auto _ : state) {
        QList<QPointF> reduced = ReduceToColumns(points, 0, points.back().x(), 1000);
        benchmark::DoNotOptimize(reduced.data());
    }
}
BENCHMARK(BM_Chart_ReduceToColumns)->Unit(benchmark::kMicrosecond);

} // namespace
