// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlanDocument.h"

#include <QPageLayout>
#include <QString>
#include <memory>

class QIODevice;
class QWidget;
struct PaymentPlan;
struct PlanTerms;

// Taking the plan away: the file a save dialog suggests, the CSV and the PDF
// written whole or not at all, and the printer. A failure is reported
// through MsgBox with the file and the reason, and leaves no partial file: a
// file that was there before stays as it was.

// The loan's file name with suffix ("csv", "pdf") in the folder last saved
// to in this run, or else the user's documents folder (the home folder when
// there is none).
QString SuggestedPlanPath(const PlanTerms& terms, const QString& suffix);
// Makes the folder of path the one later suggestions are in.
void RememberPlanFolder(const QString& path);

// Asks where to save, suggesting SuggestedPlanPath; the file dialog asks
// before replacing a file. Empty when the user cancels.
QString AskPlanPath(QWidget* parent, const QString& title, const PlanTerms& terms,
                    const QString& suffix, const QString& filter);

// The months as CSV; false after reporting a failure.
bool SavePlanCsv(const PaymentPlan& plan, const QString& path);

// The paper a PDF is laid out on: Letter where the locale measures in US
// units, A4 elsewhere, portrait, with the document's margins.
QPageLayout PdfPageLayout();

// What a PDF holds: the paper, and the pages from first to last (counted
// from 1; 0 for last means to the end).
struct PdfPages {
    QPageLayout layout = PdfPageLayout();
    int first = 1;
    int last = 0;
};

// The plan as a PDF document written to an open device. False when
// progress stopped it or the device failed; nothing is reported.
bool WritePlanPdf(std::shared_ptr<const PaymentPlan> plan, QIODevice* device,
                  const PdfPages& pages = {}, const PlanDocument::Progress& progress = {});

// The plan as a PDF file, whole or not at all. False when progress stopped
// it (nothing said) or after reporting a failure.
bool ExportPlanPdf(std::shared_ptr<const PaymentPlan> plan, const QString& path,
                   const PlanDocument::Progress& progress = {}, const PdfPages& pages = {});

// The export with a progress dialog over parent that can be cancelled.
bool ExportPlanPdfShowingProgress(QWidget* parent, std::shared_ptr<const PaymentPlan> plan,
                                  const QString& path, const PdfPages& pages = {});
