// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlanDocument.h"

#include <QString>
#include <memory>

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

// The plan as a PDF document. False when progress stopped it (nothing said)
// or after reporting a failure.
bool ExportPlanPdf(std::shared_ptr<const PaymentPlan> plan, const QString& path,
                   const PlanDocument::Progress& progress = {});

// The export and the print preview with a progress dialog over parent that
// can be cancelled; it shows only when the pages take a while.
bool ExportPlanPdfShowingProgress(QWidget* parent, std::shared_ptr<const PaymentPlan> plan,
                                  const QString& path);
void PrintPlan(QWidget* parent, std::shared_ptr<const PaymentPlan> plan);
