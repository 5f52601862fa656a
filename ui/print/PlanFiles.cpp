// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanFiles.h"

#include "Calculator.h"
#include "MsgBox.h"
#include "PaymentPlan.h"
#include "PlanCsv.h"
#include "PlanDocumentTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <string>
#include <utility>

namespace {

constexpr QMarginsF kMarginsMillimetres(15, 15, 15, 15);
// The progress dialog shows only for documents that take longer than this.
constexpr int kProgressDelayMs = 400;

QString Tr(const char* text)
{
    return QCoreApplication::translate("PlanFiles", text);
}

// The folder a save dialog opens in; empty until something was saved.
QString& LastFolder()
{
    static QString folder;
    return folder;
}

void ReportNotSaved(const QString& path, const QString& reason)
{
    MsgBox(Tr("The payment plan could not be saved to %1: %2.")
               .arg(QDir::toNativeSeparators(path), reason)
               .toStdString(),
           std::string(kPlanErrorTitle));
}

// Commits a file written in full; reports why it could not be.
bool Commit(QSaveFile& file, const QString& path)
{
    if (file.commit()) {
        return true;
    }
    ReportNotSaved(path, file.errorString());
    return false;
}

// A cancellable progress dialog for the pages of a document.
class PageProgress {
public:
    PageProgress(QWidget* parent, const QString& title, const QString& label)
        : dialog_(label, Tr("Cancel"), 0, 1, parent)
    {
        dialog_.setWindowTitle(title);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(kProgressDelayMs);
        dialog_.setAutoReset(false);
    }

    PlanDocument::Progress callback()
    {
        return [this](int painted, int pages) {
            dialog_.setMaximum(pages);
            dialog_.setValue(painted); // a modal dialog handles its Cancel button here
            return !dialog_.wasCanceled();
        };
    }

    bool cancelled() const { return dialog_.wasCanceled(); }

private:
    QProgressDialog dialog_;
};

// The PDF's paper: Letter where the locale measures in US units, A4
// elsewhere. A printer keeps the paper it is set up with.
void SetPdfPageLayout(QPdfWriter* writer)
{
    const bool usUnits = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    writer->setPageLayout(QPageLayout(QPageSize(usUnits ? QPageSize::Letter : QPageSize::A4),
                                      QPageLayout::Portrait, kMarginsMillimetres,
                                      QPageLayout::Millimeter));
}

} // namespace

QString SuggestedPlanPath(const PlanTerms& terms, const QString& suffix)
{
    QString folder = LastFolder();
    if (folder.isEmpty()) {
        // A file dialog would open a missing folder as the working folder.
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir()) {
            folder = QDir::homePath();
        }
    }
    return QDir(folder).filePath(QString::fromStdString(PlanFileStem(terms)) + u'.' + suffix);
}

QString AskPlanPath(QWidget* parent, const QString& title, const PlanTerms& terms,
                    const QString& suffix, const QString& filter)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    const QFileInfo suggested(SuggestedPlanPath(terms, suffix));
    dialog.setDirectory(suggested.absolutePath());
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString path = dialog.selectedFiles().constFirst();
    RememberPlanFolder(path);
    return path;
}

void RememberPlanFolder(const QString& path)
{
    LastFolder() = QFileInfo(path).absolutePath();
}

bool SavePlanCsv(const PaymentPlan& plan, const QString& path)
{
    const std::string csv = PlanCsv(plan);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size())) {
        ReportNotSaved(path, file.errorString());
        return false;
    }
    return Commit(file, path);
}

bool ExportPlanPdf(std::shared_ptr<const PaymentPlan> plan, const QString& path,
                   const PlanDocument::Progress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        ReportNotSaved(path, file.errorString());
        return false;
    }
    bool stopped = false;
    bool painted = false;
    {
        // The writer finishes the file when it goes, so before the commit.
        QPdfWriter writer(&file);
        SetPdfPageLayout(&writer);
        writer.setTitle(QString::fromUtf8(kPlanDocumentTitle));
        writer.setCreator(QString::fromUtf8(kPlanDocumentCreator));
        painted = PlanDocument(std::move(plan)).paint(&writer, [&](int done, int pages) {
            stopped = progress && !progress(done, pages);
            return !stopped;
        });
    }
    if (!painted || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        if (!stopped) {
            ReportNotSaved(path, file.error() != QFileDevice::NoError
                                     ? file.errorString()
                                     : Tr("the document could not be written"));
        }
        return false;
    }
    return Commit(file, path);
}

bool ExportPlanPdfShowingProgress(QWidget* parent, std::shared_ptr<const PaymentPlan> plan,
                                  const QString& path)
{
    PageProgress progress(parent, Tr("Export PDF"),
                          Tr("Writing %1…").arg(QFileInfo(path).fileName()));
    return ExportPlanPdf(std::move(plan), path, progress.callback());
}

void PrintPlan(QWidget* parent, std::shared_ptr<const PaymentPlan> plan)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(kMarginsMillimetres, QPageLayout::Millimeter);
    printer.setDocName(QString::fromStdString(PlanFileStem(plan->terms)));
    const PlanDocument document(std::move(plan));
    QPrintPreviewDialog preview(&printer, parent);
    // Called for the preview and again for the printer: each time every page
    // asked for is painted anew.
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
            PageProgress progress(&preview, Tr("Print"), Tr("Preparing the pages…"));
            const bool painted =
                document.paint(target, progress.callback(), target->fromPage(), target->toPage());
            if (progress.cancelled()) {
                target->abort(); // a print job is withdrawn
            } else if (!painted) {
                MsgBox(Tr("The payment plan could not be printed.").toStdString(),
                       std::string(kPlanErrorTitle));
            }
        });
    preview.exec();
}
