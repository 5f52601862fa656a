// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;

// Window geometry is designed in twips (1/1440 inch) for an 8-point
// sans-serif whose average character is 6 x 13 pixels at 96 dpi, 15 twips a
// pixel. Every window lays the design out in its own font, the way dialog
// units do: a twip across is 1/90 of the font's average character width (the
// width of "A".."Z" and "a".."z" over 52), a twip down 1/195 of the font's
// height. Rows, columns and proportions stay as designed, and each text keeps
// the room the design gave it in any family, size and device pixel ratio.
class TwipsMapping {
public:
    explicit TwipsMapping(const QFont& font);
    // The mapping of the window that holds widget, in that window's font.
    static TwipsMapping of(const QWidget* widget);

    int x(int twips) const;
    int y(int twips) const;
    QSize size(int width, int height) const;
    // Edges are mapped rather than sizes, so that touching controls stay touching.
    QRect rect(int left, int top, int width, int height) const;
    QRect rect(const QRect& twips) const;
    // A width in pixels, back in twips.
    double twipsAcross(double pixels) const;

private:
    double pixelsPerTwipX_;
    double pixelsPerTwipY_;
};

// Places control at its designed twips inside its container, in its window's
// mapping, and remembers the design (DesignedTwips).
void PlaceControl(QWidget* control, int left, int top, int width, int height);
// The designed twips of a placed control; an empty rectangle for any other widget.
QRect DesignedTwips(const QWidget* control);

// Gives a label a margin around its text and an indent before it, designed
// in twips, in its window's mapping, and remembers them.
void SetLabelMargins(QLabel* label, int marginTwips, int indentTwips);

// Places every placed control of window again at its designed twips, with
// its designed label margins, in the window's mapping as it is now: after a
// change of the window's font.
void PlaceControlsAgain(QWidget* window);

// A control named and placed as designed (twips) inside its container.
template <typename Control>
Control* AddControl(QWidget* container, const char* name, const QString& caption, int left, int top,
                    int width, int height)
{
    auto* control = new Control(caption, container);
    control->setObjectName(QLatin1String(name));
    PlaceControl(control, left, top, width, height);
    return control;
}

// The height text word-wrapped at width takes as a painter draws it in
// font: each line its full ascent and descent, in the font's own metrics
// (fractional at a device pixel ratio of 2), starting on a whole pixel.
int WrappedTextHeight(const QFont& font, int width, const QString& text);

// Gives every text of a window the room its font needs where the design is
// too tight for some fonts, once all its controls are placed: a one-line
// label, option button or check box grows to the right, into the free room
// before its neighbour, as far as its text needs; a label with a text keeps
// clear of the text of the label before it; a word-wrapped label, option
// button or check box grows to the height of its wrapped text, down from
// its top or around its middle as it aligns its text.
void GiveTextsRoom(QWidget* window);
// The same for one label whose text has just changed.
void GiveTextRoom(QLabel* label);
