// SPDX-License-Identifier: GPL-3.0-or-later
// The payment plan window's ways out: the grid's menu, the CSV file and the chart.
#include "ChartWindow.h"
#include "Form5.h"
#include "LoanInputs.h"
#include "PlanWindowDriver.h"
#include "TwipsLayout.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

class Form5MenuTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void contextMenuOffersCopyCsvChartAndPrint();
    void savesTheMonthsAsCsv();
    void reportsACsvThatCannotBeWritten();
    void chartOpensFromButtonMenuAndShortcut();

private:
    PlanWindowCases cases_;
};

void Form5MenuTest::initTestCase()
{
    cases_.initTestCase();
}

void Form5MenuTest::init()
{
    cases_.init();
}

void Form5MenuTest::cleanup()
{
    QVERIFY2(cases_.cleanup(), "a plan window was left open");
}

// Shift+F10 and a right click open the same menu, at the current cell from
// the keyboard; a screen reader reads its entries every time it opens.
void Form5MenuTest::contextMenuOffersCopyCsvChartAndPrint()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    MSFlexGrid* grid = Grid(form.get());
    const QStringList entries{"Copy",
                              QStringLiteral("Save as CSV…"),
                              QStringLiteral("Chart…"),
                              QStringLiteral("What If…"),
                              QStringLiteral("Print…"),
                              QStringLiteral("Export PDF…")};
    QStringList shortcuts;
    for (const QAction* action : grid->actions()) {
        shortcuts << action->shortcut().toString();
    }
    QCOMPARE(shortcuts, QStringList({"Ctrl+C", "", "Ctrl+G", "Ctrl+I", "Ctrl+P", "Ctrl+Shift+S"}));

    const auto openedMenu = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    for (int opening = 0; opening < 3; ++opening) {
        if (opening == 1) {
            const QPoint inside = grid->viewport()->rect().center();
            QContextMenuEvent click(QContextMenuEvent::Mouse, inside,
                                    grid->viewport()->mapToGlobal(inside));
            QApplication::sendEvent(grid->viewport(), &click);
        } else {
            QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
        }
        QTRY_VERIFY(openedMenu() != nullptr);
        QMenu* menu = openedMenu();
        if (opening != 1) {
            const QRect cell = grid->visualRect(grid->currentIndex());
            QCOMPARE(menu->pos(), grid->viewport()->mapToGlobal(cell.bottomLeft()));
            // From the keyboard, every time, at the first entry, which a
            // screen reader then announces.
            QCOMPARE(menu->activeAction(), grid->actions().front());
        }
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->childCount(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            QAccessibleInterface* entry = accessible->child(i);
            QVERIFY(entry != nullptr && entry->isValid());
            QCOMPARE(entry->text(QAccessible::Name), entries[i]);
        }
        menu->hide();
        QTRY_VERIFY(openedMenu() == nullptr);
    }

    grid->selectionModel()->select(grid->model()->index(6, 3), QItemSelectionModel::ClearAndSelect);
    grid->actions().front()->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral(".00"));

    // The Print button offers both at the right of Back's row, clear of Back.
    auto* print = Find<QPushButton>(form.get(), "cmdPrint");
    QVERIFY(print != nullptr && print->menu() != nullptr);
    QCOMPARE(print->menu()->actions(), grid->actions().mid(4));
    QCOMPARE(print->geometry(), TwipsMapping::of(form.get()).rect(5280, 7080, 1215, 375));
    QVERIFY(!print->geometry().intersects(Find<QPushButton>(form.get(), "cmdBack")->geometry()));
    QCOMPARE(print->geometry().right(), grid->geometry().right());
}

void Form5MenuTest::savesTheMonthsAsCsv()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("plan.csv"));

    QVERIFY(form->savePlanCsv(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Term,Monthly Payment,Interest,Principal,Balance,Extra\r\n"
                                        "1,200.00,0.00,200.00,1000.00,100.00\r\n"
                                        "2,200.00,0.00,200.00,800.00,100.00\r\n"
                                        "3,200.00,0.00,200.00,600.00,100.00\r\n"
                                        "4,200.00,0.00,200.00,400.00,100.00\r\n"
                                        "5,200.00,0.00,200.00,200.00,100.00\r\n"
                                        "6,200.00,0.00,200.00,0.00,100.00\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.csv"});
    QVERIFY(cases_.messages().messages().empty());
}

void Form5MenuTest::reportsACsvThatCannotBeWritten()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/plan.csv"));

    QVERIFY(!form->savePlanCsv(path));
    QCOMPARE(cases_.messages().messages().size(), std::size_t{1});
    QVERIFY(QString::fromStdString(cases_.messages().messages().front().text)
                .contains(QStringLiteral("plan.csv")));
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

// The chart opens from its button, the grid's menu and Ctrl+G, modal over the plan.
void Form5MenuTest::chartOpensFromButtonMenuAndShortcut()
{
    ModalWatchdog watchdog;
    LoadCalcState(TillZero("100000", "7.5", "699"));
    const std::unique_ptr<Form5> form = Form5::createLoaded(nullptr);
    QVERIFY(form != nullptr);
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto* grid = form->findChild<MSFlexGrid*>(QStringLiteral("MSFlexGrid1"));
    auto* entry = grid->findChild<QAction*>(QStringLiteral("mnuChart"));
    QVERIFY(entry != nullptr && grid->actions().contains(entry)); // in the grid's context menu

    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"button",
         [&] {
             QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("cmdChart")),
                               Qt::LeftButton);
         }},
        {"menu entry", [&] { entry->trigger(); }},
        {"shortcut", [&] { QTest::keyClick(grid, Qt::Key_G, Qt::ControlModifier); }},
    };
    for (const auto& [way, open] : ways) {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        open();
        QPointer<ChartWindow> chart = form->findChild<ChartWindow*>();
        QVERIFY2(chart != nullptr, way);
        QVERIFY2(chart->isVisible() && chart->isModal(), way);
        QTest::keyClick(chart, Qt::Key_Escape);
        QTRY_VERIFY2(chart.isNull(), way); // closed and gone
    }
}

QTEST_MAIN(Form5MenuTest)
#include "Form5MenuTest.moc"
