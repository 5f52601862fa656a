// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "CalcCommand.h"
#include "Calculator.h"
#include "UiTestSupport.h"
#include "modCommonChecks.h"
#include "modDeclarations.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

namespace {

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

// The option state of the window, as the interlocks leave it.
struct OptionState {
    bool tillZero;
    bool maxChecked;
    bool disableChecked;
    friend bool operator==(const OptionState&, const OptionState&) = default;
};

} // namespace

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
    void calculatorIcon();

    void optionTransitions_data();
    void optionTransitions();
    void changesFromCodeRunTheHandlers();
    void maximumBackgroundFollowsDesktopPalette();

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

    void resizeSnapsBack();
    void maximizeAndMinimize();
    void exitAndCloseBoxUnload();

private:
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::unique_ptr<MsgBoxRecorder> messages_;
};

void Form1Test::initTestCase()
{
    // Windows come and go here; the test program must outlive each of them.
    QApplication::setQuitOnLastWindowClosed(false);
    UseTestFont();
}

void Form1Test::init()
{
    watchdog_ = std::make_unique<ModalWatchdog>();
    messages_ = std::make_unique<MsgBoxRecorder>();
}

void Form1Test::cleanup()
{
    // A test that expects a message takes it out of the recorder.
    const bool unexpectedMessage = !messages_->messages().empty();
    messages_.reset();
    watchdog_.reset();
    QVERIFY2(!unexpectedMessage, "a message box was shown");
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
    QCOMPARE(bar.first()->text(), QStringLiteral("Options"));
    QVERIFY(bar.first()->isEnabled());

    const QMenu* options = w.find<QMenu>(QStringLiteral("mnuOptions"));
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

void Form1Test::calculatorIcon()
{
    MainWindow w;
    const QIcon icon = w.form()->windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
}

// ---------------------------------------------------------------- interlocks

void Form1Test::optionTransitions_data()
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

void Form1Test::optionTransitions()
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
void Form1Test::changesFromCodeRunTheHandlers()
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

void Form1Test::maximumBackgroundFollowsDesktopPalette()
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

// The window and vesk-calc refuse the same inputs for the same reason: the
// disabled button's tooltip and accessible description, and the command's
// one line. The rule's own cases are tested with the calculator.
void Form1Test::refusalReasons_data()
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
    add("fixed empty", "fixed", "1000", "7.5", "699", "", "Fixed payment must be at least 15");
}

void Form1Test::refusalReasons()
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

void Form1Test::zeroPaymentWithMaximumMovesFocus()
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
void Form1Test::buttonAndMenuEnabledTogether()
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

void Form1Test::results_data()
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

void Form1Test::results()
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

void Form1Test::calculateErrors_data()
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
void Form1Test::calculateErrors()
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

    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QCOMPARE(messages_->messages().front().text, std::string(kInvalidVariableText));
    QCOMPARE(messages_->messages().front().title, std::string(kInvalidVariableTitle));
    messages_->clear();
    QVERIFY(w.label("lblMonthly")->text().isEmpty());
    QCOMPARE(w.label("lblPayoff")->text(), QStringLiteral("6 mths"));
    QCOMPARE(w.label("lblAmountSaved")->text(), QStringLiteral("$27.01"));
    QVERIFY(w.calculate()->isEnabled()); // the window stays usable
}

void Form1Test::menuCalculateDoesWhatButtonDoes()
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
    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QCOMPARE(messages_->messages().front().text, std::string(kInvalidVariableText));
    messages_->clear();
    QVERIFY(w.label("lblMonthly")->text().isEmpty());
    QCOMPARE(w.label("lblPayoff")->text(), QStringLiteral("4 yrs and 1 mth"));
}

void Form1Test::enterDoesNotCalculate()
{
    MainWindow w;
    w.type("txtBalance", QStringLiteral("100000"));
    w.type("txtInterestRate", QStringLiteral("7.5"));
    w.type("txtPayment", QStringLiteral("699"));
    QTest::keyClick(w.box("txtPayment"), Qt::Key_Return);
    QTest::keyClick(w.box("txtPayment"), Qt::Key_Enter);
    QVERIFY(w.label("lblPayoff")->text().isEmpty());
}

void Form1Test::tillZeroOpensPaymentPlan()
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
    QCOMPARE(w.form()->size(), designedSize(w.form()));
    // Below the menu bar the client area is the designed 6555 x 3000 twips.
    QCOMPARE(w.form()->centralWidget()->size(), TwipsMapping::of(w.form()).size(6555, 3000));

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
