// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "UiTestSupport.h"
#include "modCommonChecks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

// Designed outer sizes, less what the window manager adds around the client area.
QSize ClientSize(int height, int width)
{
    return {Twips(width - 120), Twips(height - 405)};
}

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
    void init();
    void cleanup();

    void continueReplacesTheFirstPageWithTheSecond();
    void continueBringsTheOpenSecondPageForward();
    void closeBoxOfTheFirstPageOpensNothing();
    void secondPageMainClosesIt();
    void fieldsWindowSamplesDoNothingAndMainCloses();
    void explanationsUseWindowAndToolTipTextColours();
    void windowsSnapBackToTheirSize_data();
    void windowsSnapBackToTheirSize();
    void textsFitTheirControls_data();
    void textsFitTheirControls();
    // Runs the application's event loop, so it comes last.
    void secondPageOutlivesTheMainWindow();

private:
    std::unique_ptr<QMainWindow> mainWindow_;
    std::unique_ptr<ModalWatchdog> watchdog_;
};

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

void InfoWindowsTest::explanationsUseWindowAndToolTipTextColours()
{
    Form4 window;
    const QPalette system = window.palette();
    for (int i = 7; i <= 16; ++i) {
        auto* label = window.findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
        QVERIFY2(label != nullptr, qPrintable(QString::number(i)));
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), system.color(QPalette::Window));
        QCOMPARE(label->palette().color(QPalette::WindowText), system.color(QPalette::ToolTipText));
        QCOMPARE(label->x(), Twips(2880));
        QCOMPARE(label->width(), Twips(3135));
    }
    QVERIFY(!window.findChild<QLabel*>(QStringLiteral("Label3"))->autoFillBackground());
}

using MakeWindow = std::function<QWidget*()>;
Q_DECLARE_METATYPE(MakeWindow)

void InfoWindowsTest::windowsSnapBackToTheirSize_data()
{
    QTest::addColumn<MakeWindow>("make");
    QTest::addColumn<QSize>("designed");
    QTest::newRow("Form2") << MakeWindow([] { return new Form2(); }) << ClientSize(9600, 9270);
    QTest::newRow("Form3") << MakeWindow([] { return new Form3(); }) << ClientSize(9015, 9270);
    QTest::newRow("Form4") << MakeWindow([] { return new Form4(); }) << ClientSize(9000, 7125);
}

void InfoWindowsTest::windowsSnapBackToTheirSize()
{
    QFETCH(MakeWindow, make);
    QFETCH(QSize, designed);
    std::unique_ptr<QWidget> window(make());
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
        QVERIFY2(window->rect().contains(label->geometry()), qPrintable(label->objectName()));
        const int needed = label->heightForWidth(label->width());
        QVERIFY2(needed <= label->height(), qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                                                           .arg(label->objectName())
                                                           .arg(needed)
                                                           .arg(label->height())));
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        QVERIFY2(window->rect().contains(button->geometry()), qPrintable(button->objectName()));
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

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
