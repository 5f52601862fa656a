// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSplash.h"

#include "Colours.h"
#include "Form1.h"
#include "TwipsLayout.h"
#include "modAppTexts.h"
#include "modFileFunctions.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {

// The splash is drawn in Arial whatever the desktop's font, so its layout
// follows Arial's 8.25-point metrics rather than the desktop's.
QFont Arial(qreal pointSize, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel* AddLabel(QWidget* window, const char* name, const QRect& twips, const QFont& font)
{
    auto* label = new QLabel(window);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    PlaceControl(label, twips.x(), twips.y(), twips.width(), twips.height());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

frmSplash::frmSplash(int timerIntervalMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFont(Arial(8.25));
    // Black texts as designed, unless the desktop's background is too dark
    // for them; then the desktop's own text colour.
    QPalette colours = palette();
    const QColor background = colours.color(QPalette::Window);
    if (ContrastRatio(Qt::black, background) >=
        ContrastRatio(colours.color(QPalette::WindowText), background)) {
        colours.setColor(QPalette::WindowText, Qt::black);
    }
    setPalette(colours);
    createControls();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    Form_Load();
}

void frmSplash::createControls()
{
    const QRect client = TwipsMapping(font()).rect(0, 0, 6525, 3165);
    setFixedSize(client.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = client;
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(1);
    Shape1->setGeometry(client);

    Label1 = AddLabel(this, "Label1", {240, 360, 6015, 855}, Arial(36, true, true));
    Label2 = AddLabel(this, "Label2", {600, 1680, 2175, 255}, Arial(8.25));
    Label2->setText(tr("Developed on July 2000"));
    Label3 = AddLabel(this, "Label3", {600, 2160, 3015, 255}, Arial(8.25));
    Label3->setText(tr("Written by the VeskPayment team"));
    Label4 = AddLabel(this, "Label4", {3360, 1560, 2655, 1335}, Arial(9, false, true));
    Label4->setWordWrap(true);
    Label5 = AddLabel(this, "Label5", {360, 2760, 3135, 255}, Arial(8.25, true));
    Label5->setText(tr("Version 1.0.0"));
}

void frmSplash::Form_Load()
{
    try {
        AppTitle = "Vesk Payment 1.0";
        AppFolder = "C:\\Program Files\\VeskPayment\\";
        Label1->setText(QString::fromStdString(AppTitle));
        Label4->setText(
            tr("Use Vesk's Formula to help you get out of debt. This program is worthwhile."));
        Timer1->start();
    } catch (...) {
        loaded_ = false;
        close();
    }
}

// Each step that fails is skipped; the main window opens in any case.
void frmSplash::Timer1_Timer()
{
    // A message box in the file work must not let a second tick start over.
    Timer1->stop();

    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } catch (...) {
    }

    try {
        const std::string marker = AppFolder + kMarkerFileName;
        bool present = false;
        try {
            present = FileExists(marker);
        } catch (...) {
            // attempt the write
        }
        if (!present) {
            WriteToFile(marker, AppTitle, false);
        }
    } catch (...) {
    }

    try {
        QApplication::restoreOverrideCursor();
    } catch (...) {
    }

    try {
        close();
        deleteLater();
    } catch (...) {
    }

    try {
        auto* mainWindow = new Form1();
        mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        mainWindow->show();
    } catch (...) {
    }
}
