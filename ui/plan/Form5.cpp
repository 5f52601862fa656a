// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form5.h"

#include "Calculator.h"
#include "ChartWindow.h"
#include "Colours.h"
#include "EngineText.h"
#include "FittingFont.h"
#include "MSFlexGrid.h"
#include "MsgBox.h"
#include "PlanChartData.h"
#include "PlanFiles.h"
#include "PlanPrinting.h"
#include "PlanTexts.h"
#include "RuntimeError.h"
#include "TwipsLayout.h"
#include "VeskResources.h"
#include "frmWhatIf.h"
#include "modCommonChecks.h"

#include <QAction>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace {

// Columns are widened to their header text plus this margin (twips).
constexpr int kHeaderMarginTwips = 200;
// The design narrows the first column to the month numbers.
constexpr int kTermColWidth = 720;

// Long plans and large amounts can outgrow a value label (2730 yrs and 6
// mths); such a value is drawn in a smaller font rather than cut off.
void ShowValue(QLabel* label, std::string_view value)
{
    ShowValue(label, FromStd(value));
}

} // namespace

Form5::Form5(QWidget* parent) : QDialog(parent), plan_(std::make_shared<const PaymentPlan>())
{
    setObjectName(QStringLiteral("Form5"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" Payment Plan Till You Reach Zero"));
    setWindowIcon(CalculatorIcon());
    createControls();
    OnFormResize(this, [this] { Form_Resize(); });
    Form_Resize();
    GiveTextsRoom(this);
}

Form5::~Form5() = default;

void Form5::createControls()
{
    MSFlexGrid1 = new MSFlexGrid(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    PlaceControl(MSFlexGrid1, 840, 360, 5655, 4935);
    MSFlexGrid1->setAccessibleName(tr("Payment plan"));
    MSFlexGrid1->setColWidth(0, kTermColWidth);

    auto* saveCsv = new QAction(tr("Save as CSV…"), MSFlexGrid1);
    saveCsv->setObjectName(QStringLiteral("mnuSaveCsv"));
    connect(saveCsv, &QAction::triggered, this, &Form5::mnuSaveCsv_Click);
    MSFlexGrid1->addAction(saveCsv);

    // The chart is an addition: its button stands left in Back's row, its
    // entry in the grid's menu, and Ctrl+G opens it from anywhere in the window.
    auto* chart = new QAction(tr("Chart…"), MSFlexGrid1);
    chart->setObjectName(QStringLiteral("mnuChart"));
    chart->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    chart->setShortcutContext(Qt::WindowShortcut);
    connect(chart, &QAction::triggered, this, &Form5::mnuChart_Click);
    MSFlexGrid1->addAction(chart);

    cmdBack = AddControl<QPushButton>(this, "cmdBack", tr("Back"), 3120, 7080, 1215, 375);
    Label1 =
        AddControl<QLabel>(this, "Label1", tr("Amount Saved On Interest"), 1800, 6600, 1935, 255);
    lblAmountSaved = AddControl<QLabel>(this, "lblAmountSaved", QString(), 3960, 6600, 1215, 255);
    QFont bold = lblAmountSaved->font();
    bold.setBold(true);
    lblAmountSaved->setFont(bold);

    Frame1 = AddControl<QGroupBox>(this, "Frame1", tr("Vesk's Method"), 840, 5400, 2775, 1095);
    Label5 = AddControl<QLabel>(Frame1, "Label5", tr("Payoff Period"), 120, 360, 1095, 255);
    lblPayoff = AddControl<QLabel>(Frame1, "lblPayoff", QString(), 1200, 360, 1455, 255);
    Frame2 =
        AddControl<QGroupBox>(this, "Frame2", tr("Minimum Payment Plan"), 3720, 5400, 2775, 1095);
    Label3 = AddControl<QLabel>(Frame2, "Label3", tr("Payoff Period"), 120, 360, 1095, 255);
    lblMinPayoff = AddControl<QLabel>(Frame2, "lblMinPayoff", QString(), 1200, 360, 1455, 255);
    Label2 = AddControl<QLabel>(Frame1, "Label2", tr("Aver Mnthly Pymt"), 120, 720, 1335, 255);
    Label4 = AddControl<QLabel>(Frame2, "Label4", tr("Mnthly Pymt"), 120, 720, 1335, 255);
    lblAverageMonthly =
        AddControl<QLabel>(Frame1, "lblAverageMonthly", QString(), 1440, 720, 1215, 255);
    Label6 = AddControl<QLabel>(Frame2, "Label6", QString(), 1440, 720, 1215, 255);

    // A screen reader names each value by the caption beside it.
    lblPayoff->setAccessibleDescription(Label5->text());
    lblAverageMonthly->setAccessibleDescription(Label2->text());
    lblMinPayoff->setAccessibleDescription(Label3->text());
    Label6->setAccessibleDescription(Label4->text());
    lblAmountSaved->setAccessibleDescription(Label1->text());
    Label1->setBuddy(lblAmountSaved);
    // The keyboard reaches the two summaries after the grid; each reads as
    // its title and its figures.
    for (QGroupBox* frame : {Frame1, Frame2}) {
        frame->setFocusPolicy(Qt::TabFocus);
    }

    cmdChart = AddControl<QPushButton>(this, "cmdChart", tr("Chart…"), 840, 7080, 1215, 375);
    cmdChart->setToolTip(tr("The payment plan as a chart (%1)")
                             .arg(chart->shortcut().toString(QKeySequence::NativeText)));

    // Back stays the first button after the grid, and so stays the button
    // Enter presses.
    setTabOrder(MSFlexGrid1, Frame1);
    setTabOrder(Frame1, Frame2);
    setTabOrder(Frame2, cmdBack);
    setTabOrder(cmdBack, cmdChart);
    connect(cmdBack, &QPushButton::clicked, this, &Form5::cmdBack_Click);
    connect(cmdChart, &QPushButton::clicked, this, &Form5::mnuChart_Click);
    createPrintControls();
    createWhatIfControls();
}

// What If is an addition: a narrower button between Chart… and Back (the
// only room that row has), an entry in the grid's menu, and Ctrl+I.
void Form5::createWhatIfControls()
{
    const QString caption = tr("What If…");
    auto* whatIf = new QAction(caption, MSFlexGrid1);
    whatIf->setObjectName(QStringLiteral("mnuWhatIf"));
    whatIf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    whatIf->setShortcutContext(Qt::WindowShortcut);
    connect(whatIf, &QAction::triggered, this, &Form5::mnuWhatIf_Click);
    // In the grid's menu beside Chart…, before printing.
    MSFlexGrid1->insertAction(MSFlexGrid1->findChild<QAction*>(QStringLiteral("mnuPrint")), whatIf);

    cmdWhatIf = AddControl<QPushButton>(this, "cmdWhatIf", caption, 2115, 7080, 945, 375);
    cmdWhatIf->setAccessibleName(caption);
    cmdWhatIf->setToolTip(tr("Another payment, the payment that pays off in time (%1)")
                              .arg(whatIf->shortcut().toString(QKeySequence::NativeText)));
    connect(cmdWhatIf, &QPushButton::clicked, this, &Form5::mnuWhatIf_Click);
    setTabOrder(cmdChart, cmdWhatIf);
    setTabOrder(cmdWhatIf, cmdPrint);
}

// Printing is an addition: the grid's menu and the Print button at the right
// of Back's row offer the printer and the PDF, Ctrl+P and Ctrl+Shift+S reach
// them from anywhere in the window.
void Form5::createPrintControls()
{
    auto* print = new QAction(tr("Print…"), MSFlexGrid1);
    print->setObjectName(QStringLiteral("mnuPrint"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &Form5::mnuPrint_Click);
    auto* exportPdf = new QAction(tr("Export PDF…"), MSFlexGrid1);
    exportPdf->setObjectName(QStringLiteral("mnuExportPdf"));
    exportPdf->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(exportPdf, &QAction::triggered, this, &Form5::mnuExportPdf_Click);
    for (QAction* action : {print, exportPdf}) {
        action->setShortcutContext(Qt::WindowShortcut);
        MSFlexGrid1->addAction(action);
    }

    cmdPrint = AddControl<QPushButton>(this, "cmdPrint", tr("Print"), 5280, 7080, 1215, 375);
    auto* menu = new QMenu(cmdPrint);
    menu->addActions({print, exportPdf});
    cmdPrint->setMenu(menu);
    cmdPrint->setToolTip(tr("Print the payment plan (%1) or export it as PDF (%2)")
                             .arg(print->shortcut().toString(QKeySequence::NativeText),
                                  exportPdf->shortcut().toString(QKeySequence::NativeText)));
    setTabOrder(cmdChart, cmdPrint);
}

void Form5::showModal(QWidget* mainWindow)
{
    if (const std::unique_ptr<Form5> form = createLoaded(mainWindow)) {
        form->exec();
    }
}

std::unique_ptr<Form5> Form5::createLoaded(QWidget* mainWindow)
{
    auto form = std::make_unique<Form5>(mainWindow);
    if (form->loadAtFirstMonth()) {
        return form;
    }
    form.reset();
    if (mainWindow != nullptr) {
        mainWindow->show();
        mainWindow->activateWindow();
    }
    return nullptr;
}

// The engine computes the whole plan first; the window then takes it over in
// the order of the design: caption, header row, column widths, the rows,
// the summary. Nothing is shown before all of it is in place; the grid
// writes a row's texts when it draws the row.
bool Form5::Form_Load()
{
    try {
        plan_ = std::make_shared<const PaymentPlan>(LoadPaymentPlan());
        const PlanCaption caption = FrameCaption(plan_->terms);
        setFrameCaption(FromStd(caption.text), caption.altered);
        for (int column = 0; column < kPlanColumns; ++column) {
            MSFlexGrid1->setTextMatrix(0, column,
                                       FromStd(kPlanHeader[static_cast<std::size_t>(column)]));
        }
        widenColumnsToHeaders();
        MSFlexGrid1->setPlan(plan_);

        const PlanSummaryTexts summary = SummaryTexts(plan_->summary);
        ShowValue(lblPayoff, summary.payoff);
        ShowValue(lblMinPayoff, summary.minPayoff);
        ShowValue(lblAmountSaved, summary.amountSaved);
        ShowValue(lblAverageMonthly, summary.averageMonthly);
        ShowValue(Label6, summary.minPayment);
        describeForScreenReaders();
        return true;
    } catch (const RuntimeError& error) {
        MsgBox(PlanErrorText(error.number(), error.description()), std::string(kPlanErrorTitle));
        return false;
    }
}

bool Form5::loadAtFirstMonth()
{
    if (!Form_Load()) {
        return false;
    }
    // The opening row holds only the balance: the plan starts at month 1.
    if (MSFlexGrid1->Rows() > 2) {
        MSFlexGrid1->setCurrentCell(2, 1);
    }
    return true;
}

// What a screen reader says of the summaries: each frame its title and its
// figures, the window its headline when it opens. The headline names the
// plan, its payoff period, the scheduled plan's and the interest saved.
void Form5::describeForScreenReaders()
{
    // The caption's asterisks mark "altered" for the eye only.
    const QString planName = Frame1->title().remove(QLatin1Char('*')).simplified();
    Frame1->setAccessibleName(planName);
    Frame1->setAccessibleDescription(
        CaptionedValues({{Label5, lblPayoff}, {Label2, lblAverageMonthly}}));
    Frame2->setAccessibleDescription(CaptionedValues({{Label3, lblMinPayoff}, {Label4, Label6}}));
    setAccessibleDescription(tr("%1: %2 %3. %4: %5 %6. %7 %8.")
                                 .arg(planName, Label5->text(), lblPayoff->text(), Frame2->title(),
                                      Label3->text(), lblMinPayoff->text(), Label1->text(),
                                      lblAmountSaved->text()));
}

// The frame's caption is drawn in its WindowText colour by some styles and in
// its Text colour by others; its labels keep the window's text colour.
void Form5::setFrameCaption(const QString& caption, bool altered)
{
    Frame1->setTitle(caption);
    const QColor colour = altered
                              ? ReadableColour(kAlteredColour, palette().color(QPalette::Window))
                              : palette().color(QPalette::ButtonText);
    QPalette framePalette = Frame1->palette();
    framePalette.setColor(QPalette::WindowText, colour);
    framePalette.setColor(QPalette::Text, colour);
    Frame1->setPalette(framePalette);

    const QColor labelColour = palette().color(QPalette::WindowText);
    for (QLabel* label : Frame1->findChildren<QLabel*>()) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::WindowText, labelColour);
        label->setPalette(labelPalette);
    }
}

// A column is widened to its header text plus a margin, never narrowed.
void Form5::widenColumnsToHeaders()
{
    for (int column = 0; column < kPlanColumns; ++column) {
        const int wanted = TextWidth(MSFlexGrid1->TextMatrix(0, column)) + kHeaderMarginTwips;
        if (wanted > MSFlexGrid1->ColWidth(column)) {
            MSFlexGrid1->setColWidth(column, wanted);
        }
    }
}

int Form5::TextWidth(const QString& text) const
{
    const double pixels = QFontMetricsF(font()).horizontalAdvance(text);
    return static_cast<int>(std::lround(TwipsMapping::of(this).twipsAcross(pixels)));
}

void Form5::cmdBack_Click()
{
    close();
}

void Form5::mnuChart_Click()
{
    if (plan_->months.empty()) {
        return; // a window that was never loaded has no plan to draw
    }
    ChartWindow::openOver(this, PlanChartDataFrom(*plan_));
}

void Form5::mnuWhatIf_Click()
{
    if (plan_->months.empty()) {
        return; // a window that was never loaded has no loan to ask about
    }
    frmWhatIf::openOver(this, plan_->terms, [this](const PlanTerms& terms) { showPlanFor(terms); });
}

void Form5::showPlanFor(const PlanTerms& terms)
{
    LoadCalcState(terms);
    loadAtFirstMonth();
}

void Form5::mnuSaveCsv_Click()
{
    const QString path = AskPlanPath(this, tr("Save as CSV"), plan_->terms, QStringLiteral("csv"),
                                     tr("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty()) {
        savePlanCsv(path);
    }
}

bool Form5::savePlanCsv(const QString& path)
{
    return SavePlanCsv(*plan_, path);
}

void Form5::mnuExportPdf_Click()
{
    const QString path = AskPlanPath(this, tr("Export PDF"), plan_->terms, QStringLiteral("pdf"),
                                     tr("PDF documents (*.pdf);;All files (*)"));
    if (!path.isEmpty()) {
        ExportPlanPdfShowingProgress(this, plan_, path);
    }
}

void Form5::mnuPrint_Click()
{
    PrintPlan(this, plan_);
}

void Form5::Form_Resize()
{
    FixFormSize(this, kDesignedHeight, kDesignedWidth);
}

// A window cut to fit the screen takes the cut out of the grid's height;
// everything designed below the grid moves up with the window's bottom.
void Form5::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (MSFlexGrid1 == nullptr) {
        return;
    }
    const TwipsMapping mapping = TwipsMapping::of(this);
    const QRect gridTwips = DesignedTwips(MSFlexGrid1);
    const QRect grid = mapping.rect(gridTwips);
    // A window held smaller still than the grid can give leaves the rest cut off.
    const int cut =
        std::clamp(DesignedClientSize(this, kDesignedHeight, kDesignedWidth).height() - height(), 0,
                   grid.height());
    MSFlexGrid1->setGeometry(grid.adjusted(0, 0, 0, -cut));
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect twips = DesignedTwips(control);
        if (!twips.isEmpty() && twips.top() > gridTwips.bottom()) {
            control->move(control->x(), mapping.y(twips.top()) - cut);
        }
    }
}
