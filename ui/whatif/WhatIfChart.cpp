// SPDX-License-Identifier: GPL-3.0-or-later
#include "WhatIfChart.h"

#include "Calculator.h"
#include "ChartPalette.h"
#include "DisplayFormats.h"
#include "EngineText.h"
#include "WhatIf.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace {

constexpr double kMonthsPerYear = 12;

QString Period(std::int16_t months)
{
    return QString::fromStdString(PeriodText(months));
}

// Where a plan stands across the chart: its payment.
double Across(const PlanOutcome& outcome)
{
    return outcome.value.toDouble();
}

// An axis from `low` to `high` with round ticks; a little room when both are equal.
void SetRange(QValueAxis* axis, double low, double high)
{
    if (high <= low) {
        high = low + 1;
    }
    axis->setRange(low, high);
    axis->applyNiceNumbers();
}

} // namespace

struct WhatIfChart::Plans {
    std::shared_ptr<const WhatIfLoan> loan;
    VariedPayment varied = VariedPayment::Maximum;
    std::vector<Currency> values;
    std::vector<PlanOutcome> outcomes; // of the first values
    std::optional<PlanOutcome> marked;
};

WhatIfChart::WhatIfChart(QWidget* parent)
    : QChartView(parent), plans_(std::make_unique<Plans>()), payments_(new QValueAxis(this)),
      saved_(new QValueAxis(this)), years_(new QValueAxis(this)), savedLine_(new QLineSeries(this)),
      yearsLine_(new QLineSeries(this)), markLine_(new QLineSeries(this)),
      markPoint_(new QScatterSeries(this))
{
    setRenderHint(QPainter::Antialiasing);
    QChart* plot = chart();
    plot->legend()->setAlignment(Qt::AlignTop);
    plot->setMargins(QMargins(2, 2, 2, 2));
    // Amounts read as in the plan window ($1,234), whatever the desktop's locale.
    plot->setLocalizeNumbers(true);
    plot->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    payments_->setLabelFormat(QStringLiteral("$%.0f"));
    saved_->setLabelFormat(QStringLiteral("$%.0f"));
    years_->setLabelFormat(QStringLiteral("%.0f"));
    payments_->setTitleText(tr("Monthly payment"));
    years_->setTitleText(tr("Years"));
    plot->addAxis(payments_, Qt::AlignBottom);
    plot->addAxis(saved_, Qt::AlignLeft);
    plot->addAxis(years_, Qt::AlignRight);

    savedLine_->setName(tr("Interest saved"));
    yearsLine_->setName(tr("Payoff period (years)"));
    for (QAbstractSeries* series :
         std::initializer_list<QAbstractSeries*>{savedLine_, yearsLine_, markLine_, markPoint_}) {
        plot->addSeries(series);
        series->attachAxis(payments_);
        series->attachAxis(series == yearsLine_ ? years_ : saved_);
    }
    for (QAbstractSeries* mark :
         {static_cast<QAbstractSeries*>(markLine_), static_cast<QAbstractSeries*>(markPoint_)}) {
        for (QLegendMarker* marker : plot->legend()->markers(mark)) {
            marker->setVisible(false);
        }
    }
    steps_.setInterval(0);
    connect(&steps_, &QTimer::timeout, this, &WhatIfChart::runSome);
    followPalette();
}

WhatIfChart::~WhatIfChart() = default;

bool WhatIfChart::complete() const
{
    return plans_->outcomes.size() >= plans_->values.size();
}

const std::vector<PlanOutcome>& WhatIfChart::outcomes() const
{
    return plans_->outcomes;
}

void WhatIfChart::plot(std::shared_ptr<const WhatIfLoan> loan, VariedPayment varied,
                       const SweepRange& range)
{
    Plans& plans = *plans_;
    plans.loan = std::move(loan);
    plans.varied = varied;
    plans.values.clear();
    plans.outcomes.clear();
    const auto count = std::min<std::int64_t>(SweepCount(range), kMostSweepValues);
    for (std::int64_t i = 0; i < count; ++i) {
        plans.values.push_back(range.from + Currency::fromRaw(range.step.raw() * i));
    }
    plans.outcomes.reserve(plans.values.size());
    // Across exactly the payments drawn, so that the lines reach both edges.
    payments_->setRange(range.from.toDouble(), range.to.toDouble());
    showOutcomes();
    steps_.start();
}

void WhatIfChart::mark(const PlanOutcome& outcome)
{
    plans_->marked = outcome;
    placeMark();
    describe();
}

void WhatIfChart::runSome()
{
    QElapsedTimer step;
    step.start();
    Plans& plans = *plans_;
    while (!complete() && step.elapsed() < kStepBudgetMs) {
        const Currency value = plans.values[plans.outcomes.size()];
        plans.outcomes.push_back(plans.loan->outcome(plans.varied, value));
    }
    if (complete()) {
        steps_.stop();
    }
    showOutcomes();
}

// The plans that end in an error, or have no minimum to save against, leave
// gaps in their line.
void WhatIfChart::showOutcomes()
{
    QList<QPointF> saved;
    QList<QPointF> years;
    double lowest = 0;
    double highest = 0;
    double longest = 0;
    for (const PlanOutcome& outcome : plans_->outcomes) {
        if (!outcome.summary) {
            continue;
        }
        const double months = outcome.summary->veskMonths;
        years.append({Across(outcome), months / kMonthsPerYear});
        longest = std::max(longest, months / kMonthsPerYear);
        if (outcome.summary->interestSaved) {
            const double amount = outcome.summary->interestSaved->toDouble();
            saved.append({Across(outcome), amount});
            lowest = std::min(lowest, amount);
            highest = std::max(highest, amount);
        }
    }
    savedLine_->replace(saved);
    yearsLine_->replace(years);
    // Without a minimum plan's interest there is no saving to scale.
    const bool savings = !saved.isEmpty() || plans_->outcomes.empty();
    saved_->setVisible(savings);
    savedLine_->setName(savings ? tr("Interest saved") : tr("Interest saved: no minimum"));
    SetRange(saved_, lowest, highest);
    saved_->setLabelFormat(highest - lowest < 10 ? QStringLiteral("$%.2f")
                                                 : QStringLiteral("$%.0f"));
    SetRange(years_, 0, longest);
    placeMark();
    describe();
}

// A line down through the payment on screen, and a dot where its plan's
// saving meets it.
void WhatIfChart::placeMark()
{
    markLine_->clear();
    markPoint_->clear();
    const std::optional<PlanOutcome>& marked = plans_->marked;
    if (!marked) {
        return;
    }
    const double x = Across(*marked);
    if (x < payments_->min() || x > payments_->max()) {
        return; // typed beyond the range drawn
    }
    markLine_->append({{x, saved_->min()}, {x, saved_->max()}});
    if (marked->summary && marked->summary->interestSaved) {
        markPoint_->append(x, marked->summary->interestSaved->toDouble());
    }
}

// The chart in words, for a screen reader.
void WhatIfChart::describe()
{
    QString text;
    const std::vector<PlanOutcome>& outcomes = plans_->outcomes;
    const auto first = std::find_if(outcomes.begin(), outcomes.end(),
                                    [](const PlanOutcome& o) { return o.summary.has_value(); });
    const auto last = std::find_if(outcomes.rbegin(), outcomes.rend(),
                                   [](const PlanOutcome& o) { return o.summary.has_value(); });
    if (first != outcomes.end()) {
        const auto saving = [](const PlanOutcome& o) {
            return o.summary->interestSaved ? Dollars(*o.summary->interestSaved) : tr("no minimum");
        };
        text = tr("From %1 to %2 a month: interest saved from %3 to %4, paid off in %5 down to "
                  "%6.")
                   .arg(Dollars(first->value), Dollars(last->value), saving(*first), saving(*last),
                        Period(first->summary->veskMonths), Period(last->summary->veskMonths));
    }
    const std::optional<PlanOutcome>& marked = plans_->marked;
    if (marked && marked->summary) {
        text += QLatin1Char(' ') +
                tr("Marked: %1, paid off in %2.")
                    .arg(Dollars(marked->value), Period(marked->summary->veskMonths));
    }
    setAccessibleDescription(text);
}

// The chart and its lines in the widget's palette and font.
void WhatIfChart::followPalette()
{
    PaintChartInPalette(this, {payments_, saved_, years_});
    years_->setGridLineVisible(false); // the saving's grid is enough
    const QPalette colours = palette();
    const QColor text = colours.color(QPalette::WindowText);
    const double width = std::max(2.0, fontMetrics().height() / 7.0);
    const QColor highlight = colours.color(QPalette::Highlight);
    savedLine_->setPen(QPen(highlight, width));
    yearsLine_->setPen(QPen(text, width, Qt::DashLine));
    markLine_->setPen(QPen(text, width / 2, Qt::DotLine));
    markPoint_->setColor(highlight);
    markPoint_->setBorderColor(text);
    markPoint_->setMarkerSize(width * 4);
}

void WhatIfChart::changeEvent(QEvent* event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        followPalette();
    }
}
