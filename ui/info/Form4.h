// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>
#include <span>
#include <utility>

class QLabel;

// Explains each field, option and result of the main window.
class Form4 : public QDialog {
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);

    // Designed outer size in twips, borders and title bar included.
    static constexpr std::int16_t kDesignedHeight = 9000;
    static constexpr std::int16_t kDesignedWidth = 7125;

    // Shows a fresh window modally over mainWindow; returns when it is gone.
    static void showModal(QWidget* mainWindow);

private:
    QLabel* AddExplanation(QWidget* page, const char* name, const QString& text, int top,
                           int height);
    void describeRows(std::span<const std::pair<QWidget*, QLabel*>> rows);
    void cmdMain_Click();
    void Form_Resize();
};
