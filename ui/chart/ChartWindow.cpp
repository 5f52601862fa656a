// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartWindow.h"

#include "DisplayFormats.h"
#include "EngineText.h"
#include "PlanChartData.h"
#include "PlanChartView.h"
#include "modDeclarations.h"

#include <QAreaSeries>
#include <QEvent>
#include <QGuiApplication>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

constexpr double kMonthsPerYear = 12;

// One point a month, x in years; a plan that ended before `months` stays at
// its last value up to there.
std::vector<QPointF> Points(const std::vector<Currency>& values, int months)
{
    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(std::max(months + 1, 0)));
    for (int month = 0; month <= months && !values.empty(); ++month) {
        const Currency value = values[std::min(static_cast<std::size_t>(month), values.size() - 1)];
        points.emplace_back(month / kMonthsPerYear, value.toDouble());
    }
    return points;
}

double Largest(const std::vector<Currency>& values)
{
    const auto largest = std::max_element(values.begin(), values.end());
    return largest != values.end() ? largest->toDouble() : 0.0;
}

// "paid off 15 yrs and 2 mths sooner": how the plan's payoff compares.
QString PayoffComparison(const PlanChartData& data)
{
    const int difference = data.scheduled.months() - data.plan.months();
    if (difference == 0) {
        return ChartWindow::tr("paid off in the same time");
    }
    auto months = static_cast<std::int16_t>(std::abs(difference));
    const QString period = FromStd(PayoffPeriodText(months));
    return difference > 0 ? ChartWindow::tr("paid off %1 sooner").arg(period)
                          : ChartWindow::tr("paid off %1 later").arg(period);
}

QString Capitalised(QString text)
{
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

// The chart in words, for a screen reader.
QString Summary(const PlanChartData& data)
{
    const QString plan = FromStd(data.plan.name);
    const QString period = FromStd(data.plan.period);
    if (!data.hasScheduled) {
        return ChartWindow::tr("%1 pays the loan off in %2. There is no minimum payment plan to "
                               "compare it with (none to report).")
            .arg(plan, period);
    }
    return ChartWindow::tr("%1 pays the loan off in %2; the %3 takes %4, so the loan is %5. %6.")
        .arg(plan, period, FromStd(data.scheduled.name), FromStd(data.scheduled.period),
             PayoffComparison(data), FromStd(data.interestComparison));
}

} // namespace

ChartWindow::ChartWindow(PlanChartData chartData, QWidget* parent)
    : QDialog(parent), data_(std::make_unique<const PlanChartData>(std::move(chartData))),
      pages_(new QTabWidget(this)), balanceView_(new PlanChartView),
      interestView_(new PlanChartView)
{
    setObjectName(QStringLiteral("ChartWindow"));
    setWindowTitle(tr("Payment Plan Chart"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    balanceView_->setObjectName(QStringLiteral("balanceView"));
    interestView_->setObjectName(QStringLiteral("interestView"));
    pages_->addTab(balanceView_, tr("&Balance"));
    pages_->addTab(interestView_, tr("&Interest Paid"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);

    buildBalanceChart();
    buildInterestChart();
    colourSeries();

    const QString summary = Summary(*data_);
    setAccessibleDescription(summary);
    balanceView_->setAccessibleName(tr("Balance left, month by month"));
    interestView_->setAccessibleName(tr("Interest paid, month by month"));
    balanceView_->setAccessibleDescription(summary);
    interestView_->setAccessibleDescription(summary);
    // The arrow keys step along the curve at once.
    balanceView_->setFocus();

    // Wide enough for the legend in the window's font, and never larger than the screen.
    const QFontMetrics metrics = fontMetrics();
    QSize wanted(metrics.averageCharWidth() * 120, metrics.height() * 36);
    if (const QScreen* screen =
            parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
        wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
    }
    resize(wanted);
}

ChartWindow::~ChartWindow() = default;

ChartWindow* ChartWindow::openOver(QWidget* owner, PlanChartData chartData)
{
    auto* window = new ChartWindow(std::move(chartData), owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

void ChartWindow::buildBalanceChart()
{
    const PlanCurve& plan = data_->plan;
    const PlanCurve& scheduled = data_->scheduled;
    auto describe = [](const PlanCurve& curve) {
        return [&curve](int month) {
            return tr("Month %1: %2 left\n%3")
                .arg(month)
                .arg(Dollars(curve.balance[static_cast<std::size_t>(month)]), FromStd(curve.name));
        };
    };
    PlanChartView* view = balanceView_;
    if (data_->hasScheduled) {
        // The area between the curves is the time one plan saves over the other.
        const bool planEndsFirst = plan.months() <= scheduled.months();
        const PlanCurve& longer = planEndsFirst ? scheduled : plan;
        const PlanCurve& shorter = planEndsFirst ? plan : scheduled;
        savingSeries_ << view->addArea(Capitalised(PayoffComparison(*data_)),
                                       Points(longer.balance, longer.months()),
                                       Points(shorter.balance, shorter.months()));
        scheduledSeries_ << view->addCurve(FromStd(scheduled.name),
                                           Points(scheduled.balance, scheduled.months()),
                                           describe(scheduled));
    } else {
        scheduledSeries_ << view->addLegendEntry(FromStd(scheduled.name));
    }
    planSeries_ << view->addCurve(FromStd(plan.name), Points(plan.balance, plan.months()),
                                  describe(plan));

    // Each payoff point is marked on the zero line and labelled with its period.
    if (data_->hasScheduled) {
        scheduledSeries_ << view->addMark(QPointF(scheduled.months() / kMonthsPerYear, 0),
                                          FromStd(scheduled.period));
    }
    planSeries_ << view->addMark(QPointF(plan.months() / kMonthsPerYear, 0), FromStd(plan.period));
    view->setRanges(std::max(plan.months(), scheduled.months()) / kMonthsPerYear,
                    std::max(Largest(plan.balance), Largest(scheduled.balance)));
}

void ChartWindow::buildInterestChart()
{
    const PlanCurve& plan = data_->plan;
    const PlanCurve& scheduled = data_->scheduled;
    // Interest paid stays at its total once a plan has ended, so both curves
    // reach the same end and the gap there is the interest saved.
    const int end = std::max(plan.months(), scheduled.months());
    auto describe = [](const PlanCurve& curve) {
        return [&curve](int month) {
            const std::size_t last = curve.interestPaid.size() - 1;
            return tr("Month %1: %2 interest paid\n%3")
                .arg(month)
                .arg(Dollars(curve.interestPaid[std::min(static_cast<std::size_t>(month), last)]),
                     FromStd(curve.name));
        };
    };
    PlanChartView* view = interestView_;
    if (data_->hasScheduled) {
        scheduledSeries_ << view->addCurve(
            FromStd(scheduled.name), Points(scheduled.interestPaid, end), describe(scheduled));
    } else {
        scheduledSeries_ << view->addLegendEntry(FromStd(scheduled.name));
    }
    planSeries_ << view->addCurve(FromStd(plan.name), Points(plan.interestPaid, end),
                                  describe(plan));
    if (data_->hasScheduled) {
        const double years = end / kMonthsPerYear;
        savingSeries_ << view->addSegment(FromStd(data_->interestComparison),
                                          QPointF(years, plan.interestPaid.back().toDouble()),
                                          QPointF(years, scheduled.interestPaid.back().toDouble()));
    }
    view->setRanges(end / kMonthsPerYear,
                    std::max(Largest(plan.interestPaid), Largest(scheduled.interestPaid)));
}

// The plan in the palette's highlight, the scheduled plan dashed in the text
// colour, what one saves over the other in a lighter highlight.
void ChartWindow::colourSeries()
{
    const QColor planColour = palette().color(QPalette::Highlight);
    const QColor scheduledColour = palette().color(QPalette::WindowText);
    const double lineWidth = std::max(2.0, fontMetrics().height() / 7.0);
    auto paint = [&](QAbstractSeries* series, const QColor& colour, Qt::PenStyle style) {
        if (auto* mark = qobject_cast<QScatterSeries*>(series)) {
            mark->setColor(colour);
            mark->setBorderColor(colour);
            mark->setMarkerSize(lineWidth * 4);
        } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
            line->setPen(QPen(colour, lineWidth, style, Qt::FlatCap));
        }
    };
    for (QAbstractSeries* series : planSeries_) {
        paint(series, planColour, Qt::SolidLine);
    }
    for (QAbstractSeries* series : scheduledSeries_) {
        paint(series, scheduledColour, Qt::DashLine);
    }
    QColor saving = planColour;
    for (QAbstractSeries* series : savingSeries_) {
        if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            saving.setAlpha(70);
            area->setBrush(saving);
            area->setPen(Qt::NoPen);
        } else if (auto* bar = qobject_cast<QLineSeries*>(series)) {
            saving.setAlpha(150);
            bar->setPen(QPen(saving, lineWidth * 3, Qt::SolidLine, Qt::FlatCap));
        }
    }
}

void ChartWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        colourSeries();
    }
}
