// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

// The start-up window: title, version and tagline on a borderless window.
// Its timer writes the marker file when it is missing and hands over to the
// main window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 1200;

    // The interval is shortened only by tests.
    explicit frmSplash(int timerIntervalMs = kTimerIntervalMs, QWidget* parent = nullptr);

    // False when loading failed; the splash is then closed and nothing follows.
    bool loaded() const { return loaded_; }

private:
    void createControls();
    void Form_Load();
    void Timer1_Timer();

    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QTimer* Timer1 = nullptr;
    bool loaded_ = true;
};
