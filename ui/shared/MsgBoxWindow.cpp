// SPDX-License-Identifier: GPL-3.0-or-later
#include "MsgBoxWindow.h"

#include "MsgBox.h"

#include <QApplication>
#include <QMessageBox>

void InstallMessageBox()
{
    SetMsgBoxHandler([](const std::string& text, const std::string& title) {
        QMessageBox box(QMessageBox::Critical, QString::fromStdString(title),
                        QString::fromStdString(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}
