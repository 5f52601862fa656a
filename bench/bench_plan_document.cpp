// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting the payment plan as PDF: the longest plan the window can show
// (32,766 months) and the worked example, written through the same path as
// "Export PDF…" into a temporary folder. Runs on the offscreen platform
// unless QT_QPA_PLATFORM names another.
#include "Calculator.h"
#include "LoanInputs.h"
#include "PaymentPlan.h"
#include "PlanFiles.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void ExportPdf(benchmark::State& state, const std::shared_ptr<const PaymentPlan>& plan)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    int pages = 0;
    for (auto _ : state) {
        if (!ExportPlanPdf(plan, path, [&pages](int, int total) {
                pages = total;
                return true;
            })) {
            state.SkipWithError("the PDF was not written");
            return;
        }
    }
    state.counters["pages"] = pages;
    state.counters["MiB"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
}

void BM_PlanDocument_ExportLongestPdf(benchmark::State& state)
{
    ExportPdf(state, PlanFor(kLongestPlan));
}
BENCHMARK(BM_PlanDocument_ExportLongestPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlanDocument_ExportWorkedExamplePdf(benchmark::State& state)
{
    ExportPdf(state, PlanFor(TillZero("100000", "7.5", "699")));
}
BENCHMARK(BM_PlanDocument_ExportWorkedExamplePdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
