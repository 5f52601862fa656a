// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanPrinting.h"

#include "Calculator.h"
#include "CupsJob.h"
#include "MsgBox.h"
#include "PageProgress.h"
#include "PaymentPlan.h"
#include "PlanDocument.h"
#include "PlanDocumentTexts.h"
#include "PlanFiles.h"
#include "modCommonChecks.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStyle>
#include <QTemporaryFile>
#include <QToolBar>
#include <algorithm>
#include <string>
#include <utility>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("PlanPrinting", text);
}

void ReportNotPrinted(const QString& reason)
{
    MsgBox(Tr("The payment plan could not be printed: %1.").arg(reason).toStdString(),
           std::string(kPlanErrorTitle));
}

// The printer on its own paper, the paper its print dialog offers, with the
// document's margins and the loan's name. Print to File suggests the file
// Export PDF would write: a name ending in ".pdf" makes the printer a PDF
// writer, so a printer with a queue goes back to it, keeping the name.
void SetUpPrinter(QPrinter& printer, const PlanTerms& terms)
{
    QPageLayout layout = PdfPageLayout();
    const bool queue = printer.outputFormat() == QPrinter::NativeFormat;
    if (const QPageSize paper = QPrinterInfo(printer).defaultPageSize(); queue && paper.isValid()) {
        layout.setPageSize(paper);
    }
    printer.setPageLayout(layout);
    printer.setDocName(QString::fromStdString(PlanFileStem(terms)));
    printer.setOutputFileName(SuggestedPlanPath(terms, QStringLiteral("pdf")));
    if (queue) {
        printer.setOutputFormat(QPrinter::NativeFormat);
    }
}

// Whether the print dialog chose some pages rather than all of them, on the
// printer's side or the spooler's.
bool SomePagesChosen(const QPrinter& printer)
{
    const QStringList options =
        printer.printEngine()->property(kCupsOptionsProperty).toStringList();
    return printer.printRange() != QPrinter::AllPages ||
           options.contains(QStringLiteral("page-ranges"));
}

// The pages the printer is set up for, whole: to its file, or as one job to
// its queue. False when cancelled or after reporting a failure.
bool PrintPages(QWidget* parent, QPrinter& printer, std::shared_ptr<const PaymentPlan> plan)
{
    PdfPages pages{printer.pageLayout(), 1, 0};
    if (printer.printRange() == QPrinter::PageRange) {
        pages.first = printer.fromPage();
        pages.last = printer.toPage();
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        RememberPlanFolder(printer.outputFileName());
        return ExportPlanPdfShowingProgress(parent, std::move(plan), printer.outputFileName(),
                                            pages);
    }
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("veskpayment-XXXXXX.pdf")));
    if (!file.open()) {
        ReportNotPrinted(file.errorString());
        return false;
    }
    PageProgress progress(parent, Tr("Print"), Tr("Printing the pages…"));
    if (!WritePlanPdf(std::move(plan), &file, pages, progress.callback()) || !file.flush()) {
        if (!progress.cancelled()) {
            ReportNotPrinted(file.errorString());
        }
        return false;
    }
    QString reason;
    if (!SubmitToCups(printer, file.fileName(), &reason)) {
        ReportNotPrinted(reason);
        return false;
    }
    return true;
}

// A preview dialog at work: it paints its pages with a progress, and its
// Print button prints the way PrintPages does.
class PreviewSession : public QObject {
public:
    PreviewSession(QPrintPreviewDialog* dialog, std::shared_ptr<const PaymentPlan> plan)
        : QObject(dialog), dialog_(dialog), printer_(dialog->printer()), plan_(std::move(plan)),
          document_(plan_), view_(dialog->findChild<QPrintPreviewWidget*>()),
          note_(new QLabel(dialog))
    {
        note_->setObjectName(QStringLiteral("relaidOutNote"));
        note_->setWordWrap(true);
        note_->hide();
        dialog->layout()->addWidget(note_);
        connect(dialog, &QPrintPreviewDialog::paintRequested, this, &PreviewSession::paint);
        takeOverPrinting();
    }

private:
    // The dialog's own Print would paint straight onto the printer, which
    // sends whatever was painted when the pages are cancelled.
    void takeOverPrinting()
    {
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* action : dialog_->findChildren<QAction*>()) {
            if (action->text() == print) {
                disconnect(action, nullptr, dialog_, nullptr);
                connect(action, &QAction::triggered, this, &PreviewSession::print);
                return;
            }
        }
    }

    void paint(QPrinter* target)
    {
        if (target->paintEngine()->type() != QPaintEngine::Picture) {
            // Asked to print rather than to preview.
            PrintPages(dialog_, *target, plan_);
            return;
        }
        PageProgress progress(dialog_, Tr("Print"), Tr("Preparing the pages…"));
        const bool whole = document_.paint(target, progress.callback());
        shown_ = target->pageLayout();
        if (whole) {
            return;
        }
        // The printer is not aborted: the preview still holds the pages
        // painted so far, and paints them. The preview closes instead,
        // showing none of them.
        if (!progress.cancelled()) {
            ReportNotPrinted(Tr("the pages could not be made"));
        }
        closing_ = true;
        view_->hide();
        QMetaObject::invokeMethod(dialog_, &QDialog::reject, Qt::QueuedConnection);
    }

    void print()
    {
        QPrintDialog ask(printer_, dialog_);
        FitDialogToScreen(&ask);
        if (ask.exec() != QDialog::Accepted) {
            return;
        }
        // The dialog sets the printer's smallest margins; the document keeps its own.
        const QPageLayout document = PdfPageLayout();
        printer_->setPageMargins(document.margins(), document.units());
        if (!printer_->pageLayout().isEquivalentTo(shown_)) {
            view_->updatePreview();
            if (closing_) {
                return;
            }
            if (SomePagesChosen(*printer_)) {
                // Pages chosen by number would be other pages on this paper.
                note_->setText(Tr("The pages are laid out again for %1. Choose the pages to print "
                                  "from these.")
                                   .arg(printer_->pageLayout().pageSize().name()));
                note_->show();
                return;
            }
        }
        if (PrintPages(dialog_, *printer_, plan_)) {
            dialog_->accept();
        }
    }

    QPrintPreviewDialog* dialog_;
    QPrinter* printer_;
    std::shared_ptr<const PaymentPlan> plan_;
    PlanDocument document_;
    QPrintPreviewWidget* view_;
    QLabel* note_;
    QPageLayout shown_;    // the paper the preview shows
    bool closing_ = false; // its pages were cancelled
};

// As tall as the screen allows and wide enough for the whole toolbar, so
// that the page shows large and every button in reach. On a screen too
// narrow for the toolbar, its icons are small, and then the choice of one,
// two or all pages at a time goes before Page Setup and Print would.
void FitPreviewToScreen(QPrintPreviewDialog* preview)
{
    auto* tools = preview->findChild<QToolBar*>();
    if (tools == nullptr) {
        FitDialogToScreen(preview, QSize(preview->sizeHint().width(), QWIDGETSIZE_MAX));
        return;
    }
    const auto toolsWidth = [tools] { return tools->sizeHint().width() * 11 / 10; };
    FitDialogToScreen(preview,
                      QSize(std::max(preview->sizeHint().width(), toolsWidth()), QWIDGETSIZE_MAX));
    if (toolsWidth() > preview->width()) {
        const int small = tools->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, tools);
        tools->setIconSize(QSize(small, small));
    }
    if (toolsWidth() > preview->width()) {
        for (const char* view : {"singleModeAction", "facingModeAction", "overviewModeAction"}) {
            if (auto* action = preview->findChild<QAction*>(QLatin1String(view))) {
                action->setVisible(false);
            }
        }
    }
}

} // namespace

void PrintPlan(QWidget* parent, std::shared_ptr<const PaymentPlan> plan)
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, plan->terms);
    QPrintPreviewDialog preview(&printer, parent);
    new PreviewSession(&preview, std::move(plan));
    FitPreviewToScreen(&preview);
    preview.exec();
}
