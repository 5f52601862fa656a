// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

// Explains each field, option and result of the main window.
class Form4 : public QDialog {
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);

    // Shows a fresh window modally over mainWindow; returns when it is gone.
    static void showModal(QWidget* mainWindow);

private:
    QLabel* AddExplanation(const char* name, const QString& text, int top, int height);
    void cmdMain_Click();
    void Form_Resize();
};
