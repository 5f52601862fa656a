// SPDX-License-Identifier: GPL-3.0-or-later
// The What If window over the payment plan window: its ways in, a typed
// payment's results, "pay off within" against vesk-calc's solve, and the
// plan it opens against the one typed into the main window.
#include "CalcCommand.h"
#include "Form5.h"
#include "LoanInputs.h"
#include "PlanWindowDriver.h"
#include "UiTestSupport.h"
#include "WhatIf.h"
#include "WhatIfChart.h"
#include "frmWhatIf.h"
#include "modCommonChecks.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>

namespace {

const CalculatorInputs kWorkedExample = TillZero("100000", "7.5", "699");

// The payment vesk-calc's solve finds for the worked example.
double VeskCalcSolve(const char* kind, const char* within)
{
    const CommandResult run =
        RunCalcCommand({"--balance", "100000", "--rate", "7.5", "--payment", "699", "--solve", kind,
                        "--within", within, "--format", "json"});
    const auto json = nlohmann::json::parse(run.out);
    return std::stod(json["value"]["amount"].get<std::string>());
}

void TypePayment(frmWhatIf* window, const QString& text)
{
    auto* payment = Find<QDoubleSpinBox>(window, "txtPayment");
    payment->setFocus();
    payment->selectAll();
    QTest::keyClicks(payment, text);
}

} // namespace

class WhatIfWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensFromButtonMenuAndShortcut();
    void typedPaymentUpdatesTheResults();
    void payOffWithinFillsWhatVeskCalcSolves();
    void openPlanShowsWhatTheMainWindowWould();
    void followsAFontChange();

private:
    // The plan window for the worked example, shown, and its What If window open.
    frmWhatIf* openWhatIf();

    PlanWindowCases cases_;
    std::unique_ptr<Form5> form_;
};

void WhatIfWindowTest::initTestCase()
{
    cases_.initTestCase();
}

void WhatIfWindowTest::init()
{
    cases_.init();
}

void WhatIfWindowTest::cleanup()
{
    form_.reset();
    QVERIFY2(cases_.cleanup(), "a plan window was left open");
}

frmWhatIf* WhatIfWindowTest::openWhatIf()
{
    form_ = OpenPlan(kWorkedExample);
    QTEST_ASSERT(form_ != nullptr);
    form_->show();
    QTest::mouseClick(Find<QPushButton>(form_.get(), "cmdWhatIf"), Qt::LeftButton);
    return form_->findChild<frmWhatIf*>();
}

void WhatIfWindowTest::opensFromButtonMenuAndShortcut()
{
    form_ = OpenPlan(kWorkedExample);
    QVERIFY(form_ != nullptr);
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    auto* button = Find<QPushButton>(form_.get(), "cmdWhatIf");
    auto* entry = Grid(form_.get())->findChild<QAction*>(QStringLiteral("mnuWhatIf"));
    QVERIFY(entry != nullptr && Grid(form_.get())->actions().contains(entry));
    QCOMPARE(button->accessibleName(), QStringLiteral("What If…"));
    QCOMPARE(entry->text(), QStringLiteral("What If…"));
    // The designed bottom row keeps its place: the new button stands between.
    QVERIFY(button->geometry().right() < Find<QPushButton>(form_.get(), "cmdBack")->x());
    QVERIFY(button->x() > Find<QPushButton>(form_.get(), "cmdChart")->geometry().right());
    // Narrower than its neighbours, yet its caption fits in this font.
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin <=
            button->width());

    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"button", [&] { QTest::mouseClick(button, Qt::LeftButton); }},
        {"menu entry", [&] { entry->trigger(); }},
        {"shortcut", [&] { QTest::keyClick(Grid(form_.get()), Qt::Key_I, Qt::ControlModifier); }},
    };
    for (const auto& [way, open] : ways) {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        open();
        QPointer<frmWhatIf> window = form_->findChild<frmWhatIf*>();
        QVERIFY2(window != nullptr && window->isVisible() && window->isModal(), way);
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY2(window.isNull(), way);
    }
}

void WhatIfWindowTest::typedPaymentUpdatesTheResults()
{
    frmWhatIf* window = openWhatIf();
    QVERIFY(window != nullptr);
    auto* payment = Find<QDoubleSpinBox>(window, "txtPayment");
    QCOMPARE(payment->accessibleName(), QStringLiteral("Maximum Monthly Payment"));
    QCOMPARE(Find<QSpinBox>(window, "txtWithinYears")->accessibleName(),
             QStringLiteral("Pay off within years"));
    QCOMPARE(Find<QSpinBox>(window, "txtWithinMonths")->accessibleName(),
             QStringLiteral("Pay off within months"));
    QCOMPARE(Find<QPushButton>(window, "cmdFindPayment")->accessibleName(),
             QStringLiteral("Find Payment"));
    QCOMPARE(window->focusWidget(), payment); // the keyboard starts on the payment

    // The payment plan window's own figures for a cap of 1000.
    TypePayment(window, QStringLiteral("1000"));
    QCOMPARE(Text(window, "lblPayoff"), QStringLiteral("16 yrs and 1 mth"));
    QCOMPARE(Text(window, "lblAmountSaved"), QStringLiteral("$74,536.84"));
    QCOMPARE(Text(window, "lblAverageMonthly"), QStringLiteral("$919.14"));
    QCOMPARE(Text(window, "lblMinPayoff"), QStringLiteral("30 yrs and 1 mth"));
    QCOMPARE(Find<QLabel>(window, "lblAmountSaved")->accessibleDescription(),
             QStringLiteral("Amount Saved On Interest"));
    // Once the payment rests, a screen reader is told the new results.
    const auto* notice = window->findChild<QWidget*>(QStringLiteral("spokenNotice"));
    QVERIFY(notice != nullptr);
    QTRY_COMPARE(
        notice->accessibleName(),
        QStringLiteral("Payoff Period 16 yrs and 1 mth, Amount Saved On Interest $74,536.84"));

    // A fixed payment of 650 takes 43 yrs and 7 mths and costs interest.
    Find<QRadioButton>(window, "optFixed")->click();
    QCOMPARE(payment->accessibleName(), QStringLiteral("Fixed Monthly Payment"));
    TypePayment(window, QStringLiteral("650"));
    QCOMPARE(Text(window, "lblPayoff"), QStringLiteral("43 yrs and 7 mths"));
    QCOMPARE(Text(window, "lblAmountSaved"), QStringLiteral("-$87,969.11"));

    // The chart draws its payments between events, a frame's time at most each.
    QTRY_VERIFY(window->chart()->complete());
    QVERIFY(window->chart()->outcomes().size() > 2);
    VerifyLabelsReadable(window);
    window->close();
}

void WhatIfWindowTest::payOffWithinFillsWhatVeskCalcSolves()
{
    frmWhatIf* window = openWhatIf();
    QVERIFY(window != nullptr);
    auto* payment = Find<QDoubleSpinBox>(window, "txtPayment");
    const auto findWithin = [&](int years, int months) {
        Find<QSpinBox>(window, "txtWithinYears")->setValue(years);
        Find<QSpinBox>(window, "txtWithinMonths")->setValue(months);
        QTest::mouseClick(Find<QPushButton>(window, "cmdFindPayment"), Qt::LeftButton);
    };
    findWithin(20, 0);
    QCOMPARE(payment->value(), VeskCalcSolve("maximum", "20y"));
    QCOMPARE(Text(window, "lblPayoff"), QStringLiteral("20 yrs"));

    // No cap can beat Vesk's Method's own 14 yrs and 11 mths; the payment stays.
    const double before = payment->value();
    findWithin(10, 0);
    QVERIFY(Text(window, "lblFindResult").startsWith(QStringLiteral("No cap pays the loan off")));
    QCOMPARE(payment->value(), before);

    Find<QRadioButton>(window, "optFixed")->click();
    findWithin(10, 0);
    QCOMPARE(payment->value(), VeskCalcSolve("fixed", "10y"));
    QCOMPARE(Text(window, "lblPayoff"), QStringLiteral("10 yrs"));
    window->close();
}

void WhatIfWindowTest::openPlanShowsWhatTheMainWindowWould()
{
    frmWhatIf* window = openWhatIf();
    QVERIFY(window != nullptr);
    Find<QSpinBox>(window, "txtVeskYears")->setValue(3);
    TypePayment(window, QStringLiteral("1000"));
    QPointer<frmWhatIf> alive(window);
    QTest::mouseClick(Find<QPushButton>(window, "cmdOpenPlan"), Qt::LeftButton);
    QTRY_VERIFY(alive.isNull());

    // The same plan typed into the main window, for the first three years.
    CalculatorInputs typed = TillZero("100000", "7.5", "699", Limit::Maximum, "1000");
    typed.veskFirstMonths = 36;
    const std::unique_ptr<Form5> expected = OpenPlan(typed);
    QVERIFY(expected != nullptr);
    QCOMPARE(Grid(form_.get())->Rows(), Grid(expected.get())->Rows());
    for (const char* label :
         {"lblPayoff", "lblAverageMonthly", "lblMinPayoff", "Label6", "lblAmountSaved"}) {
        QCOMPARE(Text(form_.get(), label), Text(expected.get(), label));
    }
    QCOMPARE(Grid(form_.get())->TextMatrix(40, 1), Grid(expected.get())->TextMatrix(40, 1));
}

// The desktop's font grows by a quarter while the window is open: it lays
// itself out again in the new mapping and takes its designed size in it.
void WhatIfWindowTest::followsAFontChange()
{
    frmWhatIf* window = openWhatIf();
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QFont before = QApplication::font();
    QFont larger = before;
    larger.setPointSizeF(before.pointSizeF() * 1.25);
    ChangeApplicationFont(larger);
    const auto restore = qScopeGuard([&] { ChangeApplicationFont(before); });

    QTRY_COMPARE(window->size(),
                 DesignedClientSize(window, frmWhatIf::kDesignedHeight, frmWhatIf::kDesignedWidth)
                     .boundedTo(window->screen()->availableSize()));
    VerifyPlacedInItsFont(window);
}

QTEST_MAIN(WhatIfWindowTest)
#include "WhatIfWindowTest.moc"
