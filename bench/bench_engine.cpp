// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the calculation engine: the monthly steps, the payment plan, and
// the enabling rule run on every keystroke.

#include "Calculator.h"
#include "PaymentPlan.h"
#include "modDeclarations.h"

#include <benchmark/benchmark.h>

namespace {

CalculatorInputs Inputs(const char* balance, const char* rate, const char* payment,
                        const char* fixed = nullptr)
{
    // a fixed payment means "Payments Till Zero" with "Disable Vesk Method"
    return CalculatorInputs{.balance = balance,
                            .rate = rate,
                            .payment = payment,
                            .maximum = fixed ? fixed : "",
                            .tillZero = fixed != nullptr,
                            .chkMaxMonthly = 0,
                            .chkDisableVesk = fixed ? 1 : 0,
                            .maximumEnabled = fixed != nullptr};
}

// A counter that reports nanoseconds of CPU time per unit of work (month, row,
// validation); the console shows it with an "s" suffix.
benchmark::Counter NanosecondsPer(double unitsPerIteration)
{
    return benchmark::Counter(unitsPerIteration * 1e-9,
                              benchmark::Counter::kIsIterationInvariantRate |
                                  benchmark::Counter::kInvert);
}

// The months of both plans, stepped once outside the timed runs.
double CountMonths(const CalculatorInputs& in)
{
    LoadCalcState(in);
    double months = 0;
    for (; CalcState.VeskBalance > Currency(); ++months)
        StepVeskMonth();
    for (; CalcState.MinBalance > Currency(); ++months)
        StepMinMonth();
    return months;
}

// "Monthly Payment": the load and both plans to their end.
void RunMonthly(benchmark::State& state, const CalculatorInputs& in)
{
    const double months = CountMonths(in);
    for (auto _ : state) {
        LoadCalcState(in);
        MonthlyResults results = RunMonthlyPayment();
        benchmark::DoNotOptimize(results);
    }
    state.counters["months"] = months;
    state.counters["ns_per_month"] = NanosecondsPer(months);
}

void BM_MonthlyPayment_ZeroRate(benchmark::State& state)
{
    RunMonthly(state, Inputs("3276700", "0", "100")); // 16,384 + 32,767 months
}
BENCHMARK(BM_MonthlyPayment_ZeroRate)->Unit(benchmark::kMicrosecond);

void BM_MonthlyPayment_Loan(benchmark::State& state)
{
    RunMonthly(state, Inputs("100000", "7.5", "699")); // 179 + 361 months
}
BENCHMARK(BM_MonthlyPayment_Loan)->Unit(benchmark::kMicrosecond);

// The payment plan window's load: every month and the summary, as numbers.
void BM_PaymentPlan(benchmark::State& state)
{
    const CalculatorInputs in = Inputs("3276600", "0", "100", "100"); // 32,766 months
    double rows = 0;
    for (auto _ : state) {
        LoadCalcState(in);
        PaymentPlan plan = LoadPaymentPlan();
        rows = static_cast<double>(plan.months.size());
        benchmark::DoNotOptimize(plan);
    }
    state.counters["rows"] = rows;
    state.counters["ns_per_row"] = NanosecondsPer(rows);
}
BENCHMARK(BM_PaymentPlan)->Unit(benchmark::kMillisecond);

// The enabling rule over typical texts of each option state.
void BM_EnablingRule(benchmark::State& state)
{
    CalculatorInputs inputs[] = {Inputs("100000", "7.5", "699"), Inputs("250,000", "6", "1500.50"),
                                 Inputs("100000", "7.5", "0", "650"),
                                 Inputs("12abc", "abc", "1 000")};
    inputs[1].tillZero = true;
    inputs[1].chkMaxMonthly = 1;
    inputs[1].maximumEnabled = true;
    inputs[1].maximum = "2000";
    for (auto _ : state) {
        for (const CalculatorInputs& in : inputs) {
            EnableDecision decision = EnablingRule(in);
            benchmark::DoNotOptimize(decision);
        }
    }
    state.counters["ns_per_validation"] = NanosecondsPer(std::size(inputs));
}
BENCHMARK(BM_EnablingRule);

} // namespace

BENCHMARK_MAIN();
