// SPDX-License-Identifier: GPL-3.0-or-later
// The payment plan window at work: opening and closing, the plan's rows and
// summary, load errors and the screen reader.
#include "Form5.h"

#include "LoanInputs.h"
#include "PlanWindowDriver.h"
#include "UiTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

QStringList GridRow(MSFlexGrid* grid, int row)
{
    QStringList cells;
    for (int column = 0; column < MSFlexGrid::kColumns; ++column) {
        cells << grid->TextMatrix(row, column);
    }
    return cells;
}

// The same row as the view shows it: the Term column is the vertical header.
QStringList ShownRow(MSFlexGrid* grid, int row)
{
    const QAbstractItemModel* model = grid->model();
    QStringList cells{model->headerData(row - 1, Qt::Vertical).toString()};
    for (int column = 0; column < model->columnCount(); ++column) {
        cells << model->index(row - 1, column).data().toString();
    }
    return cells;
}

// The width of text as a label lays it out in font.
int LaidOutWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, 10000, 1000), Qt::AlignLeft, text).width();
}

// Opens the window through the Calculate command's modal path; `inspect` runs
// while it is open, then Back is clicked (unless inspect closed it itself).
// Returns whether the modal window was seen.
bool RunModal(QWidget* mainWindow, const std::function<void(Form5*)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, mainWindow, [&] {
        auto* form = qobject_cast<Form5*>(QApplication::activeModalWidget());
        if (form == nullptr) {
            return;
        }
        seen = true;
        QPointer<Form5> alive(form);
        inspect(form);
        if (alive != nullptr && alive->isVisible()) {
            QTest::mouseClick(Find<QPushButton>(alive, "cmdBack"), Qt::LeftButton);
        }
    });
    Form5::showModal(mainWindow);
    return seen;
}

} // namespace

class Form5Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showModalShowsThePlanAndBackDiscardsIt();
    void closeBoxDiscardsTheWindow();
    void calculatingAgainGivesAFreshGrid();
    void summary_data();
    void summary();
    void monthRows_data();
    void monthRows();
    void longestPlanKeepsEveryMonth();
    void loadErrorIsReportedOnce_data();
    void loadErrorIsReportedOnce();
    void screenReaderNamesValuesAndCells();

private:
    PlanWindowCases cases_;
};

void Form5Test::initTestCase()
{
    cases_.initTestCase();
}

void Form5Test::init()
{
    cases_.init();
}

void Form5Test::cleanup()
{
    QVERIFY2(cases_.cleanup(), "a plan window was left open");
}

void Form5Test::showModalShowsThePlanAndBackDiscardsIt()
{
    QWidget mainWindow;
    mainWindow.show();
    LoadCalcState(TillZero("1200", "0", "100"));

    QStringList rows;
    QStringList labels;
    bool modalOverMain = false;
    QPointer<Form5> opened;
    const bool seen = RunModal(&mainWindow, [&](Form5* form) {
        opened = form;
        modalOverMain = form->isModal() && form->parentWidget() == &mainWindow && form->isVisible();
        MSFlexGrid* grid = Grid(form);
        for (int row = 0; row < grid->Rows(); ++row) {
            rows << GridRow(grid, row).join(QLatin1Char('|'));
        }
        for (const char* name :
             {"lblPayoff", "lblAverageMonthly", "lblMinPayoff", "Label6", "lblAmountSaved"}) {
            labels << Text(form, name);
        }
        labels << Find<QGroupBox>(form, "Frame1")->title();
    });

    QVERIFY(seen);
    QVERIFY(modalOverMain);
    QVERIFY(opened.isNull()); // discarded, not just hidden
    QCOMPARE(rows, QStringList({"Term|Monthly Payment|Interest|Principal|Balance", "||||1200",
                                "1|200.00|.00|200.00|1,000.00", "2|200.00|.00|200.00|800.00",
                                "3|200.00|.00|200.00|600.00", "4|200.00|.00|200.00|400.00",
                                "5|200.00|.00|200.00|200.00", "6|200.00|.00|200.00|.00"}));
    QCOMPARE(labels,
             QStringList({"6 mths", "$200.00", "1 yr", "$100.00", "no minimum", "Vesk's Method"}));
    QVERIFY(cases_.messages().messages().empty());
}

void Form5Test::closeBoxDiscardsTheWindow()
{
    QWidget mainWindow;
    mainWindow.show();
    LoadCalcState(TillZero("100000", "7.5", "699"));
    QPointer<Form5> opened;
    QVERIFY(RunModal(&mainWindow, [&](Form5* form) {
        opened = form;
        form->close();
    }));
    QVERIFY(opened.isNull());
    QVERIFY(mainWindow.isVisible());
}

void Form5Test::calculatingAgainGivesAFreshGrid()
{
    QWidget mainWindow;
    mainWindow.show();
    int firstRows = 0;
    LoadCalcState(TillZero("100000", "7.5", "699"));
    QVERIFY(RunModal(&mainWindow, [&](Form5* form) { firstRows = Grid(form)->Rows(); }));

    QStringList secondRows;
    LoadCalcState(TillZero("1200", "0", "100"));
    QVERIFY(RunModal(&mainWindow, [&](Form5* form) {
        MSFlexGrid* grid = Grid(form);
        for (int row = 0; row < grid->Rows(); ++row) {
            secondRows << grid->TextMatrix(row, 4);
        }
    }));
    QCOMPARE(firstRows, 181);
    QCOMPARE(secondRows, QStringList({"Balance", "1200", "1,000.00", "800.00", "600.00", "400.00",
                                      "200.00", ".00"}));
}

void Form5Test::summary_data()
{
    QTest::addColumn<CalculatorInputs>("inputs");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("altered");
    QTest::addColumn<QStringList>("labels"); // payoff, average, min payoff, min payment, saved

    QTest::newRow("no interest") << TillZero("1200", "0", "100") << 8 << "Vesk's Method" << false
                                 << QStringList{"6 mths", "$200.00", "1 yr", "$100.00",
                                                "no minimum"};
    QTest::newRow("mortgage") << TillZero("100000", "7.5", "699") << 181 << "Vesk's Method" << false
                              << QStringList{"14 yrs and 11 mths", "$977.97", "30 yrs and 1 mth",
                                             "$699.00", "$76,873.92"};
    QTest::newRow("maximum 1000") << TillZero("100000", "7.5", "699", Limit::Maximum, "1000") << 195
                                  << "Vesk's Method   **altered**" << true
                                  << QStringList{"16 yrs and 1 mth", "$919.14", "30 yrs and 1 mth",
                                                 "$699.00", "$74,536.84"};
    QTest::newRow("fixed 699") << TillZero("100000", "7.5", "699", Limit::Fixed, "699") << 363
                               << "Your Payment Plan" << true
                               << QStringList{"30 yrs and 1 mth", "$697.87", "30 yrs and 1 mth",
                                              "$699.00", "$.00"};
    QTest::newRow("fixed 650") << TillZero("100000", "7.5", "699", Limit::Fixed, "650") << 525
                               << "Your Payment Plan" << true
                               << QStringList{"43 yrs and 7 mths", "", "30 yrs and 1 mth",
                                              "$699.00", "-$87,969.11"};
    // 1000 + 15.25 interest over 3 months; no scheduled payment, so no minimum plan.
    QTest::newRow("fixed below interest")
        << TillZero("1000", "12", "0", Limit::Fixed, "500") << 5 << "Your Payment Plan" << true
        << QStringList{"3 mths", "$338.42", "none to report", "$.00", "no minimum"};
}

void Form5Test::summary()
{
    QFETCH(CalculatorInputs, inputs);
    QFETCH(int, rows);
    QFETCH(QString, caption);
    QFETCH(bool, altered);
    QFETCH(QStringList, labels);

    const std::unique_ptr<Form5> form = OpenPlan(inputs);
    QVERIFY(form != nullptr);
    QCOMPARE(Grid(form.get())->Rows(), rows);
    QCOMPARE(Grid(form.get())->model()->rowCount(), rows - 1);

    auto* frame = Find<QGroupBox>(form.get(), "Frame1");
    QCOMPARE(frame->title(), caption);
    const QColor expected =
        altered ? QColor(192, 0, 0) : form->palette().color(QPalette::ButtonText);
    QCOMPARE(frame->palette().color(QPalette::WindowText), expected);
    // The labels inside the frame keep the ordinary text colour.
    QCOMPARE(Find<QLabel>(form.get(), "lblPayoff")->palette().color(QPalette::WindowText),
             form->palette().color(QPalette::WindowText));

    const QStringList names{"lblPayoff", "lblAverageMonthly", "lblMinPayoff", "Label6",
                            "lblAmountSaved"};
    for (int i = 0; i < names.size(); ++i) {
        if (!labels[i].isEmpty()) {
            QCOMPARE(Text(form.get(), qPrintable(names[i])), labels[i]);
        }
    }
    VerifyLabelsReadable(form.get());
    QVERIFY(cases_.messages().messages().empty());
}

void Form5Test::monthRows_data()
{
    QTest::addColumn<CalculatorInputs>("inputs");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("cells");

    const CalculatorInputs mortgage = TillZero("100000", "7.5", "699");
    QTest::newRow("opening balance, plain")
        << mortgage << 1 << QStringList{"", "", "", "", "100000"};
    QTest::newRow("month 1") << mortgage << 2
                             << QStringList{"1", "777.83", "625.00", "152.83", "99,847.17"};
    QTest::newRow("month 2") << mortgage << 3
                             << QStringList{"2", "778.79", "624.04", "154.75", "99,692.42"};
    QTest::newRow("month 179, shortened")
        << mortgage << 180 << QStringList{"179", "182.55", "1.13", "181.42", ".00"};

    // A payment below the month's interest repays a negative principal share.
    const CalculatorInputs belowInterest = TillZero("1000", "12", "0", Limit::Fixed, "500");
    QTest::newRow("below interest, month 1")
        << belowInterest << 2 << QStringList{"1", "500.00", "10.00", "490.00", "510.00"};
    QTest::newRow("below interest, month 2")
        << belowInterest << 3 << QStringList{"2", "500.00", "5.10", "494.90", "15.10"};
    QTest::newRow("below interest, month 3")
        << belowInterest << 4 << QStringList{"3", "15.25", ".15", "15.10", ".00"};
}

void Form5Test::monthRows()
{
    QFETCH(CalculatorInputs, inputs);
    QFETCH(int, row);
    QFETCH(QStringList, cells);

    const std::unique_ptr<Form5> form = OpenPlan(inputs);
    QVERIFY(form != nullptr);
    QCOMPARE(GridRow(Grid(form.get()), row), cells);
    QCOMPARE(ShownRow(Grid(form.get()), row), cells);
}

void Form5Test::longestPlanKeepsEveryMonth()
{
    const std::unique_ptr<Form5> form =
        OpenPlan(TillZero("3276600", "0", "100", Limit::Fixed, "100"));
    QVERIFY(form != nullptr);
    MSFlexGrid* grid = Grid(form.get());
    QCOMPARE(grid->Rows(), 32768);
    QCOMPARE(GridRow(grid, 32767), QStringList({"32766", "100.00", ".00", "100.00", ".00"}));

    // A period longer than its label was designed for is drawn smaller, not
    // cut off, where the room beside the label is not enough for it.
    for (const char* name : {"lblPayoff", "lblMinPayoff"}) {
        auto* label = Find<QLabel>(form.get(), name);
        QCOMPARE(label->text(), QStringLiteral("2730 yrs and 6 mths"));
        QVERIFY(LaidOutWidth(label->font(), label->text()) <= label->width());
        const bool outgrows = LaidOutWidth(form->font(), label->text()) > label->width();
        QCOMPARE(label->font().pointSizeF() < form->font().pointSizeF(), outgrows);
    }
    QCOMPARE(Find<QLabel>(form.get(), "Label6")->font(),
             Find<QLabel>(form.get(), "Label4")->font());
    VerifyLabelsReadable(form.get());

    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    grid->scrollToBottom();
    const QModelIndex last = grid->model()->index(grid->model()->rowCount() - 1, 3);
    QVERIFY(grid->viewport()->rect().contains(grid->visualRect(last).center()));
    QCOMPARE(grid->indexAt(grid->visualRect(last).center()), last);
}

void Form5Test::loadErrorIsReportedOnce_data()
{
    QTest::addColumn<CalculatorInputs>("inputs");
    QTest::addColumn<QString>("messagePrefix");

    QTest::newRow("payment below interest overflows")
        << TillZero("2000000", "3", "0", Limit::Fixed, "15") << "Error Number 6 Overflow";
    QTest::newRow("32,767 months overflow the row number")
        << TillZero("3276700", "0", "100", Limit::Fixed, "100") << "Error Number 6 Overflow";
    QTest::newRow("no month to average (0 / 0)")
        << TillZero("0", "7.5", "699") << "Error Number 6 Overflow";
}

void Form5Test::loadErrorIsReportedOnce()
{
    QFETCH(CalculatorInputs, inputs);
    QFETCH(QString, messagePrefix);

    QWidget mainWindow;
    LoadCalcState(inputs);
    Form5::showModal(&mainWindow); // returns at once: nothing is left open

    QCOMPARE(cases_.messages().messages().size(), std::size_t{1});
    const MsgBoxRecorder::Message& message = cases_.messages().messages().front();
    QVERIFY2(QString::fromStdString(message.text).startsWith(messagePrefix), message.text.c_str());
    QCOMPARE(message.title, std::string("An Error Has Occurred"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(mainWindow.isVisible());
    QVERIFY(mainWindow.isEnabled());
}

void Form5Test::screenReaderNamesValuesAndCells()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("100000", "7.5", "699"));
    QVERIFY(form != nullptr);
    const QList<QPair<const char*, QString>> described{
        {"lblPayoff", "Payoff Period"},
        {"lblAverageMonthly", "Aver Mnthly Pymt"},
        {"lblMinPayoff", "Payoff Period"},
        {"Label6", "Mnthly Pymt"},
        {"lblAmountSaved", "Amount Saved On Interest"}};
    for (const auto& [name, caption] : described) {
        QCOMPARE(Find<QLabel>(form.get(), name)->accessibleDescription(), caption);
    }

    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(Grid(form.get()));
    QVERIFY(grid != nullptr);
    // The plan opens with the focus on the first month's first cell.
    QCOMPARE(form->focusWidget(), Grid(form.get()));
    QAccessibleInterface* focused = grid->focusChild();
    QVERIFY(focused != nullptr);
    QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("777.83"));
    QVERIFY(focused->state().focused);
}

QTEST_MAIN(Form5Test)
#include "Form5Test.moc"
