// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageProgress.h"

#include <QCoreApplication>

namespace {
// The progress dialog shows only for documents that take longer than this.
constexpr int kProgressDelayMs = 400;
} // namespace

PageProgress::PageProgress(QWidget* parent, const QString& title, const QString& label)
    : dialog_(label, QCoreApplication::translate("PlanFiles", "Cancel"), 0, 1, parent)
{
    dialog_.setWindowTitle(title);
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(kProgressDelayMs);
    dialog_.setAutoReset(false);
}

PlanDocument::Progress PageProgress::callback()
{
    return [this](int painted, int pages) {
        dialog_.setMaximum(pages);
        dialog_.setValue(painted); // a modal dialog handles its Cancel button here
        return !dialog_.wasCanceled();
    };
}
