// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's option interlocks: the output options, the two check
// boxes and the Maximum box, clicked and set from code.
#include "Form1.h"
#include "MainWindowDriver.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QTest>

namespace {

// The option state of the window, as the interlocks leave it.
struct OptionState {
    bool tillZero;
    bool maxChecked;
    bool disableChecked;
    friend bool operator==(const OptionState&, const OptionState&) = default;
};

} // namespace

class Form1OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void optionTransitions_data();
    void optionTransitions();
    void changesFromCodeRunTheHandlers();
    void maximumBackgroundFollowsDesktopPalette();

private:
    MainWindowCases cases_;
};

void Form1OptionsTest::initTestCase()
{
    MainWindowCases::initTestCase();
}

void Form1OptionsTest::init()
{
    cases_.init();
}

void Form1OptionsTest::cleanup()
{
    QVERIFY2(cases_.cleanup(), "a message box was shown");
}

void Form1OptionsTest::optionTransitions_data()
{
    QTest::addColumn<QStringList>("path"); // clicks that reach the "from" state
    QTest::addColumn<QString>("event");    // the click under test
    QTest::addColumn<bool>("tillZero");
    QTest::addColumn<bool>("maxChecked");
    QTest::addColumn<bool>("disableChecked");

    const QStringList start;
    const QStringList tillZero{"optToZero"};
    const QStringList withMax{"optToZero", "chkMaxMonthly"};
    const QStringList withFixed{"optToZero", "chkDisableVesk"};
    QTest::newRow("monthly -> till zero") << start << "optToZero" << true << false << false;
    QTest::newRow("till zero -> monthly") << tillZero << "optMonthly" << false << false << false;
    QTest::newRow("with maximum -> monthly") << withMax << "optMonthly" << false << false << false;
    QTest::newRow("fixed -> monthly") << withFixed << "optMonthly" << false << false << false;
    QTest::newRow("till zero -> with maximum")
        << tillZero << "chkMaxMonthly" << true << true << false;
    QTest::newRow("till zero -> fixed") << tillZero << "chkDisableVesk" << true << false << true;
    QTest::newRow("with maximum -> till zero")
        << withMax << "chkMaxMonthly" << true << false << false;
    QTest::newRow("fixed -> till zero") << withFixed << "chkDisableVesk" << true << false << false;
    QTest::newRow("with maximum -> fixed") << withMax << "chkDisableVesk" << true << false << true;
    QTest::newRow("fixed -> with maximum") << withFixed << "chkMaxMonthly" << true << true << false;
    QTest::newRow("monthly: disabled box ignores a click")
        << start << "chkMaxMonthly" << false << false << false;
}

void Form1OptionsTest::optionTransitions()
{
    QFETCH(QStringList, path);
    QFETCH(QString, event);
    QFETCH(bool, tillZero);
    QFETCH(bool, maxChecked);
    QFETCH(bool, disableChecked);

    MainWindow w;
    for (const QString& step : path) {
        w.click(qPrintable(step));
    }
    QLineEdit* maximum = w.box("txtMaximum");
    if (maximum->isEnabled()) {
        QTest::keyClicks(maximum, QStringLiteral("500"));
    }
    w.type("txtBalance", QStringLiteral("100000"));
    w.type("txtInterestRate", QStringLiteral("7.5"));
    w.type("txtPayment", QStringLiteral("699"));

    w.click(qPrintable(event));

    const OptionState state{w.option("optToZero")->isChecked(),
                            w.check("chkMaxMonthly")->isChecked(),
                            w.check("chkDisableVesk")->isChecked()};
    QCOMPARE(state, (OptionState{tillZero, maxChecked, disableChecked}));
    QCOMPARE(w.option("optMonthly")->isChecked(), !tillZero);
    QCOMPARE(w.check("chkMaxMonthly")->isEnabled(), tillZero);
    QCOMPARE(w.check("chkDisableVesk")->isEnabled(), tillZero);

    const bool maximumEnabled = maxChecked || disableChecked;
    QCOMPARE(maximum->isEnabled(), maximumEnabled);
    QVERIFY(maximum->text().isEmpty());
    const QPalette desktop = QApplication::palette(maximum);
    QVERIFY(desktop.color(QPalette::Base) != desktop.color(QPalette::Button));
    const QColor expected = desktop.color(maximumEnabled ? QPalette::Base : QPalette::Button);
    QCOMPARE(maximum->palette().color(QPalette::Active, QPalette::Base), expected);
    QCOMPARE(maximum->palette().color(QPalette::Disabled, QPalette::Base), expected);

    // An emptied maximum leaves Calculate enabled only where no maximum is needed.
    QCOMPARE(w.calculate()->isEnabled(), !maximumEnabled);
    QCOMPARE(w.entry("mnuCalculate")->isEnabled(), !maximumEnabled);
}

// Setting values from code raises the same handlers, nested ones included.
void Form1OptionsTest::changesFromCodeRunTheHandlers()
{
    MainWindow w;
    QCheckBox* max = w.check("chkMaxMonthly");
    QCheckBox* fixed = w.check("chkDisableVesk");
    QLineEdit* maximum = w.box("txtMaximum");

    w.option("optToZero")->setChecked(true);
    QVERIFY(max->isEnabled() && fixed->isEnabled());

    max->setChecked(true);
    QVERIFY(maximum->isEnabled());
    maximum->setText(QStringLiteral("500"));

    fixed->setChecked(true); // clears chkMaxMonthly, whose own handler runs nested
    QVERIFY(!max->isChecked());
    QVERIFY(fixed->isChecked());
    QVERIFY(maximum->isEnabled());
    QVERIFY(maximum->text().isEmpty());

    w.box("txtBalance")->setText(QStringLiteral("1000"));
    w.box("txtInterestRate")->setText(QStringLiteral("0"));
    w.box("txtPayment")->setText(QStringLiteral("0"));
    maximum->setText(QStringLiteral("500"));
    QVERIFY(w.calculate()->isEnabled());

    w.option("optMonthly")->setChecked(true);
    QVERIFY(!max->isChecked() && !fixed->isChecked());
    QVERIFY(!max->isEnabled() && !fixed->isEnabled());
    QVERIFY(!maximum->isEnabled());
    QVERIFY(maximum->text().isEmpty());
    QVERIFY(!w.calculate()->isEnabled()); // payment 0 in monthly mode
}

void Form1OptionsTest::maximumBackgroundFollowsDesktopPalette()
{
    MainWindow w;
    const QPalette original = QApplication::palette();
    QPalette theme = original;
    theme.setColor(QPalette::Base, QColor(0x10, 0x20, 0x30));
    theme.setColor(QPalette::Button, QColor(0x40, 0x50, 0x60));
    theme.setColor(QPalette::Text, QColor(0x70, 0x80, 0x90));
    QApplication::setPalette(theme);
    const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });

    // The window learns of the new theme through its event queue.
    QLineEdit* maximum = w.box("txtMaximum");
    QTRY_COMPARE(maximum->palette().color(QPalette::Disabled, QPalette::Base),
                 QColor(0x40, 0x50, 0x60));
    w.click("optToZero");
    w.click("chkDisableVesk");
    QCOMPARE(maximum->palette().color(QPalette::Active, QPalette::Base), QColor(0x10, 0x20, 0x30));
    QCOMPARE(maximum->palette().color(QPalette::Active, QPalette::Text), QColor(0x70, 0x80, 0x90));

    QApplication::setPalette(original);
    QTRY_COMPARE(maximum->palette().color(QPalette::Active, QPalette::Base),
                 original.color(QPalette::Base));
}

// ---------------------------------------------------------------- validation

QTEST_MAIN(Form1OptionsTest)
#include "Form1OptionsTest.moc"
