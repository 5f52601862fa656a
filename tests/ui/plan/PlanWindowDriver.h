// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"
#include "FlexGridAccessible.h"
#include "Form5.h"
#include "MSFlexGrid.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <memory>

// The payment plan window as the tests open it: loaded from the inputs the
// main window would hold, not yet shown.
inline std::unique_ptr<Form5> OpenPlan(const CalculatorInputs& in, QWidget* mainWindow = nullptr)
{
    LoadCalcState(in);
    return Form5::createLoaded(mainWindow);
}

template <typename T> T* Find(QWidget* form, const char* name)
{
    return form->findChild<T*>(QLatin1String(name));
}

inline MSFlexGrid* Grid(QWidget* form)
{
    return Find<MSFlexGrid>(form, "MSFlexGrid1");
}

// The text of the named label, or a text that says it is missing.
inline QString Text(QWidget* form, const char* label)
{
    auto* control = Find<QLabel>(form, label);
    return control != nullptr ? control->text()
                              : QStringLiteral("<no %1>").arg(QLatin1String(label));
}

// Plan windows still alive: every test leaves none.
inline int Form5Count()
{
    int count = 0;
    for (QWidget* widget : QApplication::allWidgets()) {
        count += qobject_cast<Form5*>(widget) != nullptr ? 1 : 0;
    }
    return count;
}

// What every plan-window test case shares: a watchdog that closes a modal
// window left open, a recorder for message boxes, and no window left over.
class PlanWindowCases {
public:
    void initTestCase()
    {
        UseTestFont();
        FlexGridAccessible::install();
        watchdog_ = std::make_unique<ModalWatchdog>();
    }
    void init() { messages_ = std::make_unique<MsgBoxRecorder>(); }
    // False when a plan window was left alive.
    bool cleanup()
    {
        messages_.reset();
        return Form5Count() == 0;
    }
    MsgBoxRecorder& messages() { return *messages_; }

private:
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::unique_ptr<MsgBoxRecorder> messages_;
};
