// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// First information page: who the method is named after and how it starts.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    // Shows a fresh first page modally over mainWindow; returns when it is gone.
    static void showModal(QWidget* mainWindow);

private:
    void cmdContinue_Click();
    void Form_Resize();
};
