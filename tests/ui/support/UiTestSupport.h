// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MsgBox.h"

#include <QFont>
#include <QObject>
#include <QPalette>
#include <QRect>
#include <QTimer>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QImage;
class QWidget;

// The window tests run twice: in the desktop's default font, and with
// VESK_TEST_FONT ("family,points") in another family and size. Call from
// initTestCase, before any window exists; fails when the font is missing.
void UseTestFont();

// While it lives, the application font is so large that a client area
// designedHeight pixels tall in the font before becomes half as tall again
// as the primary screen's available area.
class ScreenOverflowFont {
public:
    explicit ScreenOverflowFont(int designedHeight);
    ~ScreenOverflowFont();
    ScreenOverflowFont(const ScreenOverflowFont&) = delete;
    ScreenOverflowFont& operator=(const ScreenOverflowFont&) = delete;

private:
    QFont previous_;
};

// Changes the application font as the desktop does while the program runs:
// every widget is told, as QApplication tells them only once its event loop
// runs (the tests run without it).
void ChangeApplicationFont(const QFont& font);

// While it lives, the application palette has the given colours in place
// of the desktop's (a dark desktop, for instance).
class DesktopColours {
public:
    DesktopColours(std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours);
    ~DesktopColours();
    DesktopColours(const DesktopColours&) = delete;
    DesktopColours& operator=(const DesktopColours&) = delete;

private:
    QPalette previous_;
};

// Where a label draws its text and the room it has for it (inside its
// frame), in its container's coordinates.
struct LabelText {
    QString name;
    QRect text;
    QRect room;
    int space; // the width of a blank in the label's font
};
// The labels of container that show a text.
std::vector<LabelText> LabelTexts(const QWidget* container);

// The height a painter gives text word-wrapped at width in font: its lines
// laid out one under the other as QPainter::drawText lays them, each with
// its full ascent and descent in the font's own (fractional) metrics, at
// least as high as QFontMetrics reckons it.
int PaintedTextHeight(const QFont& font, int width, const QString& text);

// Fails unless every control of window that is placed exactly (text boxes,
// push buttons, frames, the grid) stands at its designed twips in the
// window's mapping, and every label reads in full.
void VerifyPlacedInItsFont(QWidget* window);

// Fails the running test when a label's text, or the caption of an option
// button or check box, does not fit inside its room down to the last line's
// descent, or when a label's text comes closer than a blank to another
// label's text, in any container of window.
void VerifyLabelsReadable(const QWidget* window);

// The pixels of image inside area within 40 of colour in each channel.
int CountPixelsNear(const QImage& image, const QRect& area, const QColor& colour);

// Records every MsgBox instead of showing it, for as long as it lives.
class MsgBoxRecorder {
public:
    struct Message {
        std::string text;
        std::string title;
    };

    MsgBoxRecorder();
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    const std::vector<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    std::vector<Message> messages_;
    MsgBoxHandler previous_;
};

// Fails the running test and closes any modal window that is still open
// after `limitMs`, so that no test can hang on a modal loop.
class ModalWatchdog : public QObject {
    Q_OBJECT
public:
    explicit ModalWatchdog(int limitMs = 5000);
    ~ModalWatchdog() override;

    // Modal windows closed by the watchdog since it was armed.
    int closedCount() const { return closed_; }

private:
    void check();

    QTimer timer_;
    QObject* seen_ = nullptr;
    int ticks_ = 0;
    int limitTicks_;
    int closed_ = 0;
};
