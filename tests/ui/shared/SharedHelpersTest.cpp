// SPDX-License-Identifier: GPL-3.0-or-later
// The helpers every window shares: the fitting font, the twips mapping.

#include "FittingFont.h"
#include "TwipsLayout.h"
#include "UiTestSupport.h"
#include "modCommonChecks.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QScreen>
#include <QTest>

namespace {

// The width of text as a label lays it out in font.
int LaidOutWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, 10000, 1000), Qt::AlignLeft, text).width();
}

} // namespace

class SharedHelpersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void twipsFollowTheFontsAverageCharacter_data();
    void twipsFollowTheFontsAverageCharacter();
    void fontShrinksOnlyAsFarAsNeeded_data();
    void fontShrinksOnlyAsFarAsNeeded();
    void dialogsFitTheScreen_data();
    void dialogsFitTheScreen();
};

void SharedHelpersTest::initTestCase()
{
    UseTestFont();
}

void SharedHelpersTest::twipsFollowTheFontsAverageCharacter_data()
{
    QTest::addColumn<double>("points");
    QTest::newRow("8 pt") << 8.0;
    QTest::newRow("10 pt") << 10.0;
    QTest::newRow("14 pt") << 14.0;
}

// The design's 8-point character, 90 x 195 twips, becomes the font's average
// character (the alphabet's width over 52) by its line height; touching
// controls stay touching.
void SharedHelpersTest::twipsFollowTheFontsAverageCharacter()
{
    QFETCH(double, points);
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    const QFontMetricsF metrics(font);
    const double character = metrics.horizontalAdvance(QStringLiteral(
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                             52;
    const TwipsMapping mapping(font);

    // Sixty characters across and ten lines down.
    QVERIFY(std::abs(mapping.x(60 * 90) - 60 * character) <= 0.5);
    QVERIFY(std::abs(mapping.y(10 * 195) - 10 * metrics.height()) <= 0.5);
    const QRect left = mapping.rect(600, 240, 1575, 255);
    const QRect right = mapping.rect(2175, 240, 1335, 255);
    QCOMPARE(left.right() + 1, right.left());
}

void SharedHelpersTest::fontShrinksOnlyAsFarAsNeeded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("extra"); // room beyond the text's width at 9 points
    QTest::addColumn<QString>("expected");

    QTest::newRow("fits") << QStringLiteral("14 yrs and 11 mths") << 0 << "unchanged";
    QTest::newRow("slightly too wide")
        << QStringLiteral("2730 yrs and 6 mths") << -12 << "smallest that fits";
    QTest::newRow("far too wide") << QStringLiteral("49,815,034.72") << -1000 << "six points";
}

void SharedHelpersTest::fontShrinksOnlyAsFarAsNeeded()
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

void SharedHelpersTest::dialogsFitTheScreen_data()
{
    QTest::addColumn<QSize>("wanted"); // in hundredths of the screen
    QTest::newRow("half a screen") << QSize(50, 50);
    QTest::newRow("taller than the screen") << QSize(50, 300);
    QTest::newRow("larger every way") << QSize(400, 400);
}

// A dialog of ours asking for more than the screen gets what fits, with
// its frame, and sits over its parent inside the screen.
void SharedHelpersTest::dialogsFitTheScreen()
{
    QFETCH(QSize, wanted);
    QWidget parent;
    parent.resize(300, 200);
    parent.show();
    QDialog dialog(&parent);
    const QRect available = parent.screen()->availableGeometry();
    const QSize asked(available.width() * wanted.width() / 100,
                      available.height() * wanted.height() / 100);
    FitDialogToScreen(&dialog, asked);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const bool fits = asked.width() < available.width() && asked.height() < available.height();
    QCOMPARE(dialog.size() == asked, fits);
    QVERIFY(available.contains(dialog.frameGeometry()));
}

QTEST_MAIN(SharedHelpersTest)
#include "SharedHelpersTest.moc"
