// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form2.h"

#include "Form3.h"
#include "InfoWidgets.h"
#include "TwipsLayout.h"
#include "modCommonChecks.h"

#include <QPushButton>

Form2::Form2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    QWidget* page = SetUpInfoWindow(this, QStringLiteral(" About the Vesk Formula..."),
                                    kDesignedHeight, kDesignedWidth);

    AddHeading(page, "Label1", tr("Who is Vesk?"), 600, 360, 2055, 255);
    AddBody(page, "Label2",
            tr("Vesk is a financial consultant who writes a regular column about money "
               "matters for a newspaper."),
            848, 720, 6975, 495);
    AddHeading(page, "Label3", tr("What is this formula about?"), 600, 1200, 2895, 255);
    AddBody(page, "Label4",
            tr("Applied every month, the formula clears any outstanding balance in half the "
               "time that the scheduled monthly payment alone would take."),
            848, 1560, 7455, 495);
    AddHeading(page, "Label5", tr("How did you stumble across it?"), 600, 2280, 3135, 255);
    AddBody(page, "Label6",
            tr("A co-worker showed me the formula in one of Vesk's newspaper columns. I wrote "
               "this program so that anyone can put it to work without pencil, calculator "
               "and paper."),
            848, 2640, 7455, 735);
    AddHeading(page, "Label7", tr("Who am I? "), 600, 3600, 1215, 255);
    AddBody(page, "Label8",
            tr("I am a programmer. If you have questions or concerns about this program, I "
               "will be glad to hear them."),
            855, 3960, 7455, 495);
    AddHeading(page, "Label9", tr("The formula, in Vesk's own words:"), 600, 4680, 3975, 255);
    AddBody(page, "Label10",
            tr("First, let me show how a loan is paid down, so that you can tell which part "
               "of each payment is principal and which part is interest."),
            855, 5040, 7455, 495);
    AddBody(page, "Label11",
            tr("You need only three figures: the outstanding balance, the interest rate and "
               "the monthly payment of principal and interest together. If your mortgage "
               "payment also covers taxes and insurance, leave those amounts out."),
            855, 5640, 7455, 855);
    AddBody(page, "Label12",
            tr("Take as an example a 30-year fixed mortgage of $100,000 at 7.5 percent, with "
               "a monthly payment of $699 for principal and interest."),
            855, 6600, 7455, 495);
    AddBody(page, "Label13", tr("Before the first payment, the outstanding balance is $100,000."),
            855, 7200, 7455, 255);
    AddBody(page, "Label14",
            tr("Interest for the first month: 7.5 percent of $100,000 is $7,500 a year; "
               "divided by 12 months, that makes $625."),
            855, 7560, 7455, 615);

    QPushButton* cmdContinue =
        AddControl<QPushButton>(page, "cmdContinue", tr("Continue"), 3960, 8520, 1215, 375);
    connect(cmdContinue, &QPushButton::clicked, this, &Form2::cmdContinue_Click);

    OnFormResize(this, [this] { Form_Resize(); });
    Form_Resize();
    GiveTextsRoom(this);
}

void Form2::showModal(QWidget* mainWindow)
{
    Form2 page(mainWindow);
    page.exec();
}

// The first page is gone before the second one appears.
void Form2::cmdContinue_Click()
{
    done(QDialog::Accepted);
    Form3::showPage();
}

void Form2::Form_Resize()
{
    FixFormSize(this, kDesignedHeight, kDesignedWidth);
}
