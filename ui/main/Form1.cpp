// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Calculator.h"
#include "EngineText.h"
#include "FittingFont.h"
#include "Form2.h"
#include "Form4.h"
#include "Form5.h"
#include "MsgBox.h"
#include "RuntimeError.h"
#include "SpokenNotice.h"
#include "TwipsLayout.h"
#include "VeskResources.h"
#include "WrappingButtons.h"
#include "modCommonChecks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

namespace {

// Tab reaches an option group at its selected option only.
void SetTabStop(QWidget* control, bool stop)
{
    const auto policy = control->focusPolicy();
    control->setFocusPolicy(stop ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                 : Qt::FocusPolicy(policy & ~Qt::TabFocus));
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Vesk Payment Formula 1.0"));
    setWindowIcon(CalculatorIcon());
    setAttribute(Qt::WA_DeleteOnClose);

    createControls();
    createMenu();
    arrangeTabOrder();
    connectHandlers();
    // Calculate starts disabled; the reason shows from the start.
    const EnableDecision decision = EnablingRule(inputs());
    showRefusalReason(decision.reason, decision.field);
    OnFormResize(this, [this] { Form_Resize(); });
    Form_Resize();
    GiveTextsRoom(this);
}

void Form1::createControls()
{
    auto* client = new QWidget(this);
    setCentralWidget(client);

    Label3 = AddControl<QLabel>(client, "Label3", "Outstanding Balance", 600, 240, 1575, 255);
    txtBalance = AddControl<QLineEdit>(client, "txtBalance", "", 2400, 240, 1335, 285);
    Label1 = AddControl<QLabel>(client, "Label1", "Interest Rate (APR)", 600, 600, 1455, 255);
    txtInterestRate = AddControl<QLineEdit>(client, "txtInterestRate", "", 2400, 600, 1335, 285);
    Label2 = AddControl<QLabel>(client, "Label2", "Scheduled Payment", 600, 960, 1575, 255);
    txtPayment = AddControl<QLineEdit>(client, "txtPayment", "", 2400, 960, 1335, 285);
    Label4 = AddControl<QLabel>(client, "Label4", "Vesk's Mnthly Pymnt", 600, 1560, 1455, 255);
    lblMonthly = AddControl<QLabel>(client, "lblMonthly", "", 2400, 1560, 1335, 255);
    Label5 = AddControl<QLabel>(client, "Label5", "Payoff Period", 600, 1920, 1455, 255);
    lblPayoff = AddControl<QLabel>(client, "lblPayoff", "", 2400, 1920, 1335, 255);
    Label6 = AddControl<QLabel>(client, "Label6", "Total Amount Saved (if follow payment plan)",
                                480, 2280, 1935, 495);
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAmountSaved = AddControl<QLabel>(client, "lblAmountSaved", "", 2400, 2280, 1335, 255);

    optMonthly =
        AddControl<QRadioButton>(client, "optMonthly", "Monthly Payment", 4560, 120, 1575, 375);
    optToZero =
        AddControl<QRadioButton>(client, "optToZero", "Payments Till Zero", 4560, 480, 1815, 255);
    optMonthly->setChecked(true);
    SetTabStop(optToZero, false);
    cmdCalculate =
        AddControl<QPushButton>(client, "cmdCalculate", "Calculate", 4800, 960, 1215, 375);
    cmdCalculate->setEnabled(false);

    Frame1 = AddControl<QGroupBox>(client, "Frame1", "Payments Till Zero Options", 3960, 1440, 2415,
                                   1455);
    // "Set Maximum Monthly Payment" takes the second line its box has room for.
    chkMaxMonthly = AddControl<WrappingCheckBox>(
        Frame1, "chkMaxMonthly", "Set Maximum Monthly Payment", 240, 240, 2055, 375);
    chkMaxMonthly->setEnabled(false);
    txtMaximum = AddControl<QLineEdit>(Frame1, "txtMaximum", "", 600, 720, 1335, 285);
    txtMaximum->setEnabled(false);
    paintMaximumBackground();
    chkDisableVesk = AddControl<WrappingCheckBox>(Frame1, "chkDisableVesk", "Disable Vesk Method",
                                                  240, 1080, 1935, 255);
    chkDisableVesk->setEnabled(false);

    // Screen readers announce each box by the caption beside it, and each
    // result by what it means.
    Label3->setBuddy(txtBalance);
    Label1->setBuddy(txtInterestRate);
    Label2->setBuddy(txtPayment);
    txtBalance->setAccessibleName(Label3->text());
    txtInterestRate->setAccessibleName(Label1->text());
    txtPayment->setAccessibleName(Label2->text());
    txtMaximum->setAccessibleName(QStringLiteral("Maximum or Fixed Monthly Payment"));
    chkMaxMonthly->setAccessibleName(chkMaxMonthly->text());
    chkDisableVesk->setAccessibleName(chkDisableVesk->text());
    lblMonthly->setAccessibleDescription(Label4->text());
    lblPayoff->setAccessibleDescription(Label5->text());
    lblAmountSaved->setAccessibleDescription(Label6->text());
    resultsNotice = new SpokenNotice(client);
}

// The menu opens from the keyboard: Alt+O by the caption's access key, and
// F10 as on other desktops. The entries keep their captions.
void Form1::createMenu()
{
    mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptions->menuAction()->setObjectName(QStringLiteral("mnuOptions"));

    const auto addEntry = [this](const char* name, const char* caption) {
        QAction* entry = mnuOptions->addAction(QString::fromLatin1(caption));
        entry->setObjectName(QLatin1String(name));
        return entry;
    };
    mnuAbout = addEntry("mnuAbout", "About Formula");
    mnuForm = addEntry("mnuForm", "About Form");
    mnuCalculate = addEntry("mnuCalculate", "Calculate");
    mnuCalculate->setEnabled(false);
    mnuExit = addEntry("mnuExit", "Exit");

    auto* openMenu = new QAction(this);
    openMenu->setObjectName(QStringLiteral("actOpenMenu"));
    openMenu->setShortcut(QKeySequence(Qt::Key_F10));
    openMenu->setShortcutContext(Qt::WindowShortcut);
    connect(openMenu, &QAction::triggered, this, [this] {
        menuBar()->setActiveAction(mnuOptions->menuAction());
        mnuOptions->setActiveAction(mnuOptions->actions().constFirst()); // as Alt+O opens it
    });
    addAction(openMenu);
}

void Form1::arrangeTabOrder()
{
    QWidget* const order[] = {txtBalance, txtInterestRate, txtPayment, cmdCalculate,  optMonthly,
                              optToZero,  chkMaxMonthly,   txtMaximum, chkDisableVesk};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void Form1::connectHandlers()
{
    // Every signal below also fires for changes made from code, so setting a
    // box or a text here runs its handler just as the user's click would.
    connect(optMonthly, &QRadioButton::toggled, this, [this](bool selected) {
        SetTabStop(optMonthly, selected);
        if (selected) {
            optMonthly_Click();
        }
    });
    connect(optToZero, &QRadioButton::toggled, this, [this](bool selected) {
        SetTabStop(optToZero, selected);
        if (selected) {
            optToZero_Click();
        }
    });
    connect(chkMaxMonthly, &QCheckBox::stateChanged, this, &Form1::chkMaxMonthly_Click);
    connect(chkDisableVesk, &QCheckBox::stateChanged, this, &Form1::chkDisableVesk_Click);

    connect(txtBalance, &QLineEdit::textChanged, this, &Form1::txtBalance_Change);
    connect(txtInterestRate, &QLineEdit::textChanged, this, &Form1::txtInterestRate_Change);
    connect(txtPayment, &QLineEdit::textChanged, this, &Form1::txtPayment_Change);
    connect(txtMaximum, &QLineEdit::textChanged, this, &Form1::txtMaximum_Change);

    connect(cmdCalculate, &QPushButton::clicked, this, &Form1::cmdCalculate_Click);
    connect(mnuCalculate, &QAction::triggered, this, &Form1::mnuCalculate_Click);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    connect(mnuForm, &QAction::triggered, this, &Form1::mnuForm_Click);
    connect(mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);
}

CalculatorInputs Form1::inputs() const
{
    CalculatorInputs in;
    in.balance = txtBalance->text().toStdString();
    in.rate = txtInterestRate->text().toStdString();
    in.payment = txtPayment->text().toStdString();
    in.maximum = txtMaximum->text().toStdString();
    in.tillZero = optToZero->isChecked();
    in.chkMaxMonthly = chkMaxMonthly->isChecked() ? 1 : 0;
    in.chkDisableVesk = chkDisableVesk->isChecked() ? 1 : 0;
    in.maximumEnabled = txtMaximum->isEnabled();
    return in;
}

// The desktop's colour of an editable field while txtMaximum takes input,
// its button face while it does not. Set for every colour group, since the
// disabled group is the one drawn while the box is disabled.
void Form1::paintMaximumBackground()
{
    const QPalette desktop = QApplication::palette(txtMaximum);
    const QColor background = desktop.color(
        QPalette::Active, txtMaximum->isEnabled() ? QPalette::Base : QPalette::Button);
    QPalette palette; // only the background is set; every other role follows the desktop
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
    }
    txtMaximum->setPalette(palette);
}

void Form1::optMonthly_Click()
{
    chkMaxMonthly->setChecked(false);
    chkDisableVesk->setChecked(false);
    EDchkMaxMonthly();
    EDtxtMaximum();
    EDcmdCalculate();
}

void Form1::optToZero_Click()
{
    EDchkMaxMonthly();
    EDtxtMaximum();
    EDcmdCalculate();
}

// The box just clicked wins: checking one clears the other.
void Form1::chkMaxMonthly_Click()
{
    if (chkDisableVesk->isChecked() && chkMaxMonthly->isChecked()) {
        chkDisableVesk->setChecked(false);
    }
    EDtxtMaximum();
    EDcmdCalculate();
}

void Form1::chkDisableVesk_Click()
{
    if (chkMaxMonthly->isChecked() && chkDisableVesk->isChecked()) {
        chkMaxMonthly->setChecked(false);
    }
    EDtxtMaximum();
    EDcmdCalculate();
}

void Form1::EDtxtMaximum()
{
    txtMaximum->clear();
    txtMaximum->setEnabled(chkDisableVesk->isChecked() || chkMaxMonthly->isChecked());
    paintMaximumBackground();
}

void Form1::EDchkMaxMonthly()
{
    const bool tillZero = optToZero->isChecked();
    chkMaxMonthly->setEnabled(tillZero);
    chkDisableVesk->setEnabled(tillZero);
}

void Form1::EDcmdCalculate()
{
    EnableDecision decision;
    try {
        decision = EnablingRule(inputs());
    } catch (...) {
        decision = EnableDecision{}; // whatever fails, Calculate stays off
    }
    showRefusalReason(decision.reason, decision.field);
    cmdCalculate->setEnabled(decision.enabled);
    mnuCalculate->setEnabled(decision.enabled);
    if (decision.focusPayment) {
        txtPayment->setFocus();
    }
}

// Why Calculate is disabled, for the pointer and for a screen reader; empty
// while it is enabled. A disabled button takes no focus, so a screen reader
// also hears the reason in the field at fault, when it enters the field or
// as the reason comes about while the user types there.
void Form1::showRefusalReason(const std::string& reason, InputField field)
{
    cmdCalculate->setToolTip(FromStd(reason));
    cmdCalculate->setAccessibleDescription(FromStd(reason));
    const std::pair<InputField, QLineEdit*> boxes[] = {{InputField::Balance, txtBalance},
                                                       {InputField::Rate, txtInterestRate},
                                                       {InputField::Payment, txtPayment},
                                                       {InputField::Maximum, txtMaximum}};
    for (const auto& [boxField, box] : boxes) {
        const QString description =
            boxField == field ? tr("Calculate is unavailable: %1").arg(FromStd(reason)) : QString();
        if (box->accessibleDescription() != description) {
            box->setAccessibleDescription(description);
        }
    }
}

void Form1::txtBalance_Change()
{
    EDcmdCalculate();
}

void Form1::txtInterestRate_Change()
{
    EDcmdCalculate();
}

void Form1::txtPayment_Change()
{
    EDcmdCalculate();
}

void Form1::txtMaximum_Change()
{
    EDcmdCalculate();
}

void Form1::cmdCalculate_Click()
{
    const bool tillZero = optToZero->isChecked();
    std::optional<MonthlyResults> results;
    try {
        LoadCalcState(inputs());
        if (!tillZero) {
            results = RunMonthlyPayment();
        }
    } catch (const RuntimeError&) {
        MsgBox(std::string(kInvalidVariableText), std::string(kInvalidVariableTitle));
        lblMonthly->clear();
        return;
    }

    if (tillZero) {
        Form5::showModal(this); // the plan window reports its own errors
        return;
    }
    const MonthlyResultTexts texts = ResultTexts(*results);
    if (texts.monthly) {
        ShowValue(lblMonthly, FromStd(*texts.monthly));
    }
    ShowValue(lblPayoff, FromStd(texts.payoff));
    ShowValue(lblAmountSaved, FromStd(texts.amountSaved));
    announceResults();
}

// The three results as the window now shows them, each after its caption,
// spoken once where the user is.
void Form1::announceResults()
{
    resultsNotice->say(
        CaptionedValues({{Label4, lblMonthly}, {Label5, lblPayoff}, {Label6, lblAmountSaved}}));
}

void Form1::mnuCalculate_Click()
{
    cmdCalculate_Click();
}

void Form1::mnuAbout_Click()
{
    Form2::showModal(this);
}

void Form1::mnuForm_Click()
{
    Form4::showModal(this);
}

void Form1::mnuExit_Click()
{
    close();
}

void Form1::Form_Resize()
{
    FixFormSize(this, kDesignedHeight, kDesignedWidth);
}

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && txtMaximum != nullptr) {
        paintMaximumBackground(); // the desktop's theme colours may have changed
    }
}
