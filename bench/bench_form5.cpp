// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the payment plan window for the longest plan it can show and for
// a one-year plan, and jumping to the longest plan's last row. Runs on the offscreen platform
// unless QT_QPA_PLATFORM names another.
#include "Calculator.h"
#include "Form5.h"
#include "LoanInputs.h"
#include "MSFlexGrid.h"
#include "PaintWatch.h"
#include "PaymentPlan.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <memory>

namespace {

// A year of 100.00.
const CalculatorInputs kOneYearPlan = TillZero("1200", "0", "50", Limit::Fixed, "100");

// Resident memory of this process in KiB.
long ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    // /proc files report a size of 0, so read them whole rather than to atEnd().
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return 0;
}

MSFlexGrid* Grid(Form5* form)
{
    return form->findChild<MSFlexGrid*>(QStringLiteral("MSFlexGrid1"));
}

// Shows the window and waits until its grid has painted rows.
bool ShowAndPaint(Form5* form, PaintWatch& watch)
{
    form->show();
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 5000) {
        QCoreApplication::processEvents();
    }
    return watch.painted;
}

// From the call that creates the window to its grid's first painted frame,
// and how much the process grows by while the window is open.
void OpenPlan(benchmark::State& state, const CalculatorInputs& inputs)
{
    double growthKiB = 0;
    for (auto _ : state) {
        LoadCalcState(inputs);
        malloc_trim(0);
        const long before = ResidentKiB();

        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<Form5> form = Form5::createLoaded(nullptr);
        if (form == nullptr) {
            state.SkipWithError("the plan did not load");
            return;
        }
        PaintWatch watch(Grid(form.get())->viewport());
        if (!ShowAndPaint(form.get(), watch)) {
            state.SkipWithError("the grid was never painted");
            return;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);

        growthKiB += static_cast<double>(ResidentKiB() - before);
        state.counters["rows"] = Grid(form.get())->Rows();
        form.reset();
        QCoreApplication::processEvents();
    }
    state.counters["rss_growth_MiB"] =
        benchmark::Counter(growthKiB / 1024.0, benchmark::Counter::kAvgIterations);
}

void BM_Form5_OpenLongestPlan(benchmark::State& state)
{
    OpenPlan(state, kLongestPlan);
}
BENCHMARK(BM_Form5_OpenLongestPlan)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Form5_OpenOneYearPlan(benchmark::State& state)
{
    OpenPlan(state, kOneYearPlan);
}
BENCHMARK(BM_Form5_OpenOneYearPlan)->UseManualTime()->Unit(benchmark::kMillisecond);

// The engine's share of the opening: the plan's months and summary.
void BM_Form5_LoadPaymentPlan(benchmark::State& state)
{
    for (auto _ : state) {
        LoadCalcState(kLongestPlan);
        PaymentPlan plan = LoadPaymentPlan();
        benchmark::DoNotOptimize(plan.months.data());
    }
}
BENCHMARK(BM_Form5_LoadPaymentPlan)->Unit(benchmark::kMillisecond);

// Jumping to the last row (and back) with an immediate repaint.
void BM_Form5_JumpToLastRow(benchmark::State& state)
{
    LoadCalcState(kLongestPlan);
    const std::unique_ptr<Form5> form = Form5::createLoaded(nullptr);
    PaintWatch watch(Grid(form.get())->viewport());
    if (!ShowAndPaint(form.get(), watch)) {
        state.SkipWithError("the grid was never painted");
        return;
    }
    MSFlexGrid* grid = Grid(form.get());
    bool toBottom = true;
    for (auto _ : state) {
        if (toBottom) {
            grid->scrollToBottom();
        } else {
            grid->scrollToTop();
        }
        grid->viewport()->repaint();
        toBottom = !toBottom;
    }
}
BENCHMARK(BM_Form5_JumpToLastRow)->Unit(benchmark::kMicrosecond);

} // namespace
