// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout, menu, keyboard and screen-reader texts, and its size.
#include "Form1.h"

#include "Form5.h"
#include "LoanInputs.h"
#include "MainWindowDriver.h"
#include "TwipsLayout.h"
#include "UiTestSupport.h"
#include "modCommonChecks.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <cmath>
#include <memory>

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlLayout_data();
    void controlLayout();
    void captionsFit();
    void initialState();
    void menu();
    void tabOrder();
    void accessibleTexts_data();
    void accessibleTexts();
    void screenReaderHearsReasonsAndResults();
    void calculatorIcon();

    void followsAFontChange();
    void resizeSnapsBack();
    void maximizeAndMinimize();
    void exitAndCloseBoxUnload();

private:
    MainWindowCases cases_;
};

void Form1Test::initTestCase()
{
    MainWindowCases::initTestCase();
}

void Form1Test::init()
{
    cases_.init();
}

void Form1Test::cleanup()
{
    QVERIFY2(cases_.cleanup(), "a message box was shown");
}

// ---------------------------------------------------------------- layout

void Form1Test::controlLayout_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("enabled");

    const QString window;
    const auto row = [](const char* name, const char* cls, const char* caption,
                        const QString& container, QRect twips, bool enabled) {
        QTest::newRow(name) << QString::fromLatin1(cls) << QString::fromLatin1(caption) << container
                            << twips << enabled;
    };
    row("Label3", "QLabel", "Outstanding Balance", window, {600, 240, 1575, 255}, true);
    row("txtBalance", "QLineEdit", "", window, {2400, 240, 1335, 285}, true);
    row("Label1", "QLabel", "Interest Rate (APR)", window, {600, 600, 1455, 255}, true);
    row("txtInterestRate", "QLineEdit", "", window, {2400, 600, 1335, 285}, true);
    row("Label2", "QLabel", "Scheduled Payment", window, {600, 960, 1575, 255}, true);
    row("txtPayment", "QLineEdit", "", window, {2400, 960, 1335, 285}, true);
    row("Label4", "QLabel", "Vesk's Mnthly Pymnt", window, {600, 1560, 1455, 255}, true);
    row("lblMonthly", "QLabel", "", window, {2400, 1560, 1335, 255}, true);
    row("Label5", "QLabel", "Payoff Period", window, {600, 1920, 1455, 255}, true);
    row("lblPayoff", "QLabel", "", window, {2400, 1920, 1335, 255}, true);
    row("Label6", "QLabel", "Total Amount Saved (if follow payment plan)", window,
        {480, 2280, 1935, 495}, true);
    row("lblAmountSaved", "QLabel", "", window, {2400, 2280, 1335, 255}, true);
    row("optMonthly", "QRadioButton", "Monthly Payment", window, {4560, 120, 1575, 375}, true);
    row("optToZero", "QRadioButton", "Payments Till Zero", window, {4560, 480, 1815, 255}, true);
    row("cmdCalculate", "QPushButton", "Calculate", window, {4800, 960, 1215, 375}, false);
    row("Frame1", "QGroupBox", "Payments Till Zero Options", window, {3960, 1440, 2415, 1455},
        true);
    const QString frame = QStringLiteral("Frame1");
    row("chkMaxMonthly", "QCheckBox", "Set Maximum Monthly Payment", frame, {240, 240, 2055, 375},
        false);
    row("txtMaximum", "QLineEdit", "", frame, {600, 720, 1335, 285}, false);
    row("chkDisableVesk", "QCheckBox", "Disable Vesk Method", frame, {240, 1080, 1935, 255}, false);
}

void Form1Test::controlLayout()
{
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(bool, enabled);

    MainWindow w;
    auto* control = w.form()->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control != nullptr);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    const char* captionProperty = control->inherits("QGroupBox") ? "title" : "text";
    QCOMPARE(control->property(captionProperty).toString(), caption);
    const QWidget* expectedParent =
        container.isEmpty() ? w.form()->centralWidget() : w.find<QWidget>(container);
    QCOMPARE(control->parentWidget(), expectedParent);
    QCOMPARE(DesignedTwips(control), twips);
    // At the designed place in the window's font; larger only where its text
    // needs more room in this font.
    const QRect designed = TwipsMapping::of(control).rect(twips);
    QVERIFY(control->geometry().contains(designed));
    if (control->width() > designed.width()) {
        QVERIFY(control->sizeHint().width() > designed.width());
    }
    if (control->height() > designed.height()) {
        const int needed = control->hasHeightForWidth() ? control->heightForWidth(designed.width())
                                                        : control->sizeHint().height();
        QVERIFY(needed > designed.height());
    }
    QCOMPARE(control->isEnabled(), enabled);
    QVERIFY(control->isVisible());
}

// Each caption, and the widest results of the table below, must fit the box
// the design gives it in the desktop's font.
void Form1Test::captionsFit()
{
    MainWindow w;
    w.runMonthly(QStringLiteral("250000"), QStringLiteral("6"), QStringLiteral("1500"));
    QCOMPARE(w.label("lblAmountSaved")->text(), QStringLiteral("$145,313.99"));

    int checked = 0;
    for (QWidget* control : w.form()->centralWidget()->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        const bool labelOrButton = qobject_cast<QLabel*>(control) != nullptr ||
                                   qobject_cast<QAbstractButton*>(control) != nullptr;
        if (labelOrButton && control->hasHeightForWidth()) { // a caption that wraps
            QVERIFY2(control->heightForWidth(control->width()) <= control->height(),
                     qPrintable(name));
        } else if (labelOrButton) {
            QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
            QVERIFY2(control->sizeHint().height() <= control->height(), qPrintable(name));
        } else if (qobject_cast<QGroupBox*>(control) != nullptr) {
            QVERIFY2(control->minimumSizeHint().width() <= control->width(), qPrintable(name));
        } else {
            continue; // text boxes hold what the user types
        }
        ++checked;
    }
    QCOMPARE(checked, 15); // nine labels, five buttons, the frame
    VerifyLabelsReadable(w.form());
}

// The desktop's font grows by a quarter with both windows open: each lays itself
// out again in the new mapping and takes its designed size in it; values
// and captions fit in the new font.
void Form1Test::followsAFontChange()
{
    MainWindow w;
    w.runMonthly(QStringLiteral("100000"), QStringLiteral("7.5"), QStringLiteral("699"));
    LoadCalcState(TillZero("100000", "7.5", "699"));
    const std::unique_ptr<Form5> plan = Form5::createLoaded(w.form());
    plan->show();
    QVERIFY(QTest::qWaitForWindowExposed(plan.get()));

    auto* grid = plan->findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
    const int rowHeight = grid->verticalHeader()->sectionSize(1);

    const QFont before = QApplication::font();
    QFont larger = before;
    larger.setPointSizeF(before.pointSizeF() * 1.25); // both still fit the screen
    ChangeApplicationFont(larger);
    const auto restore = qScopeGuard([&] { ChangeApplicationFont(before); });

    QTRY_COMPARE(w.form()->size(),
                 DesignedClientSize(w.form(), Form1::kDesignedHeight, Form1::kDesignedWidth));
    QTRY_COMPARE(plan->size(),
                 DesignedClientSize(plan.get(), Form5::kDesignedHeight, Form5::kDesignedWidth));
    QCOMPARE(w.box("txtBalance")->geometry(),
             TwipsMapping(larger).rect(2400, 240, 1335, 285)); // the new mapping
    VerifyPlacedInItsFont(w.form());
    VerifyPlacedInItsFont(plan.get());
    QCOMPARE(w.label("lblMonthly")->font().pointSizeF(), larger.pointSizeF());

    // The grid's rows follow too.
    QVERIFY(grid->verticalHeader()->sectionSize(1) > rowHeight);
    QVERIFY(grid->verticalHeader()->sectionSize(1) >= TwipsMapping::of(plan.get()).y(240));
    QVERIFY(grid->verticalHeader()->sectionSize(1) > grid->fontMetrics().height());
}

void Form1Test::initialState()
{
    MainWindow w;
    QCOMPARE(w.form()->windowTitle(), QStringLiteral(" Vesk Payment Formula 1.0"));
    QVERIFY(w.option("optMonthly")->isChecked());
    QVERIFY(!w.option("optToZero")->isChecked());
    for (const char* name : {"chkMaxMonthly", "chkDisableVesk"}) {
        QCOMPARE(w.check(name)->checkState(), Qt::Unchecked);
        QVERIFY(!w.check(name)->isEnabled());
    }
    for (const char* name : {"txtBalance", "txtInterestRate", "txtPayment", "txtMaximum"}) {
        QVERIFY(w.box(name)->text().isEmpty());
    }
    for (const char* name : {"lblMonthly", "lblPayoff", "lblAmountSaved"}) {
        QVERIFY(w.label(name)->text().isEmpty());
    }
    const QLineEdit* maximum = w.box("txtMaximum");
    QCOMPARE(maximum->palette().color(QPalette::Disabled, QPalette::Base),
             QApplication::palette(maximum).color(QPalette::Button));
    QVERIFY(!w.calculate()->isEnabled());
    QVERIFY(!w.entry("mnuCalculate")->isEnabled());
    QVERIFY(!w.calculate()->isDefault());
}

void Form1Test::menu()
{
    MainWindow w;
    const QList<QAction*> bar = w.form()->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar.first()->objectName(), QStringLiteral("mnuOptions"));
    // The caption reads "Options"; O opens it with Alt.
    QCOMPARE(bar.first()->text(), QStringLiteral("&Options"));
    QVERIFY(bar.first()->isEnabled());

    QMenu* options = w.find<QMenu>(QStringLiteral("mnuOptions"));
    QStringList names;
    QStringList captions;
    for (const QAction* entry : options->actions()) {
        names << entry->objectName();
        captions << entry->text();
        QVERIFY(entry->shortcut().isEmpty());
        QVERIFY(!entry->text().contains(QLatin1Char('&')));
        QCOMPARE(entry->isEnabled(), entry->objectName() != QLatin1String("mnuCalculate"));
    }
    QCOMPARE(names, QStringList({"mnuAbout", "mnuForm", "mnuCalculate", "mnuExit"}));
    QCOMPARE(captions, QStringList({"About Formula", "About Form", "Calculate", "Exit"}));

    // F10 opens the menu from the keyboard, at its first entry.
    w.form()->activateWindow();
    QTest::keyClick(w.box("txtBalance"), Qt::Key_F10);
    QTRY_VERIFY(options->isVisible());
    QCOMPARE(options->activeAction(), options->actions().constFirst());
    QTest::keyClick(options, Qt::Key_Escape);
}

namespace {
// The window's controls in focus-chain order, from txtBalance on; with
// tabStopsOnly, those the Tab key stops at right now.
QStringList focusChain(const MainWindow& w, bool tabStopsOnly)
{
    static const QStringList controls{"txtBalance",    "txtInterestRate", "txtPayment",
                                      "cmdCalculate",  "optMonthly",      "optToZero",
                                      "chkMaxMonthly", "txtMaximum",      "chkDisableVesk"};
    QStringList order;
    QWidget* const first = w.box("txtBalance");
    QWidget* current = first;
    do {
        const bool tabStop = (current->focusPolicy() & Qt::TabFocus) && current->isEnabled();
        if (controls.contains(current->objectName()) && (tabStop || !tabStopsOnly)) {
            order << current->objectName();
        }
        current = current->nextInFocusChain();
    } while (current != first);
    return order;
}
} // namespace

void Form1Test::tabOrder()
{
    MainWindow w;
    QCOMPARE(focusChain(w, false), QStringList({"txtBalance", "txtInterestRate", "txtPayment",
                                                "cmdCalculate", "optMonthly", "optToZero",
                                                "chkMaxMonthly", "txtMaximum", "chkDisableVesk"}));
    QCOMPARE(focusChain(w, true),
             QStringList({"txtBalance", "txtInterestRate", "txtPayment", "optMonthly"}));

    // The option group is one stop, at the selected option.
    w.type("txtBalance", QStringLiteral("100000"));
    w.type("txtInterestRate", QStringLiteral("7.5"));
    w.type("txtPayment", QStringLiteral("699"));
    w.click("optToZero");
    w.click("chkDisableVesk");
    QTest::keyClicks(w.box("txtMaximum"), QStringLiteral("500"));
    QCOMPARE(focusChain(w, true),
             QStringList({"txtBalance", "txtInterestRate", "txtPayment", "cmdCalculate",
                          "optToZero", "chkMaxMonthly", "txtMaximum", "chkDisableVesk"}));

    // Selected without the focus, as a screen reader selects it: Tab still
    // enters the group at the selected option.
    w.option("optMonthly")->click();
    w.option("optToZero")->click();
    QVERIFY(w.option("optToZero")->isChecked());
    QCOMPARE(focusChain(w, true),
             QStringList({"txtBalance", "txtInterestRate", "txtPayment", "cmdCalculate",
                          "optToZero", "chkMaxMonthly", "chkDisableVesk"}));
    w.box("txtPayment")->setFocus();
    QTest::keyClick(w.form(), Qt::Key_Tab); // to Calculate
    QTest::keyClick(w.form(), Qt::Key_Tab);
    QCOMPARE(w.form()->focusWidget(), w.option("optToZero"));
}

void Form1Test::accessibleTexts_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("text");
    const int name = QAccessible::Name;
    const int description = QAccessible::Description;
    QTest::newRow("txtBalance") << name << "Outstanding Balance";
    QTest::newRow("txtInterestRate") << name << "Interest Rate (APR)";
    QTest::newRow("txtPayment") << name << "Scheduled Payment";
    QTest::newRow("txtMaximum") << name << "Maximum or Fixed Monthly Payment";
    QTest::newRow("chkMaxMonthly") << name << "Set Maximum Monthly Payment";
    QTest::newRow("chkDisableVesk") << name << "Disable Vesk Method";
    QTest::newRow("lblMonthly") << description << "Vesk's Mnthly Pymnt";
    QTest::newRow("lblPayoff") << description << "Payoff Period";
    QTest::newRow("lblAmountSaved") << description << "Total Amount Saved (if follow payment plan)";
}

void Form1Test::accessibleTexts()
{
    QFETCH(int, role);
    QFETCH(QString, text);
    MainWindow w;
    QWidget* control = w.find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(static_cast<QAccessible::Text>(role)), text);
}

// A disabled button takes no focus: the reason Calculate is off is heard in
// the field at fault, and moves as the user fills the fields. The results
// are announced where the user is, the focus staying on Calculate.
void Form1Test::screenReaderHearsReasonsAndResults()
{
    MainWindow w;
    const auto described = [&w] {
        QStringList found;
        for (const char* box : {"txtBalance", "txtInterestRate", "txtPayment", "txtMaximum"}) {
            const QString description = w.box(box)->accessibleDescription();
            if (!description.isEmpty()) {
                found << QStringLiteral("%1: %2").arg(QLatin1String(box), description);
            }
        }
        return found;
    };
    QCOMPARE(described(),
             QStringList({"txtBalance: Calculate is unavailable: Balance must not be blank"}));
    w.type("txtBalance", QStringLiteral("100000"));
    w.type("txtInterestRate", QStringLiteral("7.5"));
    w.type("txtPayment", QStringLiteral("0"));
    QCOMPARE(described(), QStringList({"txtPayment: Calculate is unavailable: Payment must be "
                                       "greater than 0"}));
    w.type("txtPayment", QStringLiteral("699"));
    QCOMPARE(described(), QStringList());

    QTest::mouseClick(w.calculate(), Qt::LeftButton);
    auto* notice = w.find<QWidget>(QStringLiteral("spokenNotice"));
    QVERIFY(notice->isVisible());
    QCOMPARE(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
    QCOMPARE(notice->accessibleName(),
             QStringLiteral("Vesk's Mnthly Pymnt $777.83, Payoff Period 14 yrs and 11 mths, "
                            "Total Amount Saved (if follow payment plan) $76,873.92"));
    QCOMPARE(QApplication::focusWidget(), w.calculate());
}

void Form1Test::calculatorIcon()
{
    MainWindow w;
    const QIcon icon = w.form()->windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
}

// ---------------------------------------------------------------- window

namespace {
QSize designedSize(const Form1* form)
{
    return DesignedClientSize(form, Form1::kDesignedHeight, Form1::kDesignedWidth);
}
} // namespace

void Form1Test::resizeSnapsBack()
{
    MainWindow w;
    // Below the menu bar the client area is the designed 6555 x 3000 twips:
    // 6555 / 90 of the font's average characters across, 3000 / 195 of its
    // lines down.
    const QFontMetricsF metrics(w.form()->font());
    const double character = metrics.horizontalAdvance(QStringLiteral(
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                             52;
    const QSize client = w.form()->centralWidget()->size();
    QVERIFY2(std::abs(client.width() - 6555 / 90.0 * character) <= 1,
             qPrintable(QString::number(client.width())));
    QVERIFY2(std::abs(client.height() - 3000 / 195.0 * metrics.height()) <= 1,
             qPrintable(QString::number(client.height())));
    const int menuBar = w.form()->menuBar()->height();
    QCOMPARE(w.form()->size(), client + QSize(0, menuBar));

    for (const QSize attempt : {QSize(800, 600), QSize(200, 100), QSize(546, 400)}) {
        w.form()->resize(attempt);
        QCOMPARE(w.form()->size(), designedSize(w.form()));
    }
    // The frame still fits inside the client area below the menu bar.
    const QWidget* frame = w.find<QWidget>(QStringLiteral("Frame1"));
    QVERIFY(w.form()->centralWidget()->rect().contains(frame->geometry()));
}

void Form1Test::maximizeAndMinimize()
{
    MainWindow w;
    w.form()->showMaximized();
    QTRY_VERIFY(!w.form()->isMaximized());
    QCOMPARE(w.form()->size(), designedSize(w.form()));

    w.form()->showMinimized();
    QTest::qWait(20);
    w.form()->showNormal();
    QTRY_COMPARE(w.form()->size(), designedSize(w.form()));
}

void Form1Test::exitAndCloseBoxUnload()
{
    MainWindow byMenu;
    byMenu.entry("mnuExit")->trigger();
    QTRY_VERIFY(byMenu.isGone());

    MainWindow byCloseBox;
    byCloseBox.form()->close();
    QTRY_VERIFY(byCloseBox.isGone());
}

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
