// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QString>

// The pieces of a text a screen reader asks for: the character, word,
// sentence or line at, before or after an offset. Offsets run from 0 to the
// text's length; every answer is found by one pass over the text, so no
// question can keep the program busy.
struct TextSegment {
    QString text;
    int start = -1; // -1 and -1 when there is no such piece
    int end = -1;

    friend bool operator==(const TextSegment&, const TextSegment&) = default;
};

// The piece containing offset. At the end of the text that is the empty
// piece there, except for lines: the end belongs to the last line. An empty
// text is one empty line, so every kind of piece at its offset 0 is empty.
TextSegment TextSegmentAt(const QString& text, int offset, QAccessible::TextBoundaryType type);
// The piece before, or after, the one TextSegmentAt gives; none at either end.
TextSegment TextSegmentBefore(const QString& text, int offset, QAccessible::TextBoundaryType type);
TextSegment TextSegmentAfter(const QString& text, int offset, QAccessible::TextBoundaryType type);
