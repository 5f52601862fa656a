// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmWhatIf.h"

#include "Calculator.h"
#include "DisplayFormats.h"
#include "EngineText.h"
#include "SpokenNotice.h"
#include "TwipsLayout.h"
#include "VeskResources.h"
#include "WhatIf.h"
#include "WhatIfChart.h"
#include "WhatIfResults.h"
#include "WhatIfTexts.h"
#include "WrappingButtons.h"
#include "modCommonChecks.h"

#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// How long the payment must rest before its results are spoken.
constexpr int kResultsPauseMs = 700;
// Positions of the slider across the range drawn.
constexpr int kSliderSteps = 1000;
// Payments worth drawing on the chart.
constexpr int kChartPoints = 81;
// The largest payment the box takes: whole cents are still exact as a double.
constexpr double kLargestPayment = 90'000'000'000'000.0;

Currency FromDollars(double value)
{
    return Currency::fromRaw(std::llround(value * 100) * kCent.raw());
}

QSpinBox* AddSpinBox(QWidget* container, const QByteArray& name, int left, int top)
{
    auto* box = new QSpinBox(container);
    box->setObjectName(QString::fromLatin1(name));
    PlaceControl(box, left, top, 660, 285);
    return box;
}

// "[ ] years and [ ] months" at `top` in frame: the boxes txt<part>Years and
// txt<part>Months, which a screen reader calls "<spoken> years" and
// "<spoken> months".
void AddMonthsBoxes(QWidget* frame, const char* part, int top, const QString& spoken,
                    QSpinBox*& years, QSpinBox*& months)
{
    const QByteArray name(part);
    years = AddSpinBox(frame, "txt" + name + "Years", 120, top);
    AddControl<QLabel>(frame, ("lbl" + name + "Years").constData(), frmWhatIf::tr("years and"), 840,
                       top + 30, 840, 255);
    months = AddSpinBox(frame, "txt" + name + "Months", 1740, top);
    AddControl<QLabel>(frame, ("lbl" + name + "Months").constData(), frmWhatIf::tr("months"), 2460,
                       top + 30, 720, 255);
    years->setRange(0, kLongestWithin / 12);
    months->setRange(0, kLongestWithin);
    years->setAccessibleName(spoken + frmWhatIf::tr(" years"));
    months->setAccessibleName(spoken + frmWhatIf::tr(" months"));
}

int MonthsIn(const QSpinBox* years, const QSpinBox* months)
{
    return years->value() * 12 + months->value();
}

void ShowMonths(QSpinBox* years, QSpinBox* months, int count)
{
    years->setValue(count / 12);
    months->setValue(count % 12);
}

} // namespace

struct frmWhatIf::Session {
    PlanTerms terms; // of the plan on screen when the window opened
    OpenPlan openPlan;
    std::shared_ptr<const WhatIfLoan> loan;
    SweepRange range;
    std::optional<PlanOutcome> outcome;
};

frmWhatIf::frmWhatIf(const PlanTerms& terms, OpenPlan openPlan, QWidget* parent)
    : QDialog(parent), session_(std::make_unique<Session>())
{
    session_->terms = terms;
    session_->openPlan = std::move(openPlan);
    setObjectName(QStringLiteral("frmWhatIf"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr(" What If"));
    setWindowIcon(CalculatorIcon());
    QWidget* client = AddScrollingClient(this, kDesignedHeight, kDesignedWidth);
    createPaymentFrame(client);
    createWithinFrame(client);
    fraResults =
        AddControl<WhatIfResults>(client, "fraResults", tr("Results"), 4800, 60, 5280, 2640);
    chtSavings = new WhatIfChart(client);
    chtSavings->setObjectName(QStringLiteral("chtSavings"));
    PlaceControl(chtSavings, 4800, 2820, 5280, 2535);
    chtSavings->setAccessibleName(tr("Interest saved and payoff period by monthly payment"));
    resultsNotice = new SpokenNotice(client);
    resultsPause = new QTimer(this);
    resultsPause->setSingleShot(true);
    resultsPause->setInterval(kResultsPauseMs);
    connect(resultsPause, &QTimer::timeout, this,
            [this] { resultsNotice->say(fraResults->spokenSummary()); });
    arrangeTabOrder();

    // Start from the plan on screen.
    (terms.fixedMonthly != Currency() ? optFixed : optCap)->setChecked(true);
    ShowMonths(txtVeskYears, txtVeskMonths, terms.veskFirstMonths);
    takeLoan();
    const Currency onScreen =
        terms.fixedMonthly != Currency() ? terms.fixedMonthly
        : terms.maxMonthly != Currency()
            ? terms.maxMonthly
            : session_->loan->uncappedHighestPayment().value_or(session_->range.to);
    setPayment(onScreen);
    if (const auto& outcome = session_->outcome; outcome && outcome->summary) {
        ShowMonths(txtWithinYears, txtWithinMonths, outcome->summary->veskMonths);
    }
    connectHandlers();
    txtPayment->setFocus(); // the keyboard starts on the payment

    OnFormResize(this, [this] { Form_Resize(); });
    Form_Resize();
    GiveTextsRoom(this);
}

frmWhatIf::~frmWhatIf() = default;

frmWhatIf* frmWhatIf::openOver(QWidget* owner, const PlanTerms& terms, OpenPlan openPlan)
{
    auto* window = new frmWhatIf(terms, std::move(openPlan), owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

void frmWhatIf::createPaymentFrame(QWidget* client)
{
    fraPayment = AddControl<QGroupBox>(client, "fraPayment", tr("Payment"), 120, 60, 4560, 2160);
    optCap = AddControl<WrappingRadioButton>(fraPayment, "optCap", tr("Cap Vesk's Method"), 120,
                                             300, 2100, 255);
    optFixed = AddControl<WrappingRadioButton>(fraPayment, "optFixed", tr("Pay a Fixed Amount"),
                                               2280, 300, 2160, 255);
    lblPayment = AddControl<QLabel>(fraPayment, "lblPayment", {}, 120, 690, 2160, 255);
    txtPayment = new QDoubleSpinBox(fraPayment);
    txtPayment->setObjectName(QStringLiteral("txtPayment"));
    PlaceControl(txtPayment, 2340, 660, 2100, 285);
    // The plan window's amounts read the same whatever the desktop's locale.
    txtPayment->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    txtPayment->setDecimals(2);
    txtPayment->setRange(kLeastLimit.toDouble(), kLargestPayment);
    txtPayment->setGroupSeparatorShown(true);
    txtPayment->setKeyboardTracking(true);
    lblPayment->setBuddy(txtPayment);
    sldPayment = new QSlider(Qt::Horizontal, fraPayment);
    sldPayment->setObjectName(QStringLiteral("sldPayment"));
    PlaceControl(sldPayment, 120, 1035, 4320, 315);
    sldPayment->setRange(0, kSliderSteps);
    sldPayment->setPageStep(kSliderSteps / 20);
    // The box above takes the payment from the keyboard; the slider's
    // position, a step along the range drawn, would say nothing heard.
    sldPayment->setFocusPolicy(Qt::ClickFocus);

    lblVeskFirst = AddControl<QLabel>(fraPayment, "lblVeskFirst",
                                      tr("&Vesk's Method for the first"), 120, 1440, 2280, 255);
    AddControl<QLabel>(fraPayment, "lblVeskWhole", tr("(blank: the whole loan)"), 2460, 1440, 1980,
                       255);
    AddMonthsBoxes(fraPayment, "Vesk", 1740, tr("Vesk's Method for the first"), txtVeskYears,
                   txtVeskMonths);
    for (QSpinBox* box : {txtVeskYears, txtVeskMonths}) {
        box->setSpecialValueText(QStringLiteral(" ")); // nought shows blank
    }
    // A screen reader reads the buddy's caption before the box's name: the
    // years box is named for what the caption leaves out.
    lblVeskFirst->setBuddy(txtVeskYears);
    txtVeskYears->setAccessibleName(tr("years"));
    optCap->setAccessibleName(tr("Cap Vesk's Method"));
    optFixed->setAccessibleName(tr("Pay a Fixed Amount"));
}

void frmWhatIf::createWithinFrame(QWidget* client)
{
    fraWithin =
        AddControl<QGroupBox>(client, "fraWithin", tr("Pay Off &Within"), 120, 2340, 4560, 1980);
    AddMonthsBoxes(fraWithin, "Within", 330, tr("Pay off within"), txtWithinYears, txtWithinMonths);
    cmdFindPayment = AddControl<QPushButton>(fraWithin, "cmdFindPayment", tr("Find Pa&yment"), 3240,
                                             285, 1200, 375);
    cmdFindPayment->setAccessibleName(tr("Find Payment"));
    lblFindResult = AddControl<QLabel>(fraWithin, "lblFindResult", {}, 120, 780, 4320, 1095);
    lblFindResult->setWordWrap(true);
    lblFindResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblFindResult->setAccessibleDescription(tr("Found payment"));

    lblFirstPayment = AddControl<QLabel>(client, "lblFirstPayment", tr("First payment &month"), 240,
                                         4500, 1935, 255);
    txtFirstPayment = AddControl<QLineEdit>(client, "txtFirstPayment", {}, 2220, 4470, 1095, 285);
    txtFirstPayment->setPlaceholderText(QStringLiteral("YYYY-MM"));
    txtFirstPayment->setAccessibleName(tr("First payment month"));
    txtFirstPayment->setAccessibleDescription(tr("Optional, as YYYY-MM: dates the payoff"));
    lblFirstPayment->setBuddy(txtFirstPayment);

    cmdOpenPlan =
        AddControl<QPushButton>(client, "cmdOpenPlan", tr("&Open Plan"), 120, 4980, 1455, 375);
    cmdOpenPlan->setToolTip(tr("Show the payment plan for this payment"));
    cmdClose = AddControl<QPushButton>(client, "cmdClose", tr("Close"), 3225, 4980, 1455, 375);
    // Enter in the target boxes finds the payment.
    for (QPushButton* button : {cmdOpenPlan, cmdClose}) {
        button->setAutoDefault(false);
    }
    cmdFindPayment->setDefault(true);
}

void frmWhatIf::arrangeTabOrder()
{
    QWidget* const order[] = {optCap,         optFixed,        txtPayment,     sldPayment,
                              txtVeskYears,   txtVeskMonths,   txtWithinYears, txtWithinMonths,
                              cmdFindPayment, txtFirstPayment, chtSavings,     cmdOpenPlan,
                              cmdClose};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    chtSavings->setFocusPolicy(Qt::TabFocus); // a screen reader reads its description
}

void frmWhatIf::connectHandlers()
{
    // Another kind of payment, or another span of Vesk's Method, is another loan.
    for (QRadioButton* option : {optCap, optFixed}) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                takeLoan();
            }
        });
    }
    for (QSpinBox* box : {txtVeskYears, txtVeskMonths}) {
        connect(box, &QSpinBox::valueChanged, this, &frmWhatIf::takeLoan);
    }
    connect(txtPayment, &QDoubleSpinBox::valueChanged, this, &frmWhatIf::txtPayment_Change);
    connect(sldPayment, &QSlider::valueChanged, this, &frmWhatIf::sldPayment_Change);
    connect(txtFirstPayment, &QLineEdit::textChanged, this, &frmWhatIf::txtFirstPayment_Change);
    connect(cmdFindPayment, &QPushButton::clicked, this, &frmWhatIf::cmdFindPayment_Click);
    connect(cmdOpenPlan, &QPushButton::clicked, this, &frmWhatIf::cmdOpenPlan_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmWhatIf::close);
}

VariedPayment frmWhatIf::varied() const
{
    return optFixed->isChecked() ? VariedPayment::Fixed : VariedPayment::Maximum;
}

Currency frmWhatIf::payment() const
{
    return FromDollars(txtPayment->value());
}

PlanTerms frmWhatIf::chosenTerms() const
{
    return TermsWith(session_->loan->terms(), varied(), payment());
}

void frmWhatIf::takeLoan()
{
    const bool capping = varied() == VariedPayment::Maximum;
    const QString name = FromStd(VariedPaymentName(varied()));
    lblPayment->setText(capping ? tr("Maximum Monthly &Payment") : tr("Fixed Monthly &Payment"));
    txtPayment->setAccessibleName(name);
    sldPayment->setAccessibleName(name + tr(" slider"));
    // After its first months a plan pays the scheduled payment alone; a
    // fixed payment has no Vesk's Method to stop.
    for (QWidget* control : fraPayment->findChildren<QWidget*>()) {
        if (DesignedTwips(control).top() >= DesignedTwips(lblVeskFirst).top()) {
            control->setEnabled(capping);
        }
    }
    PlanTerms loan = session_->terms;
    loan.veskFirstMonths = static_cast<std::int16_t>(
        std::min<int>(MonthsIn(txtVeskYears, txtVeskMonths), kLongestWithin));
    // A change between capping and a fixed payment keeps the loan's plans.
    if (!session_->loan || session_->loan->terms().veskFirstMonths != loan.veskFirstMonths) {
        session_->loan = std::make_shared<const WhatIfLoan>(loan);
    }
    session_->range = PaymentsWorthShowing(*session_->loan, varied(), kChartPoints);
    chtSavings->plot(session_->loan, varied(), session_->range);
    tellFound(tr("Give the time and press Find Payment: the least payment that pays the loan "
                 "off within it fills in above."));
    setPayment(payment());
}

void frmWhatIf::setPayment(Currency value)
{
    {
        const QSignalBlocker blocker(txtPayment);
        txtPayment->setValue(value.toDouble());
    }
    const QSignalBlocker blocker(sldPayment);
    const SweepRange& range = session_->range;
    const double span = (range.to - range.from).toDouble();
    const double along = span > 0 ? (value - range.from).toDouble() / span : 0;
    sldPayment->setValue(static_cast<int>(std::lround(std::clamp(along, 0.0, 1.0) * kSliderSteps)));
    showOutcome();
}

void frmWhatIf::txtPayment_Change()
{
    setPayment(payment());
}

void frmWhatIf::sldPayment_Change(int position)
{
    const SweepRange& range = session_->range;
    const double span = (range.to - range.from).toDouble();
    setPayment(range.from + FromDollars(span * position / kSliderSteps));
}

void frmWhatIf::txtFirstPayment_Change()
{
    showOutcome();
}

void frmWhatIf::showOutcome()
{
    session_->outcome = session_->loan->outcome(varied(), payment());
    const PlanOutcome& outcome = *session_->outcome;
    fraResults->showPlan(chosenTerms(), outcome, txtFirstPayment->text().trimmed());
    cmdOpenPlan->setEnabled(outcome.summary.has_value());
    chtSavings->mark(outcome);
    if (isVisible()) {
        resultsPause->start(); // every change while the user types or drags restarts it
    }
}

void frmWhatIf::cmdFindPayment_Click()
{
    const int within = MonthsIn(txtWithinYears, txtWithinMonths);
    if (within < 1 || within > kLongestWithin) {
        tellFound(tr("Pay off within must be 1 to %1 months.").arg(kLongestWithin));
        return;
    }
    const SolveResult result = Solve(*session_->loan, varied(), within);
    if (!result.answer) {
        tellFound(FromStd(NoAnswerReason(varied(), within, result)));
        return;
    }
    if (!result.answer->summary) {
        tellFound(FromStd(PlanErrorText(result.answer->error)));
        return;
    }
    const QString name = FromStd(VariedPaymentName(varied())).toLower();
    tellFound(tr("The least %1 that pays the loan off within %2 is %3. Next cent down: %4.")
                  .arg(name, FromStd(PeriodText(static_cast<std::int16_t>(within))),
                       Dollars(result.answer->value),
                       FromStd(NextCentDownText(result.nextCentDown))));
    setPayment(result.answer->value);
}

// What Find Payment found, also in the button's description, where a screen
// reader that stays on the button reads it.
void frmWhatIf::tellFound(const QString& text)
{
    lblFindResult->setText(text);
    cmdFindPayment->setAccessibleDescription(text);
}

void frmWhatIf::cmdOpenPlan_Click()
{
    if (session_->openPlan) {
        session_->openPlan(chosenTerms());
    }
    close();
}

void frmWhatIf::Form_Resize()
{
    FixFormSize(this, kDesignedHeight, kDesignedWidth);
}
