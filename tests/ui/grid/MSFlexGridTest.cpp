// SPDX-License-Identifier: GPL-3.0-or-later
#include "MSFlexGrid.h"

#include "Calculator.h"
#include "FlexGridAccessible.h"
#include "LoanInputs.h"
#include "PaymentPlan.h"
#include "PlanTexts.h"
#include "RuntimeError.h"
#include "UiTestSupport.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>

namespace {

// A shown grid with the window's header row and the plan of a loan.
std::unique_ptr<MSFlexGrid> PlanGrid(const CalculatorInputs& in)
{
    auto grid = std::make_unique<MSFlexGrid>();
    for (int column = 0; column < kPlanColumns; ++column) {
        grid->setTextMatrix(0, column,
                            QString::fromUtf8(kPlanHeader[static_cast<std::size_t>(column)]));
    }
    LoadCalcState(in);
    grid->setPlan(std::make_shared<const PaymentPlan>(LoadPaymentPlan()));
    grid->resize(600, 400);
    grid->show();
    QTEST_ASSERT(QTest::qWaitForWindowExposed(grid.get()));
    return grid;
}

QStringList GridRow(MSFlexGrid* grid, int row)
{
    QStringList cells;
    for (int column = 0; column < MSFlexGrid::kColumns; ++column) {
        cells << grid->TextMatrix(row, column);
    }
    return cells;
}

} // namespace

class MSFlexGridTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void gridAddressesRowsAndCells();
    void gridModelKeepsQtsRules();
    void cornerShowsTheFirstColumnHeader();
    void copiesTheSelectionAsTabSeparatedLines();
    void screenReaderReadsATable();
};

void MSFlexGridTest::initTestCase()
{
    UseTestFont();
    FlexGridAccessible::install();
}

void MSFlexGridTest::gridAddressesRowsAndCells()
{
    MSFlexGrid grid;
    QCOMPARE(grid.Rows(), 1); // the header row only
    QCOMPARE(grid.model()->rowCount(), 0);

    grid.setRows(3);
    grid.setTextMatrix(0, 2, QStringLiteral("Interest"));
    grid.setTextMatrix(2, 0, QStringLiteral("1"));
    grid.setTextMatrix(2, 2, QStringLiteral("625.00"));
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Interest"));
    QCOMPARE(grid.model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("1"));
    QCOMPARE(grid.model()->index(1, 1).data().toString(), QStringLiteral("625.00"));

    grid.setRows(2);
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("Interest")); // the header row stays

    // Cells outside the grid raise "Subscript out of range", as the window's
    // error handler expects of a run-time error.
    const std::function<void()> outside[] = {
        [&] { grid.TextMatrix(2, 0); },
        [&] { grid.TextMatrix(0, 5); },
        [&] { grid.setTextMatrix(-1, 0, {}); },
        [&] { grid.ColWidth(5); },
        [&] { grid.setRows(0); },
    };
    for (const auto& access : outside) {
        try {
            access();
            QFAIL("no run-time error");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), 381);
        }
    }
}

// Qt's own checks of a model run after every change the grid makes, while
// it shows a plan whose cells are written only when read.
void MSFlexGridTest::gridModelKeepsQtsRules()
{
    MSFlexGrid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.setTextMatrix(0, 4, QStringLiteral("Balance"));
    grid.setRows(3);
    grid.setTextMatrix(2, 1, QStringLiteral("earlier"));

    LoadCalcState(TillZero("1200", "0", "100"));
    grid.setPlan(std::make_shared<const PaymentPlan>(LoadPaymentPlan()));
    QCOMPARE(grid.Rows(), 8);
    QCOMPARE(GridRow(&grid, 1), QStringList({"", "", "", "", "1200"}));
    QCOMPARE(GridRow(&grid, 7), QStringList({"6", "200.00", ".00", "200.00", ".00"}));
    QCOMPARE(grid.TextMatrix(0, 4), QStringLiteral("Balance")); // the header row stays
    // The payment's split is its tooltip; other cells have none.
    QCOMPARE(grid.model()->index(1, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("100.00 scheduled + 100.00 extra"));
    QVERIFY(!grid.model()->index(1, 1).data(Qt::ToolTipRole).isValid());
    QVERIFY(!grid.model()->index(0, 0).data(Qt::ToolTipRole).isValid());

    grid.setTextMatrix(3, 2, QStringLiteral("written"));
    QCOMPARE(grid.model()->index(2, 1).data().toString(), QStringLiteral("written"));
    // Rows taken away lose their texts: added again, they are empty.
    grid.setRows(4);
    grid.setRows(6);
    QCOMPARE(GridRow(&grid, 3), QStringList({"2", "200.00", "written", "200.00", "800.00"}));
    QCOMPARE(GridRow(&grid, 4), QStringList({"", "", "", "", ""}));
    QCOMPARE(grid.model()->headerData(3, Qt::Vertical).toString(), QString());
}

void MSFlexGridTest::cornerShowsTheFirstColumnHeader()
{
    const std::unique_ptr<MSFlexGrid> shown = PlanGrid(TillZero("1200", "0", "100"));
    MSFlexGrid* grid = shown.get();
    QCOMPARE(grid->TextMatrix(0, 0), QStringLiteral("Term"));
    const QRect corner(0, 0, grid->verticalHeader()->width(), grid->horizontalHeader()->height());
    const QColor text = grid->palette().color(QPalette::ButtonText);

    const int withText =
        CountPixelsNear(grid->grab().toImage(), corner.adjusted(1, 1, -1, -1), text);
    grid->setTextMatrix(0, 0, QString());
    const int withoutText =
        CountPixelsNear(grid->grab().toImage(), corner.adjusted(1, 1, -1, -1), text);
    QVERIFY2(withText > 10, qPrintable(QString::number(withText)));
    QCOMPARE(withoutText, 0);
}

void MSFlexGridTest::copiesTheSelectionAsTabSeparatedLines()
{
    const std::unique_ptr<MSFlexGrid> shown = PlanGrid(TillZero("100000", "7.5", "699"));
    MSFlexGrid* grid = shown.get();
    grid->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid));
    grid->setFocus();
    const QAbstractItemModel* model = grid->model();

    // Months 1 and 2 from Monthly Payment to Principal: just those cells.
    grid->selectionModel()->select(QItemSelection(model->index(1, 0), model->index(2, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    QApplication::clipboard()->clear();
    QTest::keySequence(grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("777.83\t625.00\t152.83\n778.79\t624.04\t154.75"));

    // Whole rows come under the header row with their Term and plain amounts;
    // the opening row keeps its place.
    grid->selectionModel()->select(QItemSelection(model->index(0, 0), model->index(1, 3)),
                                   QItemSelectionModel::ClearAndSelect);
    grid->selectionModel()->select(QItemSelection(model->index(179, 0), model->index(179, 3)),
                                   QItemSelectionModel::Select);
    QTest::keySequence(grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("Term\tMonthly Payment\tInterest\tPrincipal\tBalance\n"
                            "\t\t\t\t100000\n"
                            "1\t777.83\t625.00\t152.83\t99847.17\n"
                            "179\t182.55\t1.13\t181.42\t0.00"));
    grid->selectAll();
    QTest::keySequence(grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text().count(u'\n'), 180); // 181 lines

    // Two separate cells: the rest of their rectangle stays empty.
    grid->selectionModel()->select(model->index(1, 0), QItemSelectionModel::ClearAndSelect);
    grid->selectionModel()->select(model->index(2, 2), QItemSelectionModel::Select);
    QTest::keySequence(grid, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("777.83\t\t\n\t\t154.75"));
}

// The grid as a screen reader meets it: a table of the months whose column
// headers are the header row, the corner included, and whose column 0 is
// the Term column of row headers, so that reading a row says its month.
void MSFlexGridTest::screenReaderReadsATable()
{
    const std::unique_ptr<MSFlexGrid> shown = PlanGrid(TillZero("100000", "7.5", "699"));
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(shown.get());
    QVERIFY(grid != nullptr);
    QAccessibleTableInterface* table = grid->tableInterface();
    QVERIFY(table != nullptr);
    QCOMPARE(table->rowCount(), 180);
    QCOMPARE(table->columnCount(), 5);

    // A row reads as a screen reader reads it, cell after cell.
    QStringList row;
    for (int column = 0; column < table->columnCount(); ++column) {
        row << table->cellAt(1, column)->text(QAccessible::Name);
    }
    QCOMPARE(row, QStringList({"Term 1", "777.83", "625.00", "152.83", "99,847.17"}));
    QCOMPARE(table->cellAt(1, 0)->role(), QAccessible::RowHeader);

    QAccessibleInterface* cell = table->cellAt(1, 1);
    QAccessibleTableCellInterface* position = cell->tableCellInterface();
    QVERIFY(position != nullptr);
    QCOMPARE(position->rowIndex(), 1);
    QCOMPARE(position->columnIndex(), 1);
    QCOMPARE(position->columnHeaderCells().size(), 1);
    QCOMPARE(position->columnHeaderCells().front()->text(QAccessible::Name),
             QStringLiteral("Monthly Payment"));
    QCOMPARE(position->rowHeaderCells().size(), 1);
    QCOMPARE(position->rowHeaderCells().front(), table->cellAt(1, 0));
    QCOMPARE(grid->indexOfChild(cell), 2 * 5 + 1); // after the header row and row 0

    // The Term column's header is the corner.
    const auto termHeader = table->cellAt(1, 0)->tableCellInterface()->columnHeaderCells();
    QCOMPARE(termHeader.size(), 1);
    QCOMPARE(termHeader.front(), grid->child(0));
    QCOMPARE(termHeader.front()->role(), QAccessible::ColumnHeader);
    QCOMPARE(termHeader.front()->text(QAccessible::Name), QStringLiteral("Term"));
    QCOMPARE(table->columnDescription(0), QStringLiteral("Term"));

    // The opening row reads as the opening balance, in its Term cell and in
    // its one amount.
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("Opening balance"));
    QCOMPARE(table->cellAt(0, 4)->text(QAccessible::Name),
             QStringLiteral("Opening balance 100000"));
    QCOMPARE(shown->TextMatrix(1, 0), QString()); // the Term cell itself stays empty

    // Rows scrolled out of view are hidden, their Term cells too.
    for (const int column : {0, 1}) {
        QVERIFY(!table->cellAt(1, column)->state().invisible);
        QVERIFY(table->cellAt(170, column)->state().invisible);
    }
}

QTEST_MAIN(MSFlexGridTest)
#include "MSFlexGridTest.moc"
