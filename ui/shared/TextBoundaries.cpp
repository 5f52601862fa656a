// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextBoundaries.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <vector>

namespace {

bool IsLineLike(QAccessible::TextBoundaryType type)
{
    return type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary ||
           type == QAccessible::NoBoundary;
}

// Every offset where a piece starts or ends, in order, 0 and the length
// included. Words are the items the Unicode rules find ("100,000.50" and
// "12abc" are one word each) and the runs between them.
std::vector<int> Boundaries(const QString& text, QAccessible::TextBoundaryType type)
{
    const auto length = static_cast<int>(text.size());
    std::vector<int> found{0};
    if (type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary) {
        for (int at = 0; at < length; ++at) {
            if (text.at(at) == u'\n') {
                found.push_back(at + 1);
            }
        }
    } else if (type != QAccessible::NoBoundary) {
        const auto kind = type == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                          : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                              : QTextBoundaryFinder::Sentence;
        const auto itemEdge = QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem;
        QTextBoundaryFinder finder(kind, text);
        // Each step moves forward and the finder answers -1 past the end; the
        // count of steps bounds the walk all the same.
        qsizetype at = finder.toNextBoundary();
        for (int steps = 0; at > 0 && at <= length && steps <= length;
             ++steps, at = finder.toNextBoundary()) {
            if (kind != QTextBoundaryFinder::Word || (finder.boundaryReasons() & itemEdge)) {
                found.push_back(static_cast<int>(at));
            }
        }
    }
    found.push_back(length);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

TextSegment Piece(const QString& text, int start, int end)
{
    return {text.mid(start, end - start), start, end};
}

// The pieces of a text and the one an offset falls in. Piece i runs from
// edges[i] to edges[i + 1]; the index pieces() stands for the empty piece at
// the end of the text.
struct Pieces {
    std::vector<int> edges;
    int index = -1; // -1 for an offset outside the text

    int pieces() const { return static_cast<int>(edges.size()) - 1; }
};

Pieces Locate(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    Pieces located{Boundaries(text, type)};
    const auto length = static_cast<int>(text.size());
    if (offset < 0 || offset > length) {
        return located;
    }
    if (offset == length) {
        const bool endsLine = length > 0 && text.back() != u'\n' && IsLineLike(type);
        located.index = endsLine ? located.pieces() - 1 : located.pieces();
        return located;
    }
    const auto next = std::upper_bound(located.edges.begin(), located.edges.end(), offset);
    located.index = static_cast<int>(next - located.edges.begin()) - 1;
    return located;
}

TextSegment PieceAt(const QString& text, const Pieces& located, int index)
{
    const auto length = static_cast<int>(text.size());
    if (index == located.pieces() && located.index == index) {
        return {QString(), length, length}; // the empty piece at the end
    }
    if (index < 0 || index >= located.pieces()) {
        return {};
    }
    return Piece(text, located.edges[static_cast<std::size_t>(index)],
                 located.edges[static_cast<std::size_t>(index) + 1]);
}

} // namespace

TextSegment TextSegmentAt(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const Pieces located = Locate(text, offset, type);
    return located.index < 0 ? TextSegment{} : PieceAt(text, located, located.index);
}

TextSegment TextSegmentBefore(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const Pieces located = Locate(text, offset, type);
    return located.index < 1 ? TextSegment{} : PieceAt(text, located, located.index - 1);
}

TextSegment TextSegmentAfter(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const Pieces located = Locate(text, offset, type);
    return located.index < 0 ? TextSegment{} : PieceAt(text, located, located.index + 1);
}
