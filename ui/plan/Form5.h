#pragma once

#include <QDialog>

// The payment plan window: the accelerated plan month by month and the
// comparison with the scheduled plan.
class Form5 : public QDialog {
    Q_OBJECT
public:
    explicit Form5(QWidget* parent = nullptr);

    // Creates the window, builds the plan from CalcState and shows it modally;
    // returns once the window is gone. A failing load shows its message,
    // discards the window and activates mainWindow.
    static void showModal(QWidget* mainWindow);
};
