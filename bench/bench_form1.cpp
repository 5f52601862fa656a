// SPDX-License-Identifier: GPL-3.0-or-later
// One keystroke in a box of the main window: the line edit's own work, the
// change handler, the enabling rule and the enabled states of the Calculate
// button and menu entry.

#include "Form1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

void typeKey(QWidget* box, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &release);
}

struct Window {
    explicit Window(const char* balance)
    {
        form.show();
        box("txtBalance")->setText(QString::fromLatin1(balance));
        box("txtInterestRate")->setText(QStringLiteral("7.5"));
        box("txtPayment")->setText(QStringLiteral("699"));
    }
    QLineEdit* box(const char* name) { return form.findChild<QLineEdit*>(QLatin1String(name)); }
    bool calculateEnabled() { return form.findChild<QPushButton*>("cmdCalculate")->isEnabled(); }

    Form1 form;
};

// A digit typed into the balance box and taken back with Backspace, one
// keystroke per iteration. From an empty balance every keystroke flips
// Calculate; from a valid one Calculate stays enabled.
void BM_Keystroke(benchmark::State& state, const char* balanceText, bool staysEnabled)
{
    Window w(balanceText);
    QLineEdit* balance = w.box("txtBalance");
    bool typed = false;
    for (auto _ : state) {
        if (typed) {
            typeKey(balance, Qt::Key_Backspace, QString());
        } else {
            typeKey(balance, Qt::Key_5, QStringLiteral("5"));
        }
        typed = !typed;
    }
    const bool expectEnabled = staysEnabled || typed;
    if (balance->text() != QString::fromLatin1(balanceText) + (typed ? "5" : "") ||
        w.calculateEnabled() != expectEnabled) {
        state.SkipWithError("the keystrokes did not reach the balance box");
    }
}
BENCHMARK_CAPTURE(BM_Keystroke, TogglesCalculate, "", false);
BENCHMARK_CAPTURE(BM_Keystroke, KeepsCalculate, "100000", true);

} // namespace
