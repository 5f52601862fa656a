// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSplash.h"

#include "Form1.h"
#include "modAppTexts.h"
#include "modCommonChecks.h"
#include "modFileFunctions.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {

QLabel* AddLabel(QWidget* window, const char* name, const QRect& rect, qreal pointSize, bool bold,
                 bool italic)
{
    auto* label = new QLabel(window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(colours);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

frmSplash::frmSplash(int timerIntervalMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    createControls();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    Form_Load();
}

void frmSplash::createControls()
{
    const QRect client = TwipsRect(0, 0, 6525, 3165);
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

    Label1 = AddLabel(this, "Label1", TwipsRect(240, 360, 6015, 855), 36, true, true);
    Label2 = AddLabel(this, "Label2", TwipsRect(600, 1680, 2175, 255), 8.25, false, false);
    Label2->setText(tr("Developed on July 2000"));
    Label3 = AddLabel(this, "Label3", TwipsRect(600, 2160, 3015, 255), 8.25, false, false);
    Label3->setText(tr("Written by the VeskPayment developers"));
    Label4 = AddLabel(this, "Label4", TwipsRect(3360, 1560, 2655, 1335), 9, false, true);
    Label4->setWordWrap(true);
    Label5 = AddLabel(this, "Label5", TwipsRect(360, 2760, 3135, 255), 8.25, true, false);
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
