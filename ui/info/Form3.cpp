// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form3.h"

#include "InfoWidgets.h"
#include "TwipsLayout.h"
#include "modCommonChecks.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

QPointer<Form3> Form3::instance_;

Form3::Form3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    QWidget* page = SetUpInfoWindow(this, QStringLiteral(" About the Vesk Formula..."),
                                    kDesignedHeight, kDesignedWidth);

    AddHeading(page, "Label9", tr("The formula, in Vesk's own words (continued):"), 600, 360, 5175,
               255);
    AddBody(page, "Label4",
            tr("Of the first payment of $699, $625 is interest. The rest, about $74, is "
               "principal and lowers the balance."),
            848, 720, 7455, 615);
    AddBody(page, "Label1",
            tr("The second payment splits into $624.54 of interest and $74.46 of principal, "
               "which leaves a balance of $99,851.54. Do this 360 times, once a month for 30 "
               "years, and the balance comes down to zero."),
            848, 1560, 7455, 855);
    AddBody(page, "Label2",
            tr("In the early years nearly all of each payment goes to interest, because the "
               "balance is still so high."),
            848, 2520, 7455, 495);
    AddBody(page, "Label3",
            tr("The strategy: every month, along with the regular payment, send an extra "
               "payment marked for principal, equal to the principal part of the following "
               "month's regular payment. Check first that your lender charges no penalty for "
               "it."),
            848, 3120, 7455, 855);
    AddBody(page, "Label5",
            tr("In the example the extra payment for the first month is $74.46, so after one "
               "month you have paid as much principal as two regular payments would."),
            848, 4080, 7455, 615);
    AddBody(page, "Label6",
            tr("Keep to this schedule and the mortgage is paid off in 15 years instead of 30."),
            848, 4800, 7455, 495);
    AddBody(page, "Label7",
            tr("The extra payment grows over time, since each regular payment holds less "
               "interest and more principal, so it gets harder to keep up toward the end of "
               "the loan."),
            848, 5280, 7455, 855);
    AddBody(page, "Label8",
            tr("The extra payments are voluntary and can stop at any time. Making them only "
               "in the first two or three years still saves thousands in interest and "
               "shortens the loan considerably."),
            848, 6240, 7455, 615);
    AddHeading(page, "Label10", tr("In Closing:"), 600, 7080, 3975, 255);
    AddBody(page, "Label11",
            tr("The formula works for any debt and cuts its payoff period in half."), 848, 7440,
            7455, 255);

    QPushButton* cmdMain =
        AddControl<QPushButton>(page, "cmdMain", tr("Main"), 3600, 8040, 1215, 375);
    connect(cmdMain, &QPushButton::clicked, this, &Form3::cmdMain_Click);

    OnFormResize(this, [this] { Form_Resize(); });
    Form_Resize();
    GiveTextsRoom(this);
}

Form3* Form3::showPage()
{
    if (instance_ != nullptr) {
        if (instance_->isMinimized()) {
            instance_->showNormal();
        }
        instance_->raise();
        instance_->activateWindow();
        return instance_;
    }
    // No owner: the page stays open when the main window closes.
    auto* page = new Form3();
    page->setAttribute(Qt::WA_DeleteOnClose);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = page->geometry();
        placed.moveCenter(screen->availableGeometry().center());
        page->move(placed.topLeft());
    }
    instance_ = page;
    page->show();
    return page;
}

void Form3::cmdMain_Click()
{
    close();
}

void Form3::Form_Resize()
{
    FixFormSize(this, kDesignedHeight, kDesignedWidth);
}
