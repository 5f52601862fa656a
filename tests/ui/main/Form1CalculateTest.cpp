// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at work: the enabling rule with its reasons, and the
// Calculate command with its results and messages.
#include "CalcCommand.h"
#include "Calculator.h"
#include "Form1.h"
#include "MainWindowDriver.h"
#include "UiTestSupport.h"
#include "modDeclarations.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

class Form1CalculateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusalReasons_data();
    void refusalReasons();
    void zeroPaymentWithMaximumMovesFocus();
    void buttonAndMenuEnabledTogether();

    void results_data();
    void results();
    void calculateErrors_data();
    void calculateErrors();
    void menuCalculateDoesWhatButtonDoes();
    void enterDoesNotCalculate();
    void tillZeroOpensPaymentPlan();

private:
    MainWindowCases cases_;
};

void Form1CalculateTest::initTestCase()
{
    MainWindowCases::initTestCase();
}

void Form1CalculateTest::init()
{
    cases_.init();
}

void Form1CalculateTest::cleanup()
{
    QVERIFY2(cases_.cleanup(), "a message box was shown");
}

// ---------------------------------------------------------------- interlocks

// The window and vesk-calc refuse the same inputs for the same reason: the
// disabled button's tooltip and accessible description, and the command's
// one line. The rule's own cases are tested with the calculator.
void Form1CalculateTest::refusalReasons_data()
{
    QTest::addColumn<QString>("mode"); // "", "zero", "max" or "fixed"
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("reason"); // empty: Calculate is enabled

    const auto add = [](const char* name, const char* mode, const char* balance, const char* rate,
                        const char* payment, const char* maximum, const char* reason) {
        QTest::newRow(name) << mode << balance << rate << payment << maximum << reason;
    };
    add("all empty", "", "", "", "", "", "Balance must not be blank");
    add("valid", "", "100000", "7.5", "699", "", "");
    add("rate one blank", "", "100000", " ", "699", "", "Interest rate must not be blank");
    add("payment 0", "", "100000", "7.5", "0", "", "Payment must be greater than 0");
    add("balance abc", "", "abc", "7.5", "699", "", "Balance must be greater than 0");
    add("balance 1E15", "", "1E15", "7.5", "699", "", "Balance is out of range");
    add("rate 1E400", "zero", "100000", "1E400", "699", "", "Interest rate is out of range");
    add("till zero", "zero", "100000", "7.5", "699", "", "");
    add("max 5", "max", "100000", "7.5", "699", "5", "Maximum must be at least 15");
    add("max empty", "max", "100000", "7.5", "699", "", "Maximum must not be blank");
    add("max without payment", "max", "100000", "7.5", "0", "50", "Payment must be greater than 0");
    add("fixed, no payment", "fixed", "1000", "0", "0", "500", "");
    add("fixed, blank payment", "fixed", "1000", "7.5", " ", "500", "Payment must not be blank");
    add("fixed empty", "fixed", "1000", "7.5", "699", "", "Fixed payment must not be blank");
}

void Form1CalculateTest::refusalReasons()
{
    QFETCH(QString, mode);
    QFETCH(QString, balance);
    QFETCH(QString, rate);
    QFETCH(QString, payment);
    QFETCH(QString, maximum);
    QFETCH(QString, reason);

    MainWindow w;
    if (!mode.isEmpty()) {
        w.click("optToZero");
    }
    std::vector<std::string> args{"--balance",        balance.toStdString(), "--rate",
                                  rate.toStdString(), "--payment",           payment.toStdString()};
    if (mode == QLatin1String("zero")) {
        args.emplace_back("--till-zero");
    } else if (mode == QLatin1String("max")) {
        w.click("chkMaxMonthly");
        args.insert(args.end(), {"--maximum", maximum.toStdString()});
    } else if (mode == QLatin1String("fixed")) {
        w.click("chkDisableVesk");
        args.insert(args.end(), {"--fixed", maximum.toStdString()});
    }
    QTest::keyClicks(w.box("txtBalance"), balance);
    QTest::keyClicks(w.box("txtInterestRate"), rate);
    QTest::keyClicks(w.box("txtPayment"), payment);
    QTest::keyClicks(w.box("txtMaximum"), maximum);

    QPushButton* calculate = w.calculate();
    QCOMPARE(calculate->isEnabled(), reason.isEmpty());
    QCOMPARE(w.entry("mnuCalculate")->isEnabled(), reason.isEmpty());
    QCOMPARE(calculate->toolTip(), reason);
    QCOMPARE(calculate->accessibleDescription(), reason);

    const CommandResult command = RunCalcCommand(args);
    if (reason.isEmpty()) {
        QVERIFY(command.exitStatus != ExitRefused);
    } else {
        QCOMPARE(command.exitStatus, int{ExitRefused});
        const QString line = QString::fromStdString(command.err);
        QVERIFY2(line.startsWith(QStringLiteral("vesk-calc: %1 (--").arg(reason)),
                 qPrintable(line));
        QCOMPARE(line.count(QLatin1Char('\n')), 1);
    }
}

void Form1CalculateTest::zeroPaymentWithMaximumMovesFocus()
{
    MainWindow w;
    w.click("optToZero");
    w.click("chkMaxMonthly");
    w.type("txtBalance", QStringLiteral("100000"));
    w.type("txtInterestRate", QStringLiteral("7.5"));
    w.type("txtPayment", QStringLiteral("0"));
    QLineEdit* maximum = w.box("txtMaximum");
    maximum->setFocus();

    QTest::keyClick(maximum, Qt::Key_5); // below 15: the focus stays
    QCOMPARE(w.form()->focusWidget(), maximum);
    QTest::keyClick(maximum, Qt::Key_0);
    QCOMPARE(w.form()->focusWidget(), w.box("txtPayment"));
    QVERIFY(!w.calculate()->isEnabled());
    QVERIFY(!w.entry("mnuCalculate")->isEnabled());
}

// The button changes first and the menu entry follows at once, on every run.
void Form1CalculateTest::buttonAndMenuEnabledTogether()
{
    MainWindow w;
    QPushButton* button = w.calculate();
    QAction* entry = w.entry("mnuCalculate");
    int changes = 0;
    connect(entry, &QAction::enabledChanged, button, [&](bool enabled) {
        ++changes;
        QCOMPARE(button->isEnabled(), enabled);
    });

    const auto typeAndCompare = [&](const char* box, const QString& text) {
        for (const QChar c : text) {
            QTest::keyClicks(w.box(box), QString(c));
            QCOMPARE(entry->isEnabled(), button->isEnabled());
        }
    };
    typeAndCompare("txtPayment", QStringLiteral("699"));
    typeAndCompare("txtInterestRate", QStringLiteral("7.5"));
    typeAndCompare("txtBalance", QStringLiteral("1E3x"));
    QVERIFY(button->isEnabled());
    w.click("optToZero");
    w.click("chkMaxMonthly");
    QVERIFY(!button->isEnabled());
    typeAndCompare("txtMaximum", QStringLiteral("150"));
    QVERIFY(button->isEnabled());
    w.click("optMonthly");
    QCOMPARE(entry->isEnabled(), button->isEnabled());
    QVERIFY(changes >= 3);
}

// ---------------------------------------------------------------- calculate

void Form1CalculateTest::results_data()
{
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("monthly");
    QTest::addColumn<QString>("payoff");
    QTest::addColumn<QString>("saved");

    QTest::newRow("mortgage") << "100000"
                              << "7.5"
                              << "699"
                              << "$777.83"
                              << "14 yrs and 11 mths"
                              << "$76,873.92";
    QTest::newRow("grouped balance") << "100,000"
                                     << "7.5"
                                     << "699"
                                     << "$777.83"
                                     << "14 yrs and 11 mths"
                                     << "$76,873.92";
    QTest::newRow("large loan") << "250000"
                                << "6"
                                << "1500"
                                << "$1,758.75"
                                << "14 yrs and 11 mths"
                                << "$145,313.99";
    QTest::newRow("card") << "20000"
                          << "18.9"
                          << "400"
                          << "$492.64"
                          << "4 yrs and 1 mth"
                          << "$9,953.16";
    QTest::newRow("small") << "1000"
                           << "12"
                           << "100"
                           << "$191.90"
                           << "6 mths"
                           << "$27.01";
    QTest::newRow("one month") << "500"
                               << "10"
                               << "699"
                               << "$504.17"
                               << "1 mth"
                               << "$.00";
    QTest::newRow("no interest") << "1000"
                                 << "0"
                                 << "100"
                                 << "$200.00"
                                 << "5 mths"
                                 << "$.00";
}

void Form1CalculateTest::results()
{
    QFETCH(QString, balance);
    QFETCH(QString, rate);
    QFETCH(QString, payment);
    QFETCH(QString, monthly);
    QFETCH(QString, payoff);
    QFETCH(QString, saved);

    MainWindow w;
    w.runMonthly(balance, rate, payment);
    QCOMPARE(w.label("lblMonthly")->text(), monthly);
    QCOMPARE(w.label("lblPayoff")->text(), payoff);
    QCOMPARE(w.label("lblAmountSaved")->text(), saved);
}

void Form1CalculateTest::calculateErrors_data()
{
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("payment");

    QTest::newRow("balance 12abc") << "12abc"
                                   << "7.5"
                                   << "699";
    QTest::newRow("payment below the interest") << "100000"
                                                << "12"
                                                << "900";
    QTest::newRow("payment equal to the interest") << "100000"
                                                   << "12"
                                                   << "1000";
    QTest::newRow("rate abc") << "100000"
                              << "abc"
                              << "699";
}

// Any failure shows one message and empties only the first result.
void Form1CalculateTest::calculateErrors()
{
    QFETCH(QString, balance);
    QFETCH(QString, rate);
    QFETCH(QString, payment);

    MainWindow w;
    w.runMonthly(QStringLiteral("1000"), QStringLiteral("12"), QStringLiteral("100"));
    QCOMPARE(w.label("lblMonthly")->text(), QStringLiteral("$191.90"));

    w.type("txtBalance", balance);
    w.type("txtInterestRate", rate);
    w.type("txtPayment", payment);
    QVERIFY(w.calculate()->isEnabled());
    QTest::mouseClick(w.calculate(), Qt::LeftButton);

    QCOMPARE(cases_.messages().messages().size(), std::size_t{1});
    QCOMPARE(cases_.messages().messages().front().text, std::string(kInvalidVariableText));
    QCOMPARE(cases_.messages().messages().front().title, std::string(kInvalidVariableTitle));
    cases_.messages().clear();
    QVERIFY(w.label("lblMonthly")->text().isEmpty());
    QCOMPARE(w.label("lblPayoff")->text(), QStringLiteral("6 mths"));
    QCOMPARE(w.label("lblAmountSaved")->text(), QStringLiteral("$27.01"));
    QVERIFY(w.calculate()->isEnabled()); // the window stays usable
}

void Form1CalculateTest::menuCalculateDoesWhatButtonDoes()
{
    MainWindow w;
    QAction* entry = w.entry("mnuCalculate");
    entry->trigger(); // disabled: nothing happens
    QVERIFY(w.label("lblPayoff")->text().isEmpty());

    w.type("txtBalance", QStringLiteral("20000"));
    w.type("txtInterestRate", QStringLiteral("18.9"));
    w.type("txtPayment", QStringLiteral("400"));
    entry->trigger();
    QCOMPARE(w.label("lblMonthly")->text(), QStringLiteral("$492.64"));
    QCOMPARE(w.label("lblPayoff")->text(), QStringLiteral("4 yrs and 1 mth"));
    QCOMPARE(w.label("lblAmountSaved")->text(), QStringLiteral("$9,953.16"));

    w.type("txtBalance", QStringLiteral("12abc"));
    entry->trigger();
    QCOMPARE(cases_.messages().messages().size(), std::size_t{1});
    QCOMPARE(cases_.messages().messages().front().text, std::string(kInvalidVariableText));
    cases_.messages().clear();
    QVERIFY(w.label("lblMonthly")->text().isEmpty());
    QCOMPARE(w.label("lblPayoff")->text(), QStringLiteral("4 yrs and 1 mth"));
}

void Form1CalculateTest::enterDoesNotCalculate()
{
    MainWindow w;
    w.type("txtBalance", QStringLiteral("100000"));
    w.type("txtInterestRate", QStringLiteral("7.5"));
    w.type("txtPayment", QStringLiteral("699"));
    QVERIFY(w.calculate()->isEnabled());
    QTest::keyClick(w.box("txtPayment"), Qt::Key_Return);
    QTest::keyClick(w.box("txtPayment"), Qt::Key_Enter);
    QVERIFY(w.label("lblPayoff")->text().isEmpty());
    // The same inputs do calculate from the button.
    QTest::mouseClick(w.calculate(), Qt::LeftButton);
    QCOMPARE(w.label("lblPayoff")->text(), QStringLiteral("14 yrs and 11 mths"));
}

void Form1CalculateTest::tillZeroOpensPaymentPlan()
{
    MainWindow w;
    w.runMonthly(QStringLiteral("1000"), QStringLiteral("12"), QStringLiteral("100"));
    w.click("optToZero");
    w.click("chkDisableVesk");
    QTest::keyClicks(w.box("txtMaximum"), QStringLiteral("250"));
    QVERIFY(w.calculate()->isEnabled());

    QString opened;
    QTimer::singleShot(200, this, [&opened] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    QTest::mouseClick(w.calculate(), Qt::LeftButton);

    QCOMPARE(opened, QStringLiteral("Form5"));
    QCOMPARE(CalcState.VeskRate, 0.12);
    QCOMPARE(CalcState.FixedMonthly.raw(), Currency::fromUnits(250).raw());
    QCOMPARE(CalcState.MaxMonthly.raw(), std::int64_t{0});
    // The results of the last monthly run stay as they were.
    QCOMPARE(w.label("lblMonthly")->text(), QStringLiteral("$191.90"));
    QCOMPARE(w.label("lblPayoff")->text(), QStringLiteral("6 mths"));
    QCOMPARE(w.label("lblAmountSaved")->text(), QStringLiteral("$27.01"));
}

QTEST_MAIN(Form1CalculateTest)
#include "Form1CalculateTest.moc"
