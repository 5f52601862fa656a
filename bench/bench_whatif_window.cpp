// SPDX-License-Identifier: GPL-3.0-or-later
// The What If window live on the longest plan (3276600 at 0 % with 100 a
// month: 32,766 months of the scheduled plan): a drag of the payment slider
// across its whole range, each step from the new position to the window
// repainted with its results and the chart's mark; a switch between capping
// and a fixed payment; and the longest step the chart takes between events
// while it draws. Every one must stay within a frame (16 ms). Runs on the
// offscreen platform unless QT_QPA_PLATFORM names another.
#include "Calculator.h"
#include "Form5.h"
#include "LoanInputs.h"
#include "WhatIf.h"
#include "WhatIfChart.h"
#include "frmWhatIf.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

// The longest loan, its plan window shown, and its What If window over it.
struct LongestLoanWhatIf {
    LongestLoanWhatIf()
    {
        LoadCalcState(TillZero("3276600", "0", "100"));
        const PlanTerms terms = TermsOf(CalcState);
        form = Form5::createLoaded(nullptr);
        form->show();
        window = frmWhatIf::openOver(form.get(), terms, {});
        settle();
    }

    // Lets the chart finish drawing, and everything paint.
    void settle() const
    {
        while (!window->chart()->complete()) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    }

    void choose(const char* option) const
    {
        window->findChild<QRadioButton*>(QLatin1String(option))->setChecked(true);
    }

    // From capping to a fixed payment and back, one change a call.
    void switchOption()
    {
        choose(fixed ? "optCap" : "optFixed");
        fixed = !fixed;
    }

    std::unique_ptr<Form5> form;
    frmWhatIf* window = nullptr;
    bool fixed = true; // the plan on screen has a fixed payment
};

// Times one update as the iteration's time, and keeps it for the slowest.
template <typename Update>
void Time(benchmark::State& state, std::vector<double>& seconds, Update&& update)
{
    QElapsedTimer timer;
    timer.start();
    update();
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    state.SetIterationTime(elapsed);
    seconds.push_back(elapsed);
}

// Beside the median the benchmark gives, the slowest update.
void ReportSlowest(benchmark::State& state, const std::vector<double>& seconds)
{
    if (!seconds.empty()) {
        state.counters["slowest_ms"] = *std::max_element(seconds.begin(), seconds.end()) * 1e3;
    }
}

// One slider position after another, left to right and back, each from the
// new position to the repainted window.
void DragAcross(benchmark::State& state, const char* option)
{
    LongestLoanWhatIf whatIf;
    whatIf.choose(option);
    whatIf.settle();
    auto* slider = whatIf.window->findChild<QSlider*>(QStringLiteral("sldPayment"));
    const int step = std::max(1, slider->maximum() / 250);
    int position = slider->minimum();
    int direction = step;
    std::vector<double> seconds;
    for (auto _ : state) {
        Time(state, seconds, [&] {
            slider->setValue(position);
            whatIf.window->repaint();
        });
        if (position + direction > slider->maximum() || position + direction < 0) {
            direction = -direction;
        }
        position += direction;
    }
    ReportSlowest(state, seconds);
}

void BM_WhatIf_DragCapAcrossLongestPlan(benchmark::State& state)
{
    DragAcross(state, "optCap");
}
BENCHMARK(BM_WhatIf_DragCapAcrossLongestPlan)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WhatIf_DragFixedAcrossLongestPlan(benchmark::State& state)
{
    DragAcross(state, "optFixed");
}
BENCHMARK(BM_WhatIf_DragFixedAcrossLongestPlan)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the click on the other option to the repainted window (the chart then
// draws in steps of its own, measured below).
void BM_WhatIf_SwitchCapAndFixed(benchmark::State& state)
{
    LongestLoanWhatIf whatIf;
    std::vector<double> seconds;
    for (auto _ : state) {
        Time(state, seconds, [&] {
            whatIf.switchOption();
            whatIf.window->repaint();
        });
        state.PauseTiming();
        whatIf.settle();
        state.ResumeTiming();
    }
    ReportSlowest(state, seconds);
}
BENCHMARK(BM_WhatIf_SwitchCapAndFixed)->UseManualTime()->Unit(benchmark::kMillisecond);

// Each event the chart handles while it draws the longest plan's payments.
void BM_WhatIf_ChartStep(benchmark::State& state)
{
    LongestLoanWhatIf whatIf;
    std::vector<double> seconds;
    for (auto _ : state) {
        if (whatIf.window->chart()->complete()) {
            state.PauseTiming();
            whatIf.switchOption();
            state.ResumeTiming();
        }
        Time(state, seconds, [] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    }
    ReportSlowest(state, seconds);
}
BENCHMARK(BM_WhatIf_ChartStep)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
