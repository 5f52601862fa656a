// SPDX-License-Identifier: GPL-3.0-or-later
#include "WhatIfResults.h"

#include "Colours.h"
#include "EngineText.h"
#include "FittingFont.h"
#include "PlanDates.h"
#include "PlanTexts.h"
#include "TwipsLayout.h"
#include "WhatIf.h"
#include "WhatIfTexts.h"

#include <QEvent>
#include <QLabel>
#include <optional>

namespace {

void SetBold(QLabel* label)
{
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
}

} // namespace

// Each result in a column of its plan, beside the caption of its row.
WhatIfResults::WhatIfResults(const QString& title, QWidget* parent) : QGroupBox(title, parent)
{
    lblPlanCaption = AddControl<QLabel>(this, "lblPlanCaption", {}, 1680, 300, 1740, 435);
    auto* minCaption =
        AddControl<QLabel>(this, "lblMinCaption", tr("Minimum Payment Plan"), 3480, 300, 1740, 435);
    for (QLabel* caption : {lblPlanCaption, minCaption}) {
        caption->setWordWrap(true);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        SetBold(caption);
    }
    struct Row {
        const char* caption;
        const char* captionName;
        QLabel** plan;
        const char* planName;
        QLabel** minimum; // null: the row has no value for the minimum plan
        const char* minimumName;
    };
    const Row rows[] = {
        {"Payoff Period", "lblPayoffCaption", &lblPayoff, "lblPayoff", &lblMinPayoff,
         "lblMinPayoff"},
        {"Payoff Month", "lblPayoffMonthCaption", &lblPayoffMonth, "lblPayoffMonth",
         &lblMinPayoffMonth, "lblMinPayoffMonth"},
        {"Total Interest", "lblTotalInterestCaption", &lblTotalInterest, "lblTotalInterest",
         &lblMinTotalInterest, "lblMinTotalInterest"},
        {"Total Paid", "lblTotalPaidCaption", &lblTotalPaid, "lblTotalPaid", &lblMinTotalPaid,
         "lblMinTotalPaid"},
        {"Aver Mnthly Pymt", "lblAverageMonthlyCaption", &lblAverageMonthly, "lblAverageMonthly",
         nullptr, nullptr},
    };
    int top = 810;
    for (const Row& row : rows) {
        const QString caption = tr(row.caption);
        AddControl<QLabel>(this, row.captionName, caption, 120, top, 1500, 255);
        *row.plan = AddControl<QLabel>(this, row.planName, {}, 1680, top, 1740, 255);
        (*row.plan)->setAccessibleDescription(caption);
        if (row.minimum != nullptr) {
            *row.minimum = AddControl<QLabel>(this, row.minimumName, {}, 3480, top, 1740, 255);
            (*row.minimum)->setAccessibleDescription(caption + tr(", Minimum Payment Plan"));
        }
        top += 300;
    }
    auto* saved = AddControl<QLabel>(this, "lblSavedCaption", tr("Amount Saved On Interest"), 120,
                                     2280, 2220, 255);
    lblAmountSaved = AddControl<QLabel>(this, "lblAmountSaved", {}, 2400, 2280, 1740, 255);
    lblAmountSaved->setAccessibleDescription(saved->text());
    SetBold(lblAmountSaved);
}

void WhatIfResults::showPlan(const PlanTerms& chosen, const PlanOutcome& outcome,
                             const QString& firstPayment)
{
    const PlanCaption caption = FrameCaption(chosen);
    lblPlanCaption->setText(FromStd(caption.text));
    altered_ = caption.altered;
    colourCaption();

    const std::optional<CalendarMonth> first = CalendarMonth::fromText(firstPayment.toStdString());
    const auto payoffMonth = [&](std::int16_t months) {
        if (firstPayment.isEmpty() || months == 0) {
            return QString();
        }
        if (!first) {
            return tr("month as YYYY-MM");
        }
        const std::optional<CalendarMonth> date = PlanMonthDate(*first, months);
        return date ? FromStd(date->text()) : tr("after Dec 9999");
    };

    if (!outcome.summary) {
        ShowValue(lblPayoff, FromStd(PlanErrorText(outcome.error)));
        for (QLabel* value :
             {lblPayoffMonth, lblTotalInterest, lblTotalPaid, lblAverageMonthly, lblAmountSaved}) {
            ShowValue(value, QString());
        }
        return;
    }
    const PlanSummary& summary = *outcome.summary;
    const PlanSummaryTexts texts = SummaryTexts(summary);
    ShowValue(lblPayoff, FromStd(texts.payoff));
    ShowValue(lblMinPayoff, FromStd(texts.minPayoff));
    ShowValue(lblPayoffMonth, payoffMonth(summary.veskMonths));
    ShowValue(lblMinPayoffMonth, payoffMonth(summary.minMonths));
    ShowValue(lblTotalInterest, FromStd(texts.totalInterest));
    ShowValue(lblMinTotalInterest, FromStd(texts.minTotalInterest));
    ShowValue(lblTotalPaid, FromStd(texts.totalPaid));
    ShowValue(lblMinTotalPaid, FromStd(texts.minTotalPaid));
    ShowValue(lblAverageMonthly, FromStd(texts.averageMonthly));
    ShowValue(lblAmountSaved, FromStd(texts.amountSaved));
}

// The plan's caption as the plan window draws it: dark red when altered,
// lightened where the desktop is dark.
void WhatIfResults::colourCaption()
{
    const QPalette desktop = palette();
    QPalette colours = lblPlanCaption->palette();
    colours.setColor(QPalette::WindowText,
                     altered_ ? ReadableColour(kAlteredColour, desktop.color(QPalette::Window))
                              : desktop.color(QPalette::WindowText));
    lblPlanCaption->setPalette(colours);
}

void WhatIfResults::changeEvent(QEvent* event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && lblPlanCaption != nullptr) {
        colourCaption();
    }
}

QString WhatIfResults::spokenSummary() const
{
    QStringList said;
    for (const QLabel* value : {lblPayoff, lblPayoffMonth, lblAmountSaved}) {
        if (!value->text().isEmpty()) {
            said << value->accessibleDescription() + QLatin1Char(' ') + value->text();
        }
    }
    return said.join(QStringLiteral(", "));
}
