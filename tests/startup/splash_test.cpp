// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colours.h"
#include "Form1.h"
#include "TwipsLayout.h"
#include "UiTestSupport.h"
#include "frmSplash.h"
#include "modAppTexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kShortTickMs = 20;

QList<Form1*> MainWindows()
{
    QList<Form1*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Form1*>(widget); window != nullptr && window->isVisible()) {
            found.append(window);
        }
    }
    return found;
}

} // namespace

// Start-up with a shortened timer, against a temporary drive C:.
class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void splashLooksAsDesigned();
    void textsReadOnLightAndDarkDesktops_data();
    void textsReadOnLightAndDarkDesktops();
    void firstStartWritesTheMarkerThenShowsTheMainWindow();
    void presentMarkerIsLeftAlone();
    void unwritableFolderStillShowsTheMainWindow();
    void driveNotReadyIsReportedOnceAndTheMainWindowFollows();

private:
    QString drive() const { return dataHome_->filePath(QStringLiteral("VeskPayment/drive_c")); }
    QString markerFile() const
    {
        return drive() + QStringLiteral("/Program Files/VeskPayment/veskpayment.txt");
    }
    // Shows a splash and waits until it has handed over.
    void startUp();

    std::unique_ptr<QTemporaryDir> dataHome_;
    std::unique_ptr<ModalWatchdog> watchdog_;
};

void SplashTest::initTestCase()
{
    UseTestFont();
}

void SplashTest::init()
{
    dataHome_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dataHome_->isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_->path()));
    watchdog_ = std::make_unique<ModalWatchdog>();
}

void SplashTest::cleanup()
{
    for (Form1* window : MainWindows()) {
        window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(watchdog_->closedCount(), 0);
    watchdog_.reset();
    qunsetenv("XDG_DATA_HOME");
    dataHome_.reset();
}

void SplashTest::startUp()
{
    QPointer<frmSplash> splash = new frmSplash(kShortTickMs);
    QVERIFY(splash->loaded());
    splash->show();
    QTRY_VERIFY(splash.isNull());
    QTRY_COMPARE(MainWindows().size(), 1);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void SplashTest::splashLooksAsDesigned()
{
    frmSplash splash;
    QVERIFY(splash.loaded());
    QCOMPARE(AppTitle, std::string("Vesk Payment 1.0"));
    QCOMPARE(AppFolder, std::string("C:\\Program Files\\VeskPayment\\"));

    auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer != nullptr);
    QCOMPARE(timer->interval(), 1200);
    QVERIFY(timer->isActive());

    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    // Laid out in Arial's metrics, whatever the desktop's font.
    QCOMPARE(splash.font().family(), QStringLiteral("Arial"));
    const TwipsMapping mapping(splash.font());
    QCOMPARE(splash.size(), mapping.size(6525, 3165));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((splash.geometry().center() - screen.center()).manhattanLength() <= 2);
    auto* shape = splash.findChild<QFrame*>(QStringLiteral("Shape1"));
    QVERIFY(shape != nullptr);
    QCOMPARE(shape->geometry(), splash.rect());

    const struct {
        const char* name;
        QString text;
        QRect rect;
    } labels[] = {
        {"Label1", QStringLiteral("Vesk Payment 1.0"), mapping.rect(240, 360, 6015, 855)},
        {"Label2", QStringLiteral("Developed on July 2000"), mapping.rect(600, 1680, 2175, 255)},
        {"Label3", QString(), mapping.rect(600, 2160, 3015, 255)},
        {"Label4",
         QStringLiteral(
             "Use Vesk's Formula to help you get out of debt. This program is worthwhile."),
         mapping.rect(3360, 1560, 2655, 1335)},
        {"Label5", QStringLiteral("Version 1.0.0"), mapping.rect(360, 2760, 3135, 255)},
    };
    for (const auto& expected : labels) {
        auto* label = splash.findChild<QLabel*>(QString::fromLatin1(expected.name));
        QVERIFY2(label != nullptr, expected.name);
        if (!expected.text.isEmpty()) {
            QCOMPARE(label->text(), expected.text);
        }
        QVERIFY2(!label->text().isEmpty(), expected.name);
        QCOMPARE(label->geometry(), expected.rect);
        // Nothing may be cut off.
        const QSize needed = label->wordWrap()
                                 ? QSize(label->width(), label->heightForWidth(label->width()))
                                 : label->sizeHint();
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 expected.name);
    }
    VerifyLabelsReadable(&splash);
    const QFont title = splash.findChild<QLabel*>(QStringLiteral("Label1"))->font();
    QCOMPARE(title.family(), QStringLiteral("Arial"));
    QCOMPARE(title.pointSize(), 36);
    QVERIFY(title.bold() && title.italic());
}

void SplashTest::textsReadOnLightAndDarkDesktops_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("designedBlack");
    QTest::newRow("light") << QColor(239, 239, 239) << QColor(Qt::black) << true;
    QTest::newRow("light, grey text") << QColor(255, 255, 255) << QColor(60, 60, 60) << true;
    QTest::newRow("dark") << QColor(49, 54, 59) << QColor(239, 240, 241) << false;
}

// Black texts as designed where they read well, the desktop's own text
// colour on a dark desktop.
void SplashTest::textsReadOnLightAndDarkDesktops()
{
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QFETCH(bool, designedBlack);
    const DesktopColours theme{{QPalette::Window, background}, {QPalette::WindowText, text}};

    frmSplash splash;
    for (const QLabel* label : splash.findChildren<QLabel*>()) {
        const QColor shown = label->palette().color(QPalette::WindowText);
        QCOMPARE(shown, designedBlack ? QColor(Qt::black) : text);
        QVERIFY(ContrastRatio(shown, label->palette().color(QPalette::Window)) >= 4.5);
    }
}

void SplashTest::firstStartWritesTheMarkerThenShowsTheMainWindow()
{
    MsgBoxRecorder messages;
    QVERIFY(!QFile::exists(markerFile()));

    startUp();

    QFile marker(markerFile());
    QVERIFY(marker.open(QIODevice::ReadOnly));
    QCOMPARE(marker.readAll(), QByteArray("Vesk Payment 1.0\r\n"));
    QVERIFY(messages.messages().empty());
}

void SplashTest::presentMarkerIsLeftAlone()
{
    QVERIFY(QDir().mkpath(QFileInfo(markerFile()).path()));
    QFile marker(markerFile());
    QVERIFY(marker.open(QIODevice::WriteOnly)); // empty, but present
    marker.close();

    startUp();

    QCOMPARE(QFileInfo(markerFile()).size(), 0);
}

void SplashTest::unwritableFolderStillShowsTheMainWindow()
{
    MsgBoxRecorder messages;
    QVERIFY(QDir().mkpath(drive()));
    QFile blocker(drive() + QStringLiteral("/Program Files")); // a file where the folder belongs
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    startUp();

    QVERIFY(!QFile::exists(markerFile()));
    QVERIFY(messages.messages().empty());
}

// The drive message is the one message of the start-up; while it is open the
// timer is stopped, so the sequence cannot start over, and the main window
// follows once it is answered.
void SplashTest::driveNotReadyIsReportedOnceAndTheMainWindowFollows()
{
    QPointer<frmSplash> splash = new frmSplash(kShortTickMs);
    auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    std::vector<std::string> shown;
    bool timerRanDuringMessage = false;
    const MsgBoxHandler previous =
        SetMsgBoxHandler([&](const std::string& text, const std::string&) {
            shown.push_back(text);
            timerRanDuringMessage = timerRanDuringMessage || timer->isActive();
            QTest::qWait(10 * kShortTickMs);
        });

    AppFolder = "D:\\VeskPayment\\"; // a drive that is not ready
    splash->show();
    QTRY_VERIFY(splash.isNull());
    QTest::qWait(5 * kShortTickMs);
    SetMsgBoxHandler(previous);

    QVERIFY(!timerRanDuringMessage);
    QCOMPARE(MainWindows().size(), 1);
    QCOMPARE(shown, std::vector<std::string>{"You don't have a disk in the disk drive!!"});
}

QTEST_MAIN(SplashTest)
#include "splash_test.moc"
