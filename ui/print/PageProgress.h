// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlanDocument.h"

#include <QProgressDialog>

// A cancellable progress dialog for the pages of a document, modal to its
// parent's window. It shows only when the pages take a while.
class PageProgress {
public:
    PageProgress(QWidget* parent, const QString& title, const QString& label);

    // Moves the dialog on after each page; false once the user cancelled.
    PlanDocument::Progress callback();
    bool cancelled() const { return dialog_.wasCanceled(); }

private:
    QProgressDialog dialog_;
};
