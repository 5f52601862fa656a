// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleWidgets.h"

#include "UiTestSupport.h"

#include <QAccessible>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Ends the whole test program when the questions asked under it take longer
// than a few seconds: a question that never returns fails instead of hanging.
class Watchdog {
public:
    explicit Watchdog(const char* what)
        : thread_([this, what] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(10), [this] { return finished_; })) {
                  std::fprintf(stderr, "FAIL: %s did not return within 10 s\n", what);
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_; // last: it starts once the members above exist
};

// The widget kinds whose text a screen reader questions.
std::unique_ptr<QWidget> TextWidget(const QString& kind, const QString& text)
{
    if (kind == QLatin1String("line edit")) {
        auto edit = std::make_unique<QLineEdit>(text);
        edit->setAccessibleName(QStringLiteral("Scheduled Payment"));
        return edit;
    }
    auto label = std::make_unique<QLabel>(text);
    label->setWordWrap(true);
    return label;
}

struct Piece {
    QString text;
    int start;
    int end;
};

Piece AskAt(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type)
{
    Piece piece{{}, -2, -2};
    piece.text = text->textAtOffset(offset, type, &piece.start, &piece.end);
    return piece;
}

Piece AskBefore(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type)
{
    Piece piece{{}, -2, -2};
    piece.text = text->textBeforeOffset(offset, type, &piece.start, &piece.end);
    return piece;
}

Piece AskAfter(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type)
{
    Piece piece{{}, -2, -2};
    piece.text = text->textAfterOffset(offset, type, &piece.start, &piece.end);
    return piece;
}

#define COMPARE_PIECE(actual, expectedText, expectedStart, expectedEnd)                            \
    do {                                                                                           \
        const Piece got = (actual);                                                                \
        QCOMPARE(got.text, QString(expectedText));                                                 \
        QCOMPARE(got.start, expectedStart);                                                        \
        QCOMPARE(got.end, expectedEnd);                                                            \
    } while (false)

} // namespace

class AccessibleWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void singlePieceTextsAnswerAtEveryOffset_data();
    void singlePieceTextsAnswerAtEveryOffset();
    void wordsAndSentencesFollowEachOther();
    void spinBoxesAnswerThroughTheirLineEdit();
};

void AccessibleWidgetsTest::initTestCase()
{
    UseTestFont();
    InstallAccessibleWidgets();
}

void AccessibleWidgetsTest::singlePieceTextsAnswerAtEveryOffset_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    for (const char* kind : {"line edit", "label"}) {
        for (const char* text : {"", "699", "100,000.50", "12abc"}) {
            QTest::addRow("%s \"%s\"", kind, text) << kind << text;
        }
    }
}

// Each text is one word and one sentence: the piece at any offset inside it
// is the whole text, the end of the text is an empty piece after it, and
// nothing comes before the first piece or after the last. Attributes run
// over the whole text, so no character is left out of a run.
void AccessibleWidgetsTest::singlePieceTextsAnswerAtEveryOffset()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    const std::unique_ptr<QWidget> widget = TextWidget(kind, text);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget.get());
    QVERIFY(accessible != nullptr);
    QAccessibleTextInterface* answers = accessible->textInterface();
    QVERIFY(answers != nullptr);
    const auto length = static_cast<int>(text.size());
    QCOMPARE(answers->characterCount(), length);

    const Watchdog watchdog("a question about a text's words or sentences");
    for (const auto type : {QAccessible::WordBoundary, QAccessible::SentenceBoundary}) {
        // First what Orca asks on Ctrl+Left: the piece at the end.
        COMPARE_PIECE(AskAt(answers, length, type), QString(), length, length);
        for (int offset = 0; offset <= length; ++offset) {
            const bool atEnd = offset == length;
            COMPARE_PIECE(AskAt(answers, offset, type), atEnd ? QString() : text,
                          atEnd ? length : 0, length);
            COMPARE_PIECE(AskBefore(answers, offset, type), atEnd ? text : QString(),
                          atEnd && length > 0 ? 0 : -1, atEnd && length > 0 ? length : -1);
            COMPARE_PIECE(AskAfter(answers, offset, type), QString(), -1, -1);
        }
        COMPARE_PIECE(AskAt(answers, length + 1, type), QString(), -1, -1);
    }
    // The line holds the whole text, the end included.
    COMPARE_PIECE(AskAt(answers, length, QAccessible::LineBoundary), text, 0, length);

    for (int offset = 0; offset < length; ++offset) {
        int start = -2;
        int end = -2;
        QCOMPARE(answers->attributes(offset, &start, &end), QString());
        QCOMPARE(start, 0);
        QCOMPARE(end, length);
    }
}

void AccessibleWidgetsTest::wordsAndSentencesFollowEachOther()
{
    const QString text = QStringLiteral("Pay 699. Then 100,000.50 more.");
    const std::unique_ptr<QWidget> widget = TextWidget(QStringLiteral("line edit"), text);
    QAccessibleTextInterface* answers =
        QAccessible::queryAccessibleInterface(widget.get())->textInterface();
    const Watchdog watchdog("a question about words and sentences");

    COMPARE_PIECE(AskAt(answers, 5, QAccessible::WordBoundary), "699", 4, 7);
    COMPARE_PIECE(AskBefore(answers, 5, QAccessible::WordBoundary), " ", 3, 4);
    COMPARE_PIECE(AskAfter(answers, 5, QAccessible::WordBoundary), ". ", 7, 9);
    COMPARE_PIECE(AskAt(answers, 16, QAccessible::WordBoundary), "100,000.50", 14, 24);
    COMPARE_PIECE(AskBefore(answers, 30, QAccessible::WordBoundary), ".", 29, 30);
    COMPARE_PIECE(AskAt(answers, 12, QAccessible::SentenceBoundary), "Then 100,000.50 more.", 9,
                  30);
    COMPARE_PIECE(AskBefore(answers, 12, QAccessible::SentenceBoundary), "Pay 699. ", 0, 9);
    COMPARE_PIECE(AskAt(answers, 3, QAccessible::CharBoundary), " ", 3, 4);

    // -1 stands for the end of the text, -2 for the caret.
    static_cast<QLineEdit*>(widget.get())->setCursorPosition(5);
    COMPARE_PIECE(AskAt(answers, -2, QAccessible::WordBoundary), "699", 4, 7);
    COMPARE_PIECE(AskBefore(answers, -1, QAccessible::SentenceBoundary), "Then 100,000.50 more.", 9,
                  30);
}

// A spin box's text questions reach the program's line-edit answers, not
// the line-edit interface Qt makes for spin boxes itself; its value, range
// and steps stay the box's own.
void AccessibleWidgetsTest::spinBoxesAnswerThroughTheirLineEdit()
{
    QDoubleSpinBox box;
    box.setLocale(QLocale::c());
    box.setRange(15, 1000000);
    box.setValue(699);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->role(), QAccessible::SpinBox);
    QAccessibleTextInterface* answers = accessible->textInterface();
    QVERIFY(answers != nullptr);
    const QString text = QStringLiteral("699.00");
    const auto length = static_cast<int>(text.size());
    QCOMPARE(answers->characterCount(), length);
    {
        const Watchdog watchdog("a question about a spin box's words");
        COMPARE_PIECE(AskAt(answers, length, QAccessible::WordBoundary), QString(), length, length);
        COMPARE_PIECE(AskBefore(answers, length, QAccessible::WordBoundary), text, 0, length);
        COMPARE_PIECE(AskAt(answers, 0, QAccessible::SentenceBoundary), text, 0, length);
    }
    QAccessibleValueInterface* value = accessible->valueInterface();
    QVERIFY(value != nullptr);
    QCOMPARE(value->currentValue().toDouble(), 699.0);
    QCOMPARE(value->minimumValue().toDouble(), 15.0);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(box.value(), 700.0);
}

QTEST_MAIN(AccessibleWidgetsTest)
#include "AccessibleWidgetsTest.moc"
