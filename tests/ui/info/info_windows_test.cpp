// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleWidgets.h"
#include "Colours.h"
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "TwipsLayout.h"
#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <memory>

namespace {

// Runs `action` on the modal window once it is open.
void WhenModalOpens(const std::function<void(QWidget*)>& action)
{
    QTimer::singleShot(0, [action] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        action(QApplication::activeModalWidget());
    });
}

void Click(QWidget* window, const char* buttonName)
{
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    QVERIFY2(button != nullptr, buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

int OpenForm3Count()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form3*>(widget) != nullptr && widget->isVisible()) {
            ++count;
        }
    }
    return count;
}

} // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void continueReplacesTheFirstPageWithTheSecond();
    void continueBringsTheOpenSecondPageForward();
    void closeBoxOfTheFirstPageOpensNothing();
    void secondPageMainClosesIt();
    void fieldsWindowSamplesDoNothingAndMainCloses();
    void explanationsUseWindowAndToolTipTextColours_data();
    void explanationsUseWindowAndToolTipTextColours();
    void windowsSnapBackToTheirSize_data();
    void windowsSnapBackToTheirSize();
    void textsFitTheirControls_data();
    void textsFitTheirControls();
    void pagesScrollOnASmallScreen_data();
    void pagesScrollOnASmallScreen();
    // Runs the application's event loop, so it comes last.
    void secondPageOutlivesTheMainWindow();
    void screenReaderHearsEachTermAndNoSilentStop();

private:
    std::unique_ptr<QMainWindow> mainWindow_;
    std::unique_ptr<ModalWatchdog> watchdog_;
};

void InfoWindowsTest::initTestCase()
{
    UseTestFont();
    InstallAccessibleWidgets(); // as the program does at start
}

void InfoWindowsTest::init()
{
    watchdog_ = std::make_unique<ModalWatchdog>();
    mainWindow_ = std::make_unique<QMainWindow>();
    mainWindow_->show();
    mainWindow_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
}

void InfoWindowsTest::cleanup()
{
    if (Form3* page = Form3::openPage()) {
        page->close();
    }
    QTRY_COMPARE(Form3::openPage(), nullptr);
    mainWindow_.reset();
    QCOMPARE(watchdog_->closedCount(), 0);
    watchdog_.reset();
}

void InfoWindowsTest::continueReplacesTheFirstPageWithTheSecond()
{
    bool firstPageSeen = false;
    WhenModalOpens([&](QWidget* modal) {
        firstPageSeen = qobject_cast<Form2*>(modal) != nullptr;
        QCOMPARE(modal->windowTitle(), QStringLiteral(" About the Vesk Formula..."));
        QVERIFY(modal->isModal());
        Click(modal, "cmdContinue");
        // The first page is gone when the second appears.
        QVERIFY(!modal->isVisible());
    });
    Form2::showModal(mainWindow_.get());

    QVERIFY(firstPageSeen);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(mainWindow_->findChild<Form2*>() == nullptr);
    Form3* page = Form3::openPage();
    QVERIFY(page != nullptr);
    QVERIFY(page->isVisible());
    QVERIFY(!page->isModal());
    QCOMPARE(page->parentWidget(), nullptr);
    QCOMPARE(page->windowTitle(), QStringLiteral(" About the Vesk Formula..."));
}

void InfoWindowsTest::continueBringsTheOpenSecondPageForward()
{
    WhenModalOpens([](QWidget* modal) { Click(modal, "cmdContinue"); });
    Form2::showModal(mainWindow_.get());
    QPointer<Form3> first = Form3::openPage();
    QVERIFY(first != nullptr);

    WhenModalOpens([](QWidget* modal) { Click(modal, "cmdContinue"); });
    Form2::showModal(mainWindow_.get());

    QCOMPARE(Form3::openPage(), first.data());
    QCOMPARE(OpenForm3Count(), 1);
}

void InfoWindowsTest::closeBoxOfTheFirstPageOpensNothing()
{
    WhenModalOpens([](QWidget* modal) { modal->close(); });
    Form2::showModal(mainWindow_.get());
    QCoreApplication::processEvents();
    QCOMPARE(Form3::openPage(), nullptr);
    QCOMPARE(OpenForm3Count(), 0);
}

void InfoWindowsTest::secondPageMainClosesIt()
{
    QPointer<Form3> page = Form3::showPage();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    Click(page, "cmdMain");
    QTRY_VERIFY(page.isNull()); // unloaded, not only hidden
    QVERIFY(mainWindow_->isVisible());
}

void InfoWindowsTest::fieldsWindowSamplesDoNothingAndMainCloses()
{
    bool checked = false;
    WhenModalOpens([&](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral(" What Do Those Values Mean?"));
        auto* monthly = modal->findChild<QRadioButton*>(QStringLiteral("optMonthly"));
        auto* toZero = modal->findChild<QRadioButton*>(QStringLiteral("optToZero"));
        auto* maximum = modal->findChild<QCheckBox*>(QStringLiteral("Check1"));
        auto* disable = modal->findChild<QCheckBox*>(QStringLiteral("chkDisableVesk"));
        QVERIFY(monthly && toZero && maximum && disable);
        QVERIFY(!monthly->isChecked() && !toZero->isChecked());
        QVERIFY(!disable->isEnabled());
        for (const QWidget* sample : {static_cast<QWidget*>(monthly), static_cast<QWidget*>(toZero),
                                      static_cast<QWidget*>(maximum)}) {
            QVERIFY2(!(sample->focusPolicy() & Qt::TabFocus), qPrintable(sample->objectName()));
        }

        // Only their own look changes; the window stays open.
        QTest::mouseClick(toZero, Qt::LeftButton);
        QTest::mouseClick(maximum, Qt::LeftButton);
        QVERIFY(toZero->isChecked() && maximum->isChecked());
        QTest::mouseClick(disable, Qt::LeftButton);
        QVERIFY(!disable->isChecked());
        QCOMPARE(QApplication::activeModalWidget(), modal);
        checked = true;
        Click(modal, "cmdMain");
    });
    Form4::showModal(mainWindow_.get());
    QVERIFY(checked);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(mainWindow_->findChild<Form4*>() == nullptr);
    QCOMPARE(OpenForm3Count(), 0);
}

void InfoWindowsTest::explanationsUseWindowAndToolTipTextColours_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("toolTipText");
    QTest::addColumn<bool>("designed");
    QTest::newRow("light") << QColor(239, 239, 239) << QColor(Qt::black) << true;
    // Dark desktops often keep dark text on light tool tips.
    QTest::newRow("dark") << QColor(49, 54, 59) << QColor(35, 38, 41) << false;
}

// The tool-tip text colour on the window colour, lightened where a dark
// desktop would make it unreadable.
void InfoWindowsTest::explanationsUseWindowAndToolTipTextColours()
{
    QFETCH(QColor, window);
    QFETCH(QColor, toolTipText);
    QFETCH(bool, designed);
    const DesktopColours theme{{QPalette::Window, window}, {QPalette::ToolTipText, toolTipText}};

    Form4 form;
    for (int i = 7; i <= 16; ++i) {
        auto* label = form.findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
        QVERIFY2(label != nullptr, qPrintable(QString::number(i)));
        QVERIFY(label->autoFillBackground());
        const QColor text = label->palette().color(QPalette::WindowText);
        QCOMPARE(label->palette().color(QPalette::Window), window);
        QCOMPARE(text == toolTipText, designed);
        QVERIFY(ContrastRatio(text, window) >= 4.5);
        const QRect column = TwipsMapping::of(&form).rect(2880, 0, 3135, 1);
        QCOMPARE(label->x(), column.x());
        QCOMPARE(label->width(), column.width());
    }
    QVERIFY(!form.findChild<QLabel*>(QStringLiteral("Label3"))->autoFillBackground());
}

using MakeWindow = std::function<QWidget*()>;
Q_DECLARE_METATYPE(MakeWindow)

void InfoWindowsTest::windowsSnapBackToTheirSize_data()
{
    QTest::addColumn<MakeWindow>("make");
    QTest::addColumn<QSize>("outer"); // designed width and height, twips
    QTest::newRow("Form2") << MakeWindow([] { return new Form2(); }) << QSize(9270, 9600);
    QTest::newRow("Form3") << MakeWindow([] { return new Form3(); }) << QSize(9270, 9015);
    QTest::newRow("Form4") << MakeWindow([] { return new Form4(); }) << QSize(7125, 9000);
}

// The client area is the designed one, less the design's borders and title
// bar, in the window's font.
void InfoWindowsTest::windowsSnapBackToTheirSize()
{
    QFETCH(MakeWindow, make);
    QFETCH(QSize, outer);
    std::unique_ptr<QWidget> window(make());
    const QSize designed =
        TwipsMapping::of(window.get()).size(outer.width() - 120, outer.height() - 405);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), designed);
    QVERIFY(!window->windowIcon().pixmap(32).isNull()); // the lightning bolt loads
    QVERIFY(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    window->resize(designed.width() + 150, designed.height() - 200);
    QTRY_COMPARE(window->size(), designed);

    window->showMaximized();
    QTRY_VERIFY(!window->isMaximized());
    QTRY_COMPARE(window->size(), designed);
}

void InfoWindowsTest::textsFitTheirControls_data()
{
    windowsSnapBackToTheirSize_data();
}

// Every caption must be readable in full at the designed size.
void InfoWindowsTest::textsFitTheirControls()
{
    QFETCH(MakeWindow, make);
    std::unique_ptr<QWidget> window(make());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    const auto labels = window->findChildren<QLabel*>();
    QVERIFY(labels.size() >= 10);
    for (const QLabel* label : labels) {
        const QWidget* page = label->parentWidget();
        QVERIFY2(page->rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
    VerifyLabelsReadable(window.get());
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QWidget* page = button->parentWidget();
        QVERIFY2(page->rect().contains(button->geometry()), qPrintable(button->objectName()));
        if (qobject_cast<const QPushButton*>(button) != nullptr) {
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width(),
                     qPrintable(button->objectName()));
            continue;
        }
        // Option buttons and check boxes wrap their caption beside the indicator.
        const int indicator =
            qobject_cast<const QRadioButton*>(button) != nullptr
                ? button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                      button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing)
                : button->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                      button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        const QRect room(0, 0, button->width() - indicator, button->height());
        const QRect needed =
            button->fontMetrics().boundingRect(room, Qt::TextWordWrap, button->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(button->objectName()));
    }
}

void InfoWindowsTest::pagesScrollOnASmallScreen_data()
{
    windowsSnapBackToTheirSize_data();
}

// In a font large enough the pages are taller than the screen: each is held
// at the largest size that fits, and its page scrolls to every control.
void InfoWindowsTest::pagesScrollOnASmallScreen()
{
    QFETCH(MakeWindow, make);
    const int designedHeight = std::unique_ptr<QWidget>(make())->height();
    const ScreenOverflowFont large(designedHeight);

    std::unique_ptr<QWidget> window(make());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QSize available = window->screen()->availableGeometry().size();
    const QSize kept = window->size();
    QVERIFY(kept.width() < available.width() && kept.height() < available.height());

    auto* area = window->findChild<QScrollArea*>();
    QVERIFY(area != nullptr);
    QVERIFY(area->widget()->height() > area->viewport()->height());
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    const auto buttons = area->widget()->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 1);
    area->ensureWidgetVisible(buttons.front());
    const QRect shown(buttons.front()->mapTo(area->viewport(), QPoint()), buttons.front()->size());
    QVERIFY(area->viewport()->rect().contains(shown));

    window->resize(kept + QSize(40, 40));
    QTRY_COMPARE(window->size(), kept);
}

// The program ends with its last window: closing the main window leaves the
// event loop running while the second page is open.
void InfoWindowsTest::secondPageOutlivesTheMainWindow()
{
    QVERIFY(QApplication::quitOnLastWindowClosed());
    QPointer<Form3> page = Form3::showPage();
    QVERIFY(QTest::qWaitForWindowExposed(page));

    bool stillRunning = false;
    bool timedOut = false;
    QTimer::singleShot(0, [this] { mainWindow_->close(); });
    QTimer::singleShot(300, [&] {
        stillRunning = !page.isNull() && page->isVisible();
        if (page) {
            page->close();
        }
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    giveUp.start(5000);

    QApplication::exec();

    QVERIFY(stillRunning);
    QVERIFY(!timedOut);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(page.isNull());
}

// A screen reader reads the fields window's description as it opens: every
// name, the sample controls' too, with its explanation, in the window's
// order. No explanation is read again on its own, since each is tied to its
// name. The pages' only Tab stops are their buttons.
void InfoWindowsTest::screenReaderHearsEachTermAndNoSilentStop()
{
    const Form4 fields;
    const QString description = fields.accessibleDescription();
    const char* const terms[] = {
        "Outstanding Balance",         "Interest Rate (APR)",
        "Scheduled Payment",           "Monthly Payment OPTION",
        "Payments Till Zero OPTION",   "Total Amount Saved (if follow payment plan)",
        "Vesk's Mnthly Pymnt DISPLAY", "Payoff Period DISPLAY",
        "Set Maximum Monthly Payment", "Disable Vesk Method"};
    qsizetype previous = -1;
    for (int row = 0; row < int(std::size(terms)); ++row) {
        const auto* explanation = fields.findChild<QLabel*>(QStringLiteral("Label%1").arg(7 + row));
        QVERIFY(explanation != nullptr);
        const qsizetype at = description.indexOf(QLatin1String(terms[row]) + QStringLiteral(": ") +
                                                 explanation->text());
        QVERIFY2(at > previous, terms[row]);
        previous = at;
        QVERIFY(!QAccessible::queryAccessibleInterface(const_cast<QLabel*>(explanation))
                     ->relations()
                     .isEmpty());
    }

    const Form2 first;
    const Form3 second;
    for (const QWidget* page : std::initializer_list<const QWidget*>{&first, &second}) {
        QStringList stops;
        const QWidget* current = page;
        do {
            if ((current->focusPolicy() & Qt::TabFocus) && current->isEnabled()) {
                stops << current->objectName();
            }
            current = current->nextInFocusChain();
        } while (current != page);
        QCOMPARE(stops.size(), 1);
        QVERIFY2(stops.front().startsWith(QLatin1String("cmd")), qPrintable(stops.front()));
    }
}

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
