// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanFiles.h"

#include "Calculator.h"
#include "EngineText.h"
#include "MsgBox.h"
#include "PageProgress.h"
#include "PaymentPlan.h"
#include "PlanCsv.h"
#include "PlanDocumentTexts.h"
#include "modCommonChecks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <string>
#include <utility>

namespace {

constexpr QMarginsF kMarginsMillimetres(15, 15, 15, 15);

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
    FitDialogToScreen(&dialog);
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

QPageLayout PdfPageLayout()
{
    const bool usUnits = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(usUnits ? QPageSize::Letter : QPageSize::A4),
                       QPageLayout::Portrait, kMarginsMillimetres, QPageLayout::Millimeter);
}

bool WritePlanPdf(std::shared_ptr<const PaymentPlan> plan, QIODevice* device, const PdfPages& pages,
                  const PlanDocument::Progress& progress)
{
    // The writer finishes the document when it goes.
    QPdfWriter writer(device);
    writer.setPageLayout(pages.layout);
    writer.setTitle(FromStd(kPlanDocumentTitle));
    writer.setCreator(FromStd(kPlanDocumentCreator));
    return PlanDocument(std::move(plan)).paint(&writer, progress, pages.first, pages.last);
}

bool ExportPlanPdf(std::shared_ptr<const PaymentPlan> plan, const QString& path,
                   const PlanDocument::Progress& progress, const PdfPages& pages)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        ReportNotSaved(path, file.errorString());
        return false;
    }
    bool stopped = false;
    const bool written = WritePlanPdf(std::move(plan), &file, pages, [&](int done, int total) {
        stopped = progress && !progress(done, total);
        return !stopped;
    });
    if (!written || file.error() != QFileDevice::NoError) {
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
                                  const QString& path, const PdfPages& pages)
{
    PageProgress progress(parent, Tr("Export PDF"),
                          Tr("Writing %1…").arg(QFileInfo(path).fileName()));
    return ExportPlanPdf(std::move(plan), path, progress.callback(), pages);
}
