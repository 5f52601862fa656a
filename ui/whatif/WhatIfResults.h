// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

// The engine's types stay out of this header: moc cannot read the C++20
// library headers they bring.
struct PlanOutcome;
struct PlanTerms;
class QLabel;

// The results of the What If window: both plans' payoff period, payoff
// month and totals side by side, the average payment and the interest
// saved, with the texts of the payment plan window. Each value tells a
// screen reader what it is.
class WhatIfResults : public QGroupBox {
    Q_OBJECT
public:
    WhatIfResults(const QString& title, QWidget* parent);

    // Shows the plan of the chosen terms; firstPayment ("2026-01", or empty)
    // dates the payoffs.
    void showPlan(const PlanTerms& chosen, const PlanOutcome& outcome, const QString& firstPayment);

    // What a screen reader is told of the plan shown: its payoff period and
    // month and the interest saved, each after its caption.
    QString spokenSummary() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void colourCaption();

    bool altered_ = false;
    QLabel* lblPlanCaption = nullptr;
    QLabel* lblPayoff = nullptr;
    QLabel* lblMinPayoff = nullptr;
    QLabel* lblPayoffMonth = nullptr;
    QLabel* lblMinPayoffMonth = nullptr;
    QLabel* lblTotalInterest = nullptr;
    QLabel* lblMinTotalInterest = nullptr;
    QLabel* lblTotalPaid = nullptr;
    QLabel* lblMinTotalPaid = nullptr;
    QLabel* lblAverageMonthly = nullptr;
    QLabel* lblAmountSaved = nullptr;
};
