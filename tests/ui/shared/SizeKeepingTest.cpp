// SPDX-License-Identifier: GPL-3.0-or-later
// Size keeping under a window manager that holds windows at a size of its
// own (run by under_refusing_wm.py on the real X11 platform): the windows
// ask for their designed size for a while, then take the size they are
// held at, lay themselves out for it and ask no more.
#include "Form1.h"
#include "Form2.h"
#include "Form5.h"
#include "LoanInputs.h"
#include "TwipsLayout.h"
#include "UiTestSupport.h"
#include "modCommonChecks.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <csignal>
#include <functional>
#include <memory>

namespace {

QSize SizeFrom(const char* variable)
{
    const QStringList parts = qEnvironmentVariable(variable).split(u'x');
    return parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : QSize();
}

// The requests the window manager has refused so far.
int Refusals()
{
    QFile log(qEnvironmentVariable("VESK_TEST_WM_LOG"));
    return log.open(QIODevice::ReadOnly) ? static_cast<int>(log.readAll().count("refused")) : -1;
}

std::unique_ptr<QWidget> PlanWindow()
{
    LoadCalcState(TillZero("100000", "7.5", "699"));
    return Form5::createLoaded(nullptr);
}

// Waits until the window, and the X window under it, have the held size
// and the window has stopped asking for another: no request for more than
// five retry intervals. Fails when the window still asks after far longer
// than its budget of two seconds.
void VerifySettlesAt(QWidget* window, const QSize& held)
{
    QElapsedTimer asking;
    asking.start();
    QTRY_COMPARE_WITH_TIMEOUT(window->size(), held, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(window->windowHandle()->size(), held, 10000);
    int refused = Refusals();
    for (int quiet = 0; quiet < 15 && asking.elapsed() < 10000; ++quiet) {
        QTest::qWait(100);
        if (Refusals() != refused) {
            refused = Refusals();
            quiet = 0;
        }
    }
    QVERIFY2(asking.elapsed() < 10000, "the window kept asking for its designed size");
    QCOMPARE(window->size(), held);
}

// Whether the screen shows the window as it paints itself out to its
// bottom right corner, rather than the X server's black there.
bool PaintedWhole(QWidget* window)
{
    const QRect area = window->geometry();
    const QRect corner(area.width() - 20, area.height() - 20, 20, 20);
    const QImage shown = window->screen()
                             ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                             .toImage()
                             .copy(corner)
                             .convertToFormat(QImage::Format_RGB32);
    const QImage painted =
        window->grab().toImage().copy(corner).convertToFormat(QImage::Format_RGB32);
    return shown == painted && CountPixelsNear(shown, shown.rect(), Qt::black) < 400;
}

} // namespace

class SizeKeepingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void heldSmallerThePlanGridTakesTheCut();
    void heldSmallerAnInformationPageScrolls();
    // Moves the windows the manager holds, so it comes last.
    void aNewTileIsAskedForAgainThenFilledWhole();
};

void SizeKeepingTest::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb") &&
                 SizeFrom("VESK_TEST_WM_HELD").isValid(),
             "run by under_refusing_wm.py");
    UseTestFont();
}

void SizeKeepingTest::heldSmallerThePlanGridTakesTheCut()
{
    const QSize held = SizeFrom("VESK_TEST_WM_HELD");
    const std::unique_ptr<QWidget> form = PlanWindow();
    const QSize designed =
        DesignedClientSize(form.get(), Form5::kDesignedHeight, Form5::kDesignedWidth);
    QVERIFY(designed.height() > held.height());
    form->show();
    VerifySettlesAt(form.get(), held);

    const TwipsMapping mapping = TwipsMapping::of(form.get());
    const int cut = designed.height() - held.height();
    auto* grid = form->findChild<QWidget*>(QStringLiteral("MSFlexGrid1"));
    QCOMPARE(grid->height(), mapping.y(360 + 4935) - mapping.y(360) - cut);
    auto* back = form->findChild<QPushButton*>(QStringLiteral("cmdBack"));
    QCOMPARE(back->y(), mapping.y(7080) - cut);
    QVERIFY(form->rect().contains(back->geometry()));
    QVERIFY(PaintedWhole(form.get()));
}

void SizeKeepingTest::heldSmallerAnInformationPageScrolls()
{
    const QSize held = SizeFrom("VESK_TEST_WM_HELD");
    Form2 page;
    page.show();
    VerifySettlesAt(&page, held);

    auto* area = page.findChild<QScrollArea*>();
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    auto* next = page.findChild<QPushButton*>(QStringLiteral("cmdContinue"));
    area->ensureWidgetVisible(next);
    QVERIFY(area->viewport()->rect().contains(
        QRect(next->mapTo(area->viewport(), QPoint()), next->size())));
}

// A tiling manager gives the windows a new tile, larger than their design:
// they ask for their size once more, then fill the tile, each painted whole
// with its design at its place.
void SizeKeepingTest::aNewTileIsAskedForAgainThenFilledWhole()
{
    const QSize held = SizeFrom("VESK_TEST_WM_HELD");
    const QSize tile = SizeFrom("VESK_TEST_WM_RETILE");
    Form1 main;
    const std::unique_ptr<QWidget> plan = PlanWindow();
    main.show();
    plan->show();
    VerifySettlesAt(&main, held);
    VerifySettlesAt(plan.get(), held);

    const int refused = Refusals();
    QVERIFY(kill(qEnvironmentVariableIntValue("VESK_TEST_WM_PID"), SIGUSR1) == 0);
    VerifySettlesAt(&main, tile);
    VerifySettlesAt(plan.get(), tile);
    QVERIFY2(Refusals() > refused, "the new tile was not asked about");

    QVERIFY(PaintedWhole(&main));
    QVERIFY(PaintedWhole(plan.get()));
    const TwipsMapping mapping = TwipsMapping::of(plan.get());
    auto* grid = plan->findChild<QWidget*>(QStringLiteral("MSFlexGrid1"));
    QCOMPARE(grid->geometry(), mapping.rect(840, 360, 5655, 4935));
}

QTEST_MAIN(SizeKeepingTest)
#include "SizeKeepingTest.moc"
