// SPDX-License-Identifier: GPL-3.0-or-later
#include "WhatIf.h"

#include "RuntimeError.h"

#include <algorithm>
#include <limits>

namespace {

const Currency kZero;

PlanError ErrorOf(const RuntimeError& error)
{
    return {error.number(), error.description()};
}

// An amount rounded up to whole cents.
Currency CeilingCents(Currency amount)
{
    const std::int64_t rest = amount.raw() % kCent.raw();
    return rest > 0 ? amount + Currency::fromRaw(kCent.raw() - rest)
                    : amount - Currency::fromRaw(rest);
}

// Payoff months do not rise as the payment rises, so the least paying value
// is found by halving: `low` does not pay (or is `high`), `high` does, both
// in whole cents.
template <typename Pays> Currency LeastPaying(Currency low, Currency high, Pays pays)
{
    while (high.raw() - low.raw() > kCent.raw()) {
        const std::int64_t cents = (high.raw() - low.raw()) / kCent.raw();
        const Currency middle = Currency::fromRaw(low.raw() + cents / 2 * kCent.raw());
        (pays(middle) ? high : low) = middle;
    }
    return high;
}

// Doubles `high` from `low` until it pays (or reaches `ceiling`, which
// pays); `low` is left at the last value that did not, or at `high` when
// the first value pays. None when the money range ends first.
template <typename Pays>
std::optional<Currency> FirstPaying(Currency& low, Pays pays, Currency ceiling = Currency::max())
{
    Currency high = low;
    try {
        while (!pays(high)) {
            low = high;
            if (high >= ceiling) {
                return std::nullopt;
            }
            high = std::min(high + high, ceiling);
        }
    } catch (const RuntimeError&) {
        return std::nullopt; // doubling left the money range
    }
    return high;
}

// The scheduled plan alone for a scheduled payment.
ScheduledOutcome ScheduledOutcomeOf(Currency balance, double rate, Currency payment)
{
    ScheduledOutcome result{payment, std::nullopt, {}, {}};
    try {
        CalcRecord s = ScheduledRecord(balance, rate, payment);
        const ScheduledRun run = RunScheduledPlan(s);
        result.totalPaid = balance + run.totalInterest;
        result.run = run;
    } catch (const RuntimeError& error) {
        result.error = ErrorOf(error);
    }
    return result;
}

} // namespace

PlanTerms TermsWith(const PlanTerms& loan, VariedPayment varied, Currency value)
{
    PlanTerms terms = loan;
    switch (varied) {
    case VariedPayment::Maximum:
        terms.maxMonthly = value;
        terms.fixedMonthly = kZero;
        break;
    case VariedPayment::Fixed:
        // A fixed payment replaces the method, and with it its first months.
        terms.fixedMonthly = value;
        terms.maxMonthly = kZero;
        terms.veskFirstMonths = 0;
        break;
    case VariedPayment::Scheduled:
        terms.scheduledPayment = value;
        break;
    }
    return terms;
}

WhatIfLoan::WhatIfLoan(const PlanTerms& loan) : loan_(loan)
{
    try {
        CalcRecord s = ScheduledRecord(loan.openingBalance, loan.minRate, loan.scheduledPayment);
        scheduled_ = RunScheduledPlan(s);
    } catch (const RuntimeError& error) {
        scheduledError_ = ErrorOf(error);
    }
    try {
        CalcRecord s = RecordOf(TermsWith(loan_, VariedPayment::Maximum, kZero));
        Currency highest = s.VeskScheduled;
        // The payment before any shortening of the last month.
        RunAcceleratedPlan(s, [&highest](const CalcRecord& r, std::int16_t) {
            highest = std::max(highest, r.VeskScheduled + r.VeskExtra);
        });
        uncappedHighest_ = highest;
    } catch (const RuntimeError&) {
        // Vesk's Method without a cap fails: no highest payment
    }
}

PlanOutcome WhatIfLoan::outcome(VariedPayment varied, Currency value) const
{
    PlanOutcome result{value, std::nullopt, {}};
    try {
        CalcRecord s = RecordOf(TermsWith(loan_, varied, value));
        const std::int16_t months = RunAcceleratedPlan(s);
        if (varied == VariedPayment::Scheduled) {
            result.summary =
                SummaryOf(loan_.openingBalance, months, s.VeskTotalInterest, RunScheduledPlan(s));
        } else if (scheduled_) {
            result.summary =
                SummaryOf(loan_.openingBalance, months, s.VeskTotalInterest, *scheduled_);
        } else {
            result.error = scheduledError_;
        }
    } catch (const RuntimeError& error) {
        result.error = ErrorOf(error);
    }
    return result;
}

bool WhatIfLoan::paidOffWithin(VariedPayment varied, Currency value, int months) const
{
    try {
        CalcRecord s = RecordOf(TermsWith(loan_, varied, value));
        RunAcceleratedPlan(s, months);
        return !(s.VeskBalance > kZero);
    } catch (const RuntimeError&) {
        return false;
    }
}

std::int64_t SweepCount(const SweepRange& range)
{
    if (range.step <= kZero || range.to < range.from) {
        return 0;
    }
    const auto span =
        static_cast<std::uint64_t>(range.to.raw()) - static_cast<std::uint64_t>(range.from.raw());
    const std::uint64_t steps = span / static_cast<std::uint64_t>(range.step.raw());
    constexpr auto kMost = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(std::min(steps, kMost - 1) + 1);
}

SweepRange PaymentsWorthShowing(const WhatIfLoan& loan, VariedPayment varied, int points)
{
    const Currency scheduled = loan.terms().scheduledPayment;
    const Currency from =
        std::max(kLeastLimit, scheduled - Currency::fromRaw(scheduled.raw() % kCent.raw()));
    const std::int64_t steps = std::max(points - 1, 1);
    try {
        Currency to = std::max(from, CeilingCents(loan.uncappedHighestPayment().value_or(from)));
        if (varied == VariedPayment::Fixed) {
            to = std::max(to, scheduled + scheduled);
        }
        // Whole cents a step, the last value at or beyond `to`.
        const std::int64_t span = std::max<std::int64_t>((to - from).raw() / kCent.raw(), steps);
        const Currency step = Currency::fromRaw((span + steps - 1) / steps * kCent.raw());
        std::int64_t reach = 0;
        if (__builtin_mul_overflow(step.raw(), steps, &reach)) {
            Raise(ErrOverflow);
        }
        return {from, from + Currency::fromRaw(reach), step};
    } catch (const RuntimeError&) {
        // Payments at the end of the money range: a cent a step.
        return {from, from + Currency::fromRaw(kCent.raw() * steps), kCent};
    }
}

std::vector<PlanOutcome> Sweep(const WhatIfLoan& loan, VariedPayment varied,
                               const SweepRange& range)
{
    const auto count =
        static_cast<std::size_t>(std::min<std::int64_t>(SweepCount(range), kMostSweepValues));
    std::vector<PlanOutcome> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto offset = static_cast<std::int64_t>(i) * range.step.raw();
        rows.push_back(loan.outcome(varied, range.from + Currency::fromRaw(offset)));
    }
    return rows;
}

SolveResult Solve(const WhatIfLoan& loan, VariedPayment varied, int within)
{
    SolveResult result;
    const auto pays = [&](Currency value) { return loan.paidOffWithin(varied, value, within); };
    Currency ceiling = Currency::max();
    if (varied == VariedPayment::Maximum) {
        // A cap only slows Vesk's Method down, and one at its highest
        // payment changes nothing.
        const std::optional<Currency> highest = loan.uncappedHighestPayment();
        if (!highest || !loan.paidOffWithin(varied, kZero, within)) {
            result.uncapped = loan.outcome(varied, kZero);
            return result;
        }
        try {
            ceiling = std::max(kLeastLimit, CeilingCents(*highest));
        } catch (const RuntimeError&) {
            return result; // no cap in whole cents reaches it
        }
    }
    Currency low = kLeastLimit;
    const std::optional<Currency> high = FirstPaying(low, pays, ceiling);
    if (!high) {
        return result;
    }
    const Currency answer = LeastPaying(low, *high, pays);
    result.answer = loan.outcome(varied, answer);
    if (answer > kLeastLimit) {
        result.nextCentDown = loan.outcome(varied, answer - kCent);
    }
    return result;
}

ScheduledSolveResult SolveScheduled(Currency balance, double rate, int within)
{
    const auto pays = [&](Currency payment) {
        try {
            CalcRecord s = ScheduledRecord(balance, rate, payment);
            return RunScheduledPlan(s, within).paidOff;
        } catch (const RuntimeError&) {
            return false;
        }
    };
    Currency low = kCent;
    const std::optional<Currency> high = FirstPaying(low, pays);
    ScheduledSolveResult result;
    if (!high) {
        return result;
    }
    const Currency answer = LeastPaying(low, *high, pays);
    result.answer = ScheduledOutcomeOf(balance, rate, answer);
    if (answer > kCent) {
        result.nextCentDown = ScheduledOutcomeOf(balance, rate, answer - kCent);
    }
    return result;
}
