// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>

// First information page: who the method is named after and how it starts.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    // Designed outer size in twips, borders and title bar included.
    static constexpr std::int16_t kDesignedHeight = 9600;
    static constexpr std::int16_t kDesignedWidth = 9270;

    // Shows a fresh first page modally over mainWindow; returns when it is gone.
    static void showModal(QWidget* mainWindow);

private:
    void cmdContinue_Click();
    void Form_Resize();
};
