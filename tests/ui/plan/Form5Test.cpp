// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form5.h"

#include "Calculator.h"
#include "FittingFont.h"
#include "LoanInputs.h"
#include "MSFlexGrid.h"
#include "PaymentPlan.h"
#include "RuntimeError.h"
#include "UiTestSupport.h"
#include "modCommonChecks.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>

namespace {

std::unique_ptr<Form5> OpenPlan(const CalculatorInputs& in, QWidget* mainWindow = nullptr)
{
    LoadCalcState(in);
    return Form5::createLoaded(mainWindow);
}

template <typename T> T* Find(QWidget* form, const char* name)
{
    return form->findChild<T*>(QLatin1String(name));
}

MSFlexGrid* Grid(QWidget* form)
{
    return Find<MSFlexGrid>(form, "MSFlexGrid1");
}

QString Text(QWidget* form, const char* label)
{
    auto* control = Find<QLabel>(form, label);
    return control != nullptr ? control->text()
                              : QStringLiteral("<no %1>").arg(QLatin1String(label));
}

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

int CountPixelsNear(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 40 &&
                std::abs(pixel.green() - colour.green()) < 40 &&
                std::abs(pixel.blue() - colour.blue()) < 40) {
                ++count;
            }
        }
    }
    return count;
}

// The width of text as a label lays it out in font.
int LaidOutWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, 10000, 1000), Qt::AlignLeft, text).width();
}

int Form5Count()
{
    int count = 0;
    for (QWidget* widget : QApplication::allWidgets()) {
        count += qobject_cast<Form5*>(widget) != nullptr ? 1 : 0;
    }
    return count;
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
    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void columnsWidenToTheirHeaders();
    void cornerShowsTheFirstColumnHeader();
    void frameCaptionColourShowsInEveryStyle_data();
    void frameCaptionColourShowsInEveryStyle();
    void keepsItsDesignedSize();
    void copiesTheSelectionAsTabSeparatedLines();
    void contextMenuOffersCopyCsvChartAndPrint();
    void savesTheMonthsAsCsv();
    void reportsACsvThatCannotBeWritten();
    void screenReaderNamesValuesAndCells();
    void gridTakesTheCutOnASmallScreen();
    void alteredCaptionReadsOnADarkDesktop();
    void gridAddressesRowsAndCells();
    void gridModelKeepsQtsRules();
    void fontShrinksOnlyAsFarAsNeeded_data();
    void fontShrinksOnlyAsFarAsNeeded();

private:
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::unique_ptr<MsgBoxRecorder> messages_;
};

void Form5Test::initTestCase()
{
    UseTestFont();
    watchdog_ = std::make_unique<ModalWatchdog>();
}

void Form5Test::init()
{
    messages_ = std::make_unique<MsgBoxRecorder>();
}

void Form5Test::cleanup()
{
    messages_.reset();
    QCOMPARE(Form5Count(), 0);
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
    QVERIFY(messages_->messages().empty());
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
    QVERIFY(messages_->messages().empty());
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

    QCOMPARE(messages_->messages().size(), std::size_t{1});
    const MsgBoxRecorder::Message& message = messages_->messages().front();
    QVERIFY2(QString::fromStdString(message.text).startsWith(messagePrefix), message.text.c_str());
    QCOMPARE(message.title, std::string("An Error Has Occurred"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(mainWindow.isVisible());
    QVERIFY(mainWindow.isEnabled());
}

void Form5Test::layoutFollowsTheDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    auto add = [](const char* name, const char* container, const char* caption, int left, int top,
                  int width, int height) {
        QTest::newRow(name) << name << container << caption << QRect(left, top, width, height);
    };
    add("MSFlexGrid1", "Form5", "", 840, 360, 5655, 4935);
    add("cmdBack", "Form5", "Back", 3120, 7080, 1215, 375);
    add("Label1", "Form5", "Amount Saved On Interest", 1800, 6600, 1935, 255);
    add("lblAmountSaved", "Form5", "", 3960, 6600, 1215, 255);
    add("Frame1", "Form5", "Vesk's Method", 840, 5400, 2775, 1095);
    add("Label5", "Frame1", "Payoff Period", 120, 360, 1095, 255);
    add("lblPayoff", "Frame1", "", 1200, 360, 1455, 255);
    add("Frame2", "Form5", "Minimum Payment Plan", 3720, 5400, 2775, 1095);
    add("Label3", "Frame2", "Payoff Period", 120, 360, 1095, 255);
    add("lblMinPayoff", "Frame2", "", 1200, 360, 1455, 255);
    add("Label2", "Frame1", "Aver Mnthly Pymt", 120, 720, 1335, 255);
    add("Label4", "Frame2", "Mnthly Pymt", 120, 720, 1335, 255);
    add("lblAverageMonthly", "Frame1", "", 1440, 720, 1215, 255);
    add("Label6", "Frame2", "", 1440, 720, 1215, 255);
}

void Form5Test::layoutFollowsTheDesign()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    Form5 form; // as designed, before any load
    QCOMPARE(form.windowTitle(), QStringLiteral(" Payment Plan Till You Reach Zero"));
    QVERIFY(!form.windowIcon().pixmap(32).isNull()); // the calculator icon

    auto* control = form.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(DesignedTwips(control), twips);
    // At the designed place in the window's font; wider only where its text
    // needs more room in this font.
    const QRect designed = TwipsMapping::of(&form).rect(twips);
    QCOMPARE(control->geometry().topLeft(), designed.topLeft());
    QCOMPARE(control->height(), designed.height());
    QVERIFY(control->width() >= designed.width());
    if (control->width() > designed.width()) {
        QVERIFY(control->sizeHint().width() > designed.width());
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->font().bold(), name == QLatin1String("lblAmountSaved"));
        // Every caption fits its label.
        QVERIFY(label->fontMetrics().horizontalAdvance(caption) <= label->width());
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QCOMPARE(button->text(), caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QCOMPARE(frame->title(), caption);
    }
}

void Form5Test::columnsWidenToTheirHeaders()
{
    Form5 designed;
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("100000", "7.5", "699"));
    QVERIFY(form != nullptr);
    MSFlexGrid* before = Grid(&designed);
    MSFlexGrid* grid = Grid(form.get());

    int widened = 0;
    int kept = 0;
    const TwipsMapping mapping = TwipsMapping::of(form.get());
    for (int column = 0; column < MSFlexGrid::kColumns; ++column) {
        const double header = mapping.twipsAcross(
            QFontMetricsF(form->font()).horizontalAdvance(grid->TextMatrix(0, column)));
        const int wanted = static_cast<int>(std::lround(header)) + 200;
        const int design = before->ColWidth(column);
        QCOMPARE(grid->ColWidth(column), std::max(design, wanted));
        (wanted > design ? widened : kept) += 1;

        const int pixels = mapping.x(grid->ColWidth(column));
        QCOMPARE(column == 0 ? grid->verticalHeader()->width()
                             : grid->horizontalHeader()->sectionSize(column - 1),
                 pixels);
    }
    // Both sides of the rule are exercised: "Monthly Payment" needs more room,
    // the Term column keeps its designed width.
    QVERIFY(widened > 0);
    QVERIFY(kept > 0);
    QCOMPARE(grid->ColWidth(0), 720);

    // A column the user drags wider reports its new width; the others stay.
    const int principal = grid->ColWidth(3);
    grid->horizontalHeader()->resizeSection(3, 150);
    QCOMPARE(mapping.x(grid->ColWidth(4)), 150);
    QCOMPARE(grid->ColWidth(4), std::lround(mapping.twipsAcross(150)));
    QCOMPARE(grid->ColWidth(3), principal);
}

void Form5Test::cornerShowsTheFirstColumnHeader()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    MSFlexGrid* grid = Grid(form.get());
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

void Form5Test::frameCaptionColourShowsInEveryStyle_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<CalculatorInputs>("inputs");
    QTest::addColumn<bool>("altered");

    const CalculatorInputs plain = TillZero("100000", "7.5", "699");
    const CalculatorInputs capped = TillZero("100000", "7.5", "699", Limit::Maximum, "1000");
    for (const QString& style : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
        QTest::newRow(qPrintable(style + " plain")) << style << plain << false;
        QTest::newRow(qPrintable(style + " altered")) << style << capped << true;
    }
}

void Form5Test::frameCaptionColourShowsInEveryStyle()
{
    QFETCH(QString, style);
    QFETCH(CalculatorInputs, inputs);
    QFETCH(bool, altered);

    std::unique_ptr<QStyle> theStyle(QStyleFactory::create(style));
    QVERIFY(theStyle != nullptr);
    const std::unique_ptr<Form5> form = OpenPlan(inputs);
    QVERIFY(form != nullptr);
    auto* frame = Find<QGroupBox>(form.get(), "Frame1");
    frame->setStyle(theStyle.get());
    for (QWidget* child : frame->findChildren<QWidget*>()) {
        child->setStyle(theStyle.get());
    }
    const QImage image = frame->grab().toImage();
    const QRect title(0, 0, frame->width(), frame->fontMetrics().height() + 2);
    const QRect labels(0, Find<QLabel>(form.get(), "Label5")->y(), frame->width(),
                       frame->height() - Find<QLabel>(form.get(), "Label5")->y());
    const QColor darkRed(192, 0, 0);

    const int redInTitle = CountPixelsNear(image, title, darkRed);
    QCOMPARE(redInTitle > 20, altered);
    QCOMPARE(CountPixelsNear(image, labels, darkRed), 0);
}

void Form5Test::keepsItsDesignedSize()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    // The designed client area in the window's font.
    const QSize designed = TwipsMapping::of(form.get()).size(7440, 7605);
    QCOMPARE(DesignedClientSize(form.get(), Form5::kDesignedHeight, Form5::kDesignedWidth),
             designed);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->size(), designed);

    form->showMaximized();
    QTRY_VERIFY(!form->isMaximized());
    QTRY_COMPARE(form->size(), designed);

    form->resize(designed + QSize(150, 90));
    QTRY_COMPARE(form->size(), designed);
}

void Form5Test::copiesTheSelectionAsTabSeparatedLines()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("100000", "7.5", "699"));
    QVERIFY(form != nullptr);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    MSFlexGrid* grid = Grid(form.get());
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

// Shift+F10 and a right click open the same menu, at the current cell from
// the keyboard; a screen reader reads its entries every time it opens.
void Form5Test::contextMenuOffersCopyCsvChartAndPrint()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    MSFlexGrid* grid = Grid(form.get());
    const QStringList entries{"Copy", QStringLiteral("Save as CSV…"), QStringLiteral("Chart…"),
                              QStringLiteral("Print…"), QStringLiteral("Export PDF…")};
    QStringList shortcuts;
    for (const QAction* action : grid->actions()) {
        shortcuts << action->shortcut().toString();
    }
    QCOMPARE(shortcuts, QStringList({"Ctrl+C", "", "Ctrl+G", "Ctrl+P", "Ctrl+Shift+S"}));

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
    QCOMPARE(print->menu()->actions(), grid->actions().mid(3));
    QCOMPARE(print->geometry(), TwipsMapping::of(form.get()).rect(5280, 7080, 1215, 375));
    QVERIFY(!print->geometry().intersects(Find<QPushButton>(form.get(), "cmdBack")->geometry()));
    QCOMPARE(print->geometry().right(), grid->geometry().right());
}

void Form5Test::savesTheMonthsAsCsv()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("plan.csv"));

    QVERIFY(form->savePlanCsv(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Term,Monthly Payment,Interest,Principal,Balance\r\n"
                                        "1,200.00,0.00,200.00,1000.00\r\n"
                                        "2,200.00,0.00,200.00,800.00\r\n"
                                        "3,200.00,0.00,200.00,600.00\r\n"
                                        "4,200.00,0.00,200.00,400.00\r\n"
                                        "5,200.00,0.00,200.00,200.00\r\n"
                                        "6,200.00,0.00,200.00,0.00\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.csv"});
    QVERIFY(messages_->messages().empty());
}

void Form5Test::reportsACsvThatCannotBeWritten()
{
    const std::unique_ptr<Form5> form = OpenPlan(TillZero("1200", "0", "100"));
    QVERIFY(form != nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/plan.csv"));

    QVERIFY(!form->savePlanCsv(path));
    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QVERIFY(QString::fromStdString(messages_->messages().front().text)
                .contains(QStringLiteral("plan.csv")));
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
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
    QAccessibleTableInterface* table = grid->tableInterface();
    QVERIFY(table != nullptr);
    QCOMPARE(table->rowCount(), 180);
    QCOMPARE(table->columnCount(), 4);

    QAccessibleInterface* cell = table->cellAt(1, 0);
    QVERIFY(cell != nullptr);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("777.83"));
    QAccessibleTableCellInterface* position = cell->tableCellInterface();
    QVERIFY(position != nullptr);
    QCOMPARE(position->columnHeaderCells().size(), 1);
    QCOMPARE(position->columnHeaderCells().front()->text(QAccessible::Name),
             QStringLiteral("Monthly Payment"));
    QCOMPARE(position->rowHeaderCells().size(), 1);
    QCOMPARE(position->rowHeaderCells().front()->text(QAccessible::Name), QStringLiteral("Term 1"));
    QCOMPARE(grid->indexOfChild(cell), 2 * 5 + 1); // after the header row and row 0

    // The corner names the first column; the opening row reads as the
    // opening balance, in its row header and in its one cell.
    QAccessibleInterface* corner = grid->child(0);
    QVERIFY(corner != nullptr);
    QCOMPARE(corner->role(), QAccessible::ColumnHeader);
    QCOMPARE(corner->text(QAccessible::Name), QStringLiteral("Term"));
    QAccessibleInterface* opening = table->cellAt(0, 3);
    QCOMPARE(opening->text(QAccessible::Name), QStringLiteral("Opening balance 100000"));
    const auto openingHeader = opening->tableCellInterface()->rowHeaderCells();
    QCOMPARE(openingHeader.size(), 1);
    QCOMPARE(openingHeader.front()->role(), QAccessible::RowHeader);
    QCOMPARE(openingHeader.front()->text(QAccessible::Name), QStringLiteral("Opening balance"));
    QCOMPARE(Grid(form.get())->TextMatrix(1, 0), QString()); // the Term cell itself stays empty

    // The plan opens with the focus on the first month's first cell.
    QCOMPARE(form->focusWidget(), Grid(form.get()));
    QAccessibleInterface* focused = grid->focusChild();
    QVERIFY(focused != nullptr);
    QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("777.83"));
    QVERIFY(focused->state().focused);
}

// In a font large enough the plan window is taller than the screen: it is
// held at the height that fits, the grid gives up the difference and the
// frames, the saved amount and Back move up with the window's bottom.
void Form5Test::gridTakesTheCutOnASmallScreen()
{
    const ScreenOverflowFont large(DesignedClientSize(std::make_unique<Form5>().get(),
                                                      Form5::kDesignedHeight, Form5::kDesignedWidth)
                                       .height());

    const std::unique_ptr<Form5> form = OpenPlan(TillZero("100000", "7.5", "699"));
    QVERIFY(form != nullptr);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QSize designed =
        DesignedClientSize(form.get(), Form5::kDesignedHeight, Form5::kDesignedWidth);
    QVERIFY(designed.height() > form->screen()->availableGeometry().height());
    const int cut = designed.height() - form->height();
    QVERIFY(cut > 0);

    const TwipsMapping mapping = TwipsMapping::of(form.get());
    QCOMPARE(Grid(form.get())->height(), mapping.y(360 + 4935) - mapping.y(360) - cut);
    auto* back = Find<QPushButton>(form.get(), "cmdBack");
    QCOMPARE(back->y(), mapping.y(7080) - cut);
    QVERIFY(form->rect().contains(back->geometry()));
    for (const char* frame : {"Frame1", "Frame2"}) {
        QCOMPARE(Find<QGroupBox>(form.get(), frame)->y(), mapping.y(5400) - cut);
    }
    VerifyLabelsReadable(form.get());

    const QSize kept = form->size();
    form->resize(kept + QSize(30, 60));
    QTRY_COMPARE(form->size(), kept);
}

// On a dark desktop the dark red of an altered plan's caption would not
// read; it becomes a red light enough to.
void Form5Test::alteredCaptionReadsOnADarkDesktop()
{
    const QColor background(49, 54, 59);
    const QColor text(239, 240, 241);
    const DesktopColours dark{{QPalette::Window, background},
                              {QPalette::Button, background},
                              {QPalette::WindowText, text},
                              {QPalette::ButtonText, text}};

    const std::unique_ptr<Form5> form =
        OpenPlan(TillZero("100000", "7.5", "699", Limit::Maximum, "1000"));
    QVERIFY(form != nullptr);
    auto* frame = Find<QGroupBox>(form.get(), "Frame1");
    const QColor caption = frame->palette().color(QPalette::WindowText);
    QVERIFY(ContrastRatio(caption, frame->palette().color(QPalette::Window)) >= 4.5);
    QCOMPARE(caption.hslHue(), 0); // still red
    QVERIFY(caption.lightness() > QColor(192, 0, 0).lightness());
}

void Form5Test::gridAddressesRowsAndCells()
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
void Form5Test::gridModelKeepsQtsRules()
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

    grid.setTextMatrix(3, 2, QStringLiteral("written"));
    QCOMPARE(grid.model()->index(2, 1).data().toString(), QStringLiteral("written"));
    // Rows taken away lose their texts: added again, they are empty.
    grid.setRows(4);
    grid.setRows(6);
    QCOMPARE(GridRow(&grid, 3), QStringList({"2", "200.00", "written", "200.00", "800.00"}));
    QCOMPARE(GridRow(&grid, 4), QStringList({"", "", "", "", ""}));
    QCOMPARE(grid.model()->headerData(3, Qt::Vertical).toString(), QString());
}

void Form5Test::fontShrinksOnlyAsFarAsNeeded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("extra"); // room beyond the text's width at 9 points
    QTest::addColumn<QString>("expected");

    QTest::newRow("fits") << QStringLiteral("14 yrs and 11 mths") << 0 << "unchanged";
    QTest::newRow("slightly too wide")
        << QStringLiteral("2730 yrs and 6 mths") << -12 << "smallest that fits";
    QTest::newRow("far too wide") << QStringLiteral("49,815,034.72") << -1000 << "six points";
}

void Form5Test::fontShrinksOnlyAsFarAsNeeded()
{
    QFETCH(QString, text);
    QFETCH(int, extra);
    QFETCH(QString, expected);

    QFont font = QApplication::font();
    font.setPointSizeF(9);
    const int width = LaidOutWidth(font, text) + extra;
    const QFont fitted = FontToFit(font, text, width);

    if (expected == QLatin1String("unchanged")) {
        QCOMPARE(fitted, font);
    } else if (expected == QLatin1String("smallest that fits")) {
        QVERIFY(fitted.pointSizeF() < font.pointSizeF());
        QVERIFY(LaidOutWidth(fitted, text) <= width);
        QFont larger = fitted;
        larger.setPointSizeF(fitted.pointSizeF() + 0.5);
        QVERIFY(LaidOutWidth(larger, text) > width);
    } else {
        QCOMPARE(fitted.pointSizeF(), 6.0);
    }
}

QTEST_MAIN(Form5Test)
#include "Form5Test.moc"
