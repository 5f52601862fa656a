// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the questions asked of many plans: a sweep of a thousand caps of
// the worked example, a solve, and the longest loan solved for a fixed
// payment.

#include "LoanInputs.h"
#include "WhatIf.h"

#include <benchmark/benchmark.h>

namespace {

// The loan as the plan window's Calculate command loads it.
PlanTerms Loan(const char* balance, const char* rate, const char* payment)
{
    return PlanFor(TillZero(balance, rate, payment))->terms;
}

const Currency kDollar = Currency::fromUnits(1);

// 100000 at 7.5 % with 699 a month, capped at 700, 701, ... 1,699.
void BM_Sweep_WorkedExample1000Caps(benchmark::State& state)
{
    const PlanTerms terms = Loan("100000", "7.5", "699");
    for (auto _ : state) {
        const WhatIfLoan loan(terms);
        auto rows = Sweep(loan, VariedPayment::Maximum,
                          {Currency::fromUnits(700), Currency::fromUnits(1699), kDollar});
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_Sweep_WorkedExample1000Caps)->Unit(benchmark::kMillisecond);

// The least cap that clears the worked example within 20 years, and the
// least fixed payment within 10, each with its next cent down.
void BM_Solve_WorkedExample(benchmark::State& state)
{
    const PlanTerms terms = Loan("100000", "7.5", "699");
    const auto varied = static_cast<VariedPayment>(state.range(0));
    const auto within = static_cast<int>(state.range(1));
    for (auto _ : state) {
        const WhatIfLoan loan(terms);
        SolveResult result = Solve(loan, varied, within);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_Solve_WorkedExample)
    ->ArgNames({"fixed", "within"})
    ->Args({static_cast<int>(VariedPayment::Maximum), 240})
    ->Args({static_cast<int>(VariedPayment::Fixed), 120})
    ->Unit(benchmark::kMicrosecond);

// 3276600 at 0 % with 100 a month: 32,766 months of the scheduled plan, the
// most a plan can have; solved for a fixed payment within 10 years and
// within all 32,766 months.
void BM_Solve_LongestLoanFixed(benchmark::State& state)
{
    const PlanTerms terms = Loan("3276600", "0", "100");
    const auto within = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const WhatIfLoan loan(terms);
        SolveResult result = Solve(loan, VariedPayment::Fixed, within);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_Solve_LongestLoanFixed)->Arg(120)->Arg(32766)->Unit(benchmark::kMillisecond);

// "30 years at 7.5 %": the scheduled payment.
void BM_SolveScheduled_ThirtyYears(benchmark::State& state)
{
    for (auto _ : state) {
        ScheduledSolveResult result = SolveScheduled(Currency::fromUnits(100000), 0.075, 360);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_SolveScheduled_ThirtyYears)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
