// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QTimer>
#include <memory>
#include <vector>

// The engine's types stay out of this header: moc cannot read the C++20
// library headers they bring.
class WhatIfLoan;
enum class VariedPayment;
struct PlanOutcome;
struct SweepRange;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// Interest saved and payoff period against the monthly payment, for one loan
// over a range of caps or fixed payments, with the payment on screen marked.
// It shows where each extra dollar stops buying much. The plans are run a
// few at a time between events, so that no step keeps the window from
// answering for longer than a frame, however long the plans are.
class WhatIfChart : public QChartView {
    Q_OBJECT
public:
    explicit WhatIfChart(QWidget* parent = nullptr);
    ~WhatIfChart() override;

    // Draws the loan's plans for the payments of the range afresh.
    void plot(std::shared_ptr<const WhatIfLoan> loan, VariedPayment varied,
              const SweepRange& range);
    // Marks the payment on screen and its plan.
    void mark(const PlanOutcome& outcome);
    // Whether every plan of the range has been drawn.
    bool complete() const;

    // The payments drawn so far with their plans, in order.
    const std::vector<PlanOutcome>& outcomes() const;

    // How long one step of drawing may run before the window answers again.
    static constexpr int kStepBudgetMs = 4;

protected:
    void changeEvent(QEvent* event) override;

private:
    void runSome();
    void showOutcomes();
    void placeMark();
    void followPalette();
    void describe();

    // The plans of the range and the one marked.
    struct Plans;
    std::unique_ptr<Plans> plans_;
    QTimer steps_;

    QValueAxis* payments_;
    QValueAxis* saved_;
    QValueAxis* years_;
    QLineSeries* savedLine_;
    QLineSeries* yearsLine_;
    QLineSeries* markLine_;
    QScatterSeries* markPoint_;
};
