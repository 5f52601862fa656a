// SPDX-License-Identifier: GPL-3.0-or-later
// The payment plan window's layout: the design in the font in use, columns
// that fit their headers, the altered caption's colour, the designed size
// and the cut on a small screen.
#include "Colours.h"
#include "Form5.h"
#include "LoanInputs.h"
#include "PlanWindowDriver.h"
#include "TwipsLayout.h"
#include "UiTestSupport.h"
#include "modCommonChecks.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <cmath>
#include <memory>

class Form5LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void columnsWidenToTheirHeaders();
    void frameCaptionColourShowsInEveryStyle_data();
    void frameCaptionColourShowsInEveryStyle();
    void keepsItsDesignedSize();
    void gridTakesTheCutOnASmallScreen();
    void alteredCaptionReadsOnADarkDesktop();
    void screenReaderHearsHeadlineAndSummaries();

private:
    PlanWindowCases cases_;
};

void Form5LayoutTest::initTestCase()
{
    cases_.initTestCase();
}

void Form5LayoutTest::init()
{
    cases_.init();
}

void Form5LayoutTest::cleanup()
{
    QVERIFY2(cases_.cleanup(), "a plan window was left open");
}

void Form5LayoutTest::layoutFollowsTheDesign_data()
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

void Form5LayoutTest::layoutFollowsTheDesign()
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

void Form5LayoutTest::columnsWidenToTheirHeaders()
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

void Form5LayoutTest::frameCaptionColourShowsInEveryStyle_data()
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

void Form5LayoutTest::frameCaptionColourShowsInEveryStyle()
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

void Form5LayoutTest::keepsItsDesignedSize()
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

// In a font large enough the plan window is taller than the screen: it is
// held at the height that fits, the grid gives up the difference and the
// frames, the saved amount and Back move up with the window's bottom.
void Form5LayoutTest::gridTakesTheCutOnASmallScreen()
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
void Form5LayoutTest::alteredCaptionReadsOnADarkDesktop()
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

// The window's description is the headline a screen reader speaks as it
// opens; Tab goes from the grid to the two summaries, each read as its
// title ("altered" without the asterisks) and its figures, and then to Back.
void Form5LayoutTest::screenReaderHearsHeadlineAndSummaries()
{
    const std::unique_ptr<Form5> form =
        OpenPlan(TillZero("100000", "7.5", "699", Limit::Maximum, "1000"));
    QVERIFY(form != nullptr);
    QCOMPARE(form->accessibleDescription(),
             QStringLiteral("Vesk's Method altered: Payoff Period 16 yrs and 1 mth. Minimum "
                            "Payment Plan: Payoff Period 30 yrs and 1 mth. Amount Saved On "
                            "Interest $74,536.84."));
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const QList<QPair<QString, QString>> summaries{
        {"Vesk's Method altered", "Payoff Period 16 yrs and 1 mth, Aver Mnthly Pymt $919.14"},
        {"Minimum Payment Plan", "Payoff Period 30 yrs and 1 mth, Mnthly Pymt $699.00"}};
    for (const auto& [name, figures] : summaries) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QAccessibleInterface* summary =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        QCOMPARE(summary->role(), QAccessible::Grouping);
        QCOMPARE(summary->text(QAccessible::Name), name);
        QCOMPARE(summary->text(QAccessible::Description), figures);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(form.get(), "cmdBack"));
}

QTEST_MAIN(Form5LayoutTest)
#include "Form5LayoutTest.moc"
