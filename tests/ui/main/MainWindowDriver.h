// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessibleWidgets.h"
#include "Form1.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

// A freshly shown main window, driven through its real controls.
class MainWindow {
public:
    MainWindow() : form_(new Form1)
    {
        form_->show();
        QTEST_ASSERT(QTest::qWaitForWindowExposed(form_));
    }
    ~MainWindow() { delete form_.data(); }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Form1* form() const { return form_.data(); }
    bool isGone() const { return form_.isNull(); }

    template <typename T> T* find(const QString& name) const
    {
        T* found = form_->findChild<T*>(name);
        QTEST_ASSERT(found != nullptr);
        return found;
    }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(QLatin1String(name)); }
    QLabel* label(const char* name) const { return find<QLabel>(QLatin1String(name)); }
    QCheckBox* check(const char* name) const { return find<QCheckBox>(QLatin1String(name)); }
    QRadioButton* option(const char* name) const { return find<QRadioButton>(QLatin1String(name)); }
    QPushButton* calculate() const { return find<QPushButton>(QStringLiteral("cmdCalculate")); }
    QAction* entry(const char* name) const { return find<QAction>(QLatin1String(name)); }

    void click(const char* name) const
    {
        QTest::mouseClick(find<QWidget>(QLatin1String(name)), Qt::LeftButton);
    }
    void type(const char* name, const QString& text) const
    {
        QLineEdit* target = box(name);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Backspace);
        QTest::keyClicks(target, text);
    }
    // The three inputs of a monthly-payment run, typed, then Calculate clicked.
    void runMonthly(const QString& balance, const QString& rate, const QString& payment) const
    {
        type("txtBalance", balance);
        type("txtInterestRate", rate);
        type("txtPayment", payment);
        QTest::mouseClick(calculate(), Qt::LeftButton);
    }

private:
    QPointer<Form1> form_;
};

// What every main-window test case shares: a watchdog that closes a modal
// window left open, and a recorder that fails the case on an unexpected
// message box (a case that expects one takes it out of messages()).
class MainWindowCases {
public:
    static void initTestCase()
    {
        // Windows come and go here; the test program must outlive each of them.
        QApplication::setQuitOnLastWindowClosed(false);
        UseTestFont();
        InstallAccessibleWidgets(); // as the program does at start
    }
    void init()
    {
        watchdog_ = std::make_unique<ModalWatchdog>();
        messages_ = std::make_unique<MsgBoxRecorder>();
    }
    // False when a message box was shown that the case did not take.
    bool cleanup()
    {
        const bool unexpectedMessage = !messages_->messages().empty();
        messages_.reset();
        watchdog_.reset();
        return !unexpectedMessage;
    }
    MsgBoxRecorder& messages() { return *messages_; }

private:
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::unique_ptr<MsgBoxRecorder> messages_;
};
