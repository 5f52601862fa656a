// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form4.h"

#include "Colours.h"
#include "InfoWidgets.h"
#include "TwipsLayout.h"
#include "WrappingButtons.h"
#include "modCommonChecks.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <iterator>

namespace {
constexpr int kNameLeft = 720;
constexpr int kExplanationLeft = 2880;
constexpr int kExplanationWidth = 3135;
// One design pixel around the text, three more before it.
constexpr int kExplanationMarginTwips = 15;
constexpr int kExplanationIndentTwips = 45;

// The samples only show what the main window's controls look like; nothing
// is connected to them, and the keyboard passes them by.
template <typename Button>
Button* AddSample(QWidget* page, const char* name, const QString& text, int top, int width,
                  int height)
{
    auto* sample = AddControl<Button>(page, name, text, kNameLeft, top, width, height);
    sample->setFocusPolicy(Qt::NoFocus);
    return sample;
}
} // namespace

Form4::Form4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    QWidget* page = SetUpInfoWindow(this, QStringLiteral(" What Do Those Values Mean?"),
                                    kDesignedHeight, kDesignedWidth);

    // Each row: the name of a field, option or result, and its explanation.
    const std::pair<QWidget*, QLabel*> rows[] = {
        {AddBody(page, "Label3", tr("Outstanding Balance"), kNameLeft, 480, 1575, 255),
         AddExplanation(page, "Label7", tr("The Total Amount You Owe"), 480, 255)},
        {AddBody(page, "Label1", tr("Interest Rate (APR)"), kNameLeft, 960, 1455, 255),
         AddExplanation(page, "Label8", tr("Interest Percentage For The Year"), 960, 255)},
        {AddBody(page, "Label2", tr("Scheduled Payment"), kNameLeft, 1560, 1575, 255),
         AddExplanation(page, "Label9", tr("The Minimum Monthly Payment Given"), 1560, 255)},
        {AddSample<WrappingRadioButton>(page, "optMonthly", tr("Monthly Payment [OPTION]"), 2160,
                                        1575, 375),
         AddExplanation(page, "Label10",
                        tr("Gives You The Calculated Monthly Payment For That Month"), 2160, 495)},
        {AddSample<WrappingRadioButton>(page, "optToZero", tr("Payments Till Zero [OPTION]"), 2880,
                                        1815, 375),
         AddExplanation(page, "Label11",
                        tr("Lists Each Month's Payment From The First Until The Balance Is Zero"),
                        2880, 495)},
        {AddBody(page, "Label6", tr("Total Amount Saved (if follow payment plan)"), kNameLeft, 3720,
                 1935, 495),
         AddExplanation(page, "Label12", tr("The Interest You Save By Following The Payment Plan"),
                        3720, 495)},
        {AddBody(page, "Label4", tr("Vesk's Mnthly Pymnt [DISPLAY]"), kNameLeft, 4440, 1695, 495),
         AddExplanation(page, "Label13", tr("Vesk Calculated Monthly Payment"), 4440, 255)},
        {AddBody(page, "Label5", tr("Payoff Period [DISPLAY]"), kNameLeft, 5040, 1455, 495),
         AddExplanation(page, "Label14",
                        tr("The Time It Takes To Pay Off The Debt With Vesk's Method"), 5040, 495)},
        {AddSample<WrappingCheckBox>(page, "Check1", tr("Set Maximum Monthly Payment"), 5760, 1695,
                                     375),
         AddExplanation(page, "Label15",
                        tr("Lets You Set The Largest Monthly Payment You Are Willing To Make, "
                           "Since Vesk's Monthly Payment Can Grow To One You Cannot Afford"),
                        5760, 1095)},
        {AddSample<WrappingCheckBox>(page, "chkDisableVesk", tr("Disable Vesk Method"), 7080, 1935,
                                     255),
         AddExplanation(page, "Label16",
                        tr("Lets You Switch The Formula Off And Calculate With Any Monthly "
                           "Payment; Useful Only With The \"Payments Till Zero\" Option"),
                        7080, 855)},
    };
    rows[std::size(rows) - 1].first->setEnabled(false); // "Disable Vesk Method" shows disabled
    describeRows(rows);

    QPushButton* cmdMain =
        AddControl<QPushButton>(page, "cmdMain", tr("Main"), 2760, 8160, 1215, 375);
    connect(cmdMain, &QPushButton::clicked, this, &Form4::cmdMain_Click);

    OnFormResize(this, [this] { Form_Resize(); });
    Form_Resize();
    GiveTextsRoom(this);
}

QLabel* Form4::AddExplanation(QWidget* page, const char* name, const QString& text, int top,
                              int height)
{
    QLabel* label = AddBody(page, name, text, kExplanationLeft, top, kExplanationWidth, height);
    const QColor background = palette().color(QPalette::Window);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText,
                     ReadableColour(palette().color(QPalette::ToolTipText), background));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
    // A thin sunken edge sets the explanations apart from the names beside
    // them; the text keeps a little room from it and sits in the middle.
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SetLabelMargins(label, kExplanationMarginTwips, kExplanationIndentTwips);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// A screen reader reads the window's description when it opens, each name
// with its explanation, since it would read only the longer explanations
// by themselves. Every explanation is tied to its name, so that it is not
// read a second time on its own.
void Form4::describeRows(std::span<const std::pair<QWidget*, QLabel*>> rows)
{
    QStringList said;
    for (const auto& [name, explanation] : rows) {
        QString term;
        if (auto* label = qobject_cast<QLabel*>(name)) {
            term = label->text();
            label->setBuddy(explanation);
        } else {
            term = static_cast<const QAbstractButton*>(name)->text();
            explanation->setBuddy(name); // a sample control has no label of its own
        }
        said << term.remove(QLatin1Char('[')).remove(QLatin1Char(']')) + QStringLiteral(": ") +
                    explanation->text();
    }
    setAccessibleDescription(said.join(QStringLiteral(". ")) + QLatin1Char('.'));
}

void Form4::showModal(QWidget* mainWindow)
{
    Form4 window(mainWindow);
    window.exec();
}

void Form4::cmdMain_Click()
{
    close();
}

void Form4::Form_Resize()
{
    FixFormSize(this, kDesignedHeight, kDesignedWidth);
}
