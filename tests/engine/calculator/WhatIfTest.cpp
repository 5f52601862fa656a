// SPDX-License-Identifier: GPL-3.0-or-later
// Plans asked many questions at once: the solver against a scan of every
// cent, sweep rows against the plan window's own runs, Vesk's Method for the
// first months only, the totals and the extra, and the dates of a plan.

#include "WhatIf.h"

#include "CalculatorTestSupport.h"
#include "PaymentPlan.h"
#include "PlanDates.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

PlanTerms TermsOf(const Loan& loan)
{
    return WindowPlan(loan).terms;
}

// The least value whose plan pays off within each count of months, found by
// running the plan of every cent from 15.00 to `to`: the definition itself.
std::map<int, Currency> ScanEveryCent(const WhatIfLoan& loan, VariedPayment varied, Currency to,
                                      const std::vector<int>& withins)
{
    std::map<int, Currency> least;
    for (Currency value = kLeastLimit; value <= to; value += kCent) {
        const PlanOutcome outcome = loan.outcome(varied, value);
        for (const int within : withins) {
            if (outcome.summary && outcome.summary->veskMonths <= within && !least.count(within))
                least.emplace(within, value);
        }
    }
    return least;
}

TEST(Solve, FindsWhatAScanOfEveryCentFinds)
{
    // Interest of 20.00 a month: caps and fixed payments up to it never pay
    // the loan off and fail, as the plan window would report.
    const WhatIfLoan loan(TermsOf({"1000", "24", "30"}));
    const std::vector<int> withins = {1, 6, 12, 24, 40, 60, 120, 400};
    for (const VariedPayment varied : {VariedPayment::Maximum, VariedPayment::Fixed}) {
        const std::map<int, Currency> scanned = ScanEveryCent(loan, varied, Money("1100"), withins);
        for (const int within : withins) {
            const SolveResult solved = Solve(loan, varied, within);
            const auto found = scanned.find(within);
            SCOPED_TRACE(testing::Message()
                         << "within " << within << " fixed " << (varied == VariedPayment::Fixed));
            ASSERT_EQ(solved.answer.has_value(), found != scanned.end());
            if (!solved.answer)
                continue;
            EXPECT_EQ(solved.answer->value, found->second);
            ASSERT_TRUE(solved.answer->summary);
            EXPECT_LE(solved.answer->summary->veskMonths, within);
            ASSERT_TRUE(solved.nextCentDown);
            EXPECT_EQ(solved.nextCentDown->value, found->second - kCent);
            if (solved.nextCentDown->summary) {
                EXPECT_GT(solved.nextCentDown->summary->veskMonths, within);
            }
        }
    }
}

TEST(Solve, NoCapBeatsVeskMethodWithoutOne)
{
    const WhatIfLoan loan(TermsOf({"100000", "7.5", "699"}));
    const SolveResult tenYears = Solve(loan, VariedPayment::Maximum, 120);
    EXPECT_FALSE(tenYears.answer);
    ASSERT_TRUE(tenYears.uncapped && tenYears.uncapped->summary);
    EXPECT_EQ(tenYears.uncapped->summary->veskMonths, 179);

    // Paid off within 179 months only without a cap; the cap at the
    // plan's highest payment is no cap at all.
    const SolveResult exact = Solve(loan, VariedPayment::Maximum, 179);
    ASSERT_TRUE(exact.answer && exact.answer->summary);
    EXPECT_EQ(exact.answer->summary->veskMonths, 179);
    EXPECT_GT(exact.nextCentDown->summary->veskMonths, 179);

    // A cap of 15 (the least the window takes) has no cent below it.
    const SolveResult least =
        Solve(WhatIfLoan(TermsOf({"100", "0", "10"})), VariedPayment::Maximum, 12);
    ASSERT_TRUE(least.answer);
    EXPECT_EQ(least.answer->value, kLeastLimit);
    EXPECT_FALSE(least.nextCentDown);
}

TEST(SolveScheduled, ThirtyYearsAtSevenAndAHalf)
{
    const ScheduledSolveResult solved = SolveScheduled(Money("100000"), 0.075, 360);
    ASSERT_TRUE(solved.answer && solved.answer->run);
    EXPECT_EQ(solved.answer->value, Money("699.22"));
    EXPECT_EQ(solved.answer->run->months, 360);
    // The annuity's own 699.21 leaves a small last payment in month 361.
    ASSERT_TRUE(solved.nextCentDown && solved.nextCentDown->run);
    EXPECT_EQ(solved.nextCentDown->run->months, 361);
}

TEST(Sweep, RowsAreThePlanWindowsOwnRuns)
{
    const Loan loan{"100000", "7.5", "699"};
    const WhatIfLoan whatIf(TermsOf(loan));
    const std::vector<PlanOutcome> capped =
        Sweep(whatIf, VariedPayment::Maximum, {Money("700"), Money("1699"), Money("250")});
    ASSERT_EQ(capped.size(), 4u); // 700, 950, 1200, 1450
    const std::vector<PlanOutcome> fixed =
        Sweep(whatIf, VariedPayment::Fixed, {Money("600"), Money("700"), Money("50")});
    ASSERT_EQ(fixed.size(), 3u); // 600 never pays off: the row carries the error
    for (const auto& [rows, maximum] : {std::pair{&capped, 1}, std::pair{&fixed, 0}}) {
        for (const PlanOutcome& row : *rows) {
            const std::string value = std::to_string(row.value.raw() / Currency::kScale);
            CalcState = CalcRecord{};
            try {
                const PlanSummary want = WindowPlan({loan.balance, loan.rate, loan.payment,
                                                     value.c_str(), maximum, 1 - maximum})
                                             .summary;
                ASSERT_TRUE(row.summary) << value;
                EXPECT_EQ(row.summary->veskMonths, want.veskMonths) << value;
                EXPECT_EQ(row.summary->interestSaved, want.interestSaved) << value;
                EXPECT_EQ(row.summary->totalInterest, want.totalInterest) << value;
                EXPECT_EQ(row.summary->averageMonthly, want.averageMonthly) << value;
            } catch (const RuntimeError& error) {
                EXPECT_FALSE(row.summary) << value;
                EXPECT_EQ(row.error.number, error.number()) << value;
                EXPECT_EQ(row.error.description, error.description()) << value;
            }
        }
    }
    EXPECT_FALSE(fixed[0].summary);
    EXPECT_EQ(SweepCount({Money("700"), Money("1699"), Money("1")}), 1000);
    EXPECT_EQ(SweepCount({Money("700"), Money("699"), Money("1")}), 0);
    EXPECT_EQ(SweepCount({Money("700"), Money("800"), Money("0")}), 0);
}

TEST(WhatIf, LeavesTheWindowsCalcStateAsItWas)
{
    LoadCalcState(InputsFor({"100000", "7.5", "699", "1000", 1, 0}, true));
    const CalcRecord before = CalcState;
    const WhatIfLoan loan(TermsOf({"5000", "9", "100"}));
    CalcState = before;
    Solve(loan, VariedPayment::Fixed, 24);
    Sweep(loan, VariedPayment::Maximum, {Money("100"), Money("300"), Money("10")});
    SolveScheduled(Money("5000"), 0.09, 24);
    EXPECT_EQ(CalcState.VeskBalance, before.VeskBalance);
    EXPECT_EQ(CalcState.MinBalance, before.MinBalance);
    EXPECT_EQ(CalcState.MaxMonthly, before.MaxMonthly);
    EXPECT_EQ(CalcState.FixedMonthly, before.FixedMonthly);
    EXPECT_EQ(CalcState.VeskTotalInterest, before.VeskTotalInterest);
    EXPECT_EQ(CalcState.VeskRate, before.VeskRate);
}

// After its first N months the plan steps as the scheduled plan does.
TEST(VeskFirstMonths, ThenTheScheduledPaymentAlone)
{
    const Loan worked{"100000", "7.5", "699"};
    const PaymentPlan whole = WindowPlan(worked);
    for (const std::int16_t covering : {std::int16_t{179}, std::int16_t{500}}) {
        const PaymentPlan same = WindowPlan(worked, covering);
        EXPECT_EQ(same.summary.veskMonths, whole.summary.veskMonths);
        EXPECT_EQ(same.summary.interestSaved, whole.summary.interestSaved);
        EXPECT_EQ(same.months.back().payment, whole.months.back().payment);
    }

    for (const auto& [loan, first] :
         {std::pair{worked, 36}, std::pair{Loan{"100000", "7.5", "699", "750", 1, 0}, 12}}) {
        const PaymentPlan plan = WindowPlan(loan, static_cast<std::int16_t>(first));
        ASSERT_GT(plan.months.size(), static_cast<std::size_t>(first));
        // The scheduled plan started from the balance after month N.
        CalcRecord scheduled;
        scheduled.MinBalance = plan.months[static_cast<std::size_t>(first) - 1].balance;
        scheduled.MinRate = plan.terms.minRate;
        scheduled.MinPayment = plan.terms.scheduledPayment;
        for (std::size_t m = static_cast<std::size_t>(first); m < plan.months.size(); ++m) {
            StepMinMonth(scheduled);
            EXPECT_EQ(plan.months[m].balance, scheduled.MinBalance) << "month " << m + 1;
            EXPECT_EQ(plan.months[m].extra, Currency()) << "month " << m + 1;
        }
        EXPECT_EQ(scheduled.MinBalance, Currency());
        EXPECT_GT(plan.months[static_cast<std::size_t>(first) - 1].extra, Currency());
    }

    // Three years of it save thousands, not the whole loan's saving.
    const PaymentPlan threeYears = WindowPlan(worked, 36);
    EXPECT_GT(threeYears.summary.veskMonths, whole.summary.veskMonths);
    EXPECT_LT(threeYears.summary.veskMonths, threeYears.summary.minMonths);
    EXPECT_GT(*threeYears.summary.interestSaved, Money("10000"));
    EXPECT_LT(*threeYears.summary.interestSaved, *whole.summary.interestSaved);

    // "Monthly Payment" runs the same variant.
    CalculatorInputs in = InputsFor(worked, false);
    in.veskFirstMonths = 36;
    LoadCalcState(in);
    const MonthlyResults monthly = RunMonthlyPayment();
    EXPECT_EQ(monthly.months, threeYears.summary.veskMonths);
    EXPECT_EQ(monthly.interestSaved, *threeYears.summary.interestSaved);
}

// Everything paid is the opening balance and the interest, month by month
// (the payment split into the scheduled payment and the extra) and in all.
TEST(Totals, PaidIsBalanceAndInterest)
{
    for (const Loan& loan :
         {Loan{"100000", "7.5", "699"}, Loan{"100000", "7.5", "699", "1000", 1, 0},
          Loan{"100000", "7.5", "699", "650", 0, 1}, Loan{"1000", "0", "100"},
          Loan{"250000", "6", "1500", "1600", 1, 0}}) {
        const PaymentPlan plan = WindowPlan(loan);
        Currency paid;
        for (const PlanMonth& month : plan.months) {
            paid += month.payment;
            const Currency beyond = month.payment - plan.terms.scheduledPayment;
            if (&month == &plan.months.back()) {
                EXPECT_EQ(month.extra, std::max(Currency(), beyond)) << loan.maximum;
            } else {
                EXPECT_EQ(month.extra, beyond) << loan.maximum << " month " << month.month;
            }
        }
        const PlanSummary& summary = plan.summary;
        EXPECT_EQ(summary.totalPaid, plan.terms.openingBalance + summary.totalInterest);
        EXPECT_EQ(paid, summary.totalPaid) << loan.balance << " " << loan.maximum;
        ASSERT_TRUE(summary.minTotalInterest && summary.minTotalPaid);
        EXPECT_EQ(*summary.minTotalPaid, plan.terms.openingBalance + *summary.minTotalInterest);
    }
    const PlanSummary worked = WindowPlan({"100000", "7.5", "699"}).summary;
    EXPECT_EQ(worked.totalInterest, Money("75056.9315"));
    EXPECT_EQ(worked.minTotalInterest, Money("151930.8475"));
    EXPECT_EQ(WindowPlan({"100000", "7.5", "699"}).months[0].extra, Money("78.8313"));
}

TEST(PlanDates, MonthsAcrossAYearEndAndUpToDecember9999)
{
    struct Case {
        const char* first;
        int month;
        const char* iso; // nullptr: past December 9999
        const char* text;
    };
    for (const Case& c :
         {Case{"2026-01", 1, "2026-01", "Jan 2026"}, Case{"2025-11", 3, "2026-01", "Jan 2026"},
          Case{"2026-01", 179, "2040-11", "Nov 2040"}, Case{"1900-01", 12, "1900-12", "Dec 1900"},
          Case{"9999-01", 12, "9999-12", "Dec 9999"}, Case{"9999-01", 13, nullptr, nullptr},
          Case{"9999-12", 2, nullptr, nullptr}}) {
        const std::optional<CalendarMonth> first = CalendarMonth::fromText(c.first);
        ASSERT_TRUE(first) << c.first;
        const std::optional<CalendarMonth> date = PlanMonthDate(*first, c.month);
        ASSERT_EQ(date.has_value(), c.iso != nullptr) << c.first << " + " << c.month;
        if (date) {
            EXPECT_EQ(date->isoText(), c.iso);
            EXPECT_EQ(date->text(), c.text);
        }
    }
    for (const char* refused : {"1899-12", "10000-01", "2026-13", "2026-00", "2026-1", "2026/01",
                                "26-01", "", "2026-01 "})
        EXPECT_FALSE(CalendarMonth::fromText(refused)) << refused;
}

} // namespace
