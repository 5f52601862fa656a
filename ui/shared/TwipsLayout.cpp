// SPDX-License-Identifier: GPL-3.0-or-later
#include "TwipsLayout.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QLabel>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// The design's average character, in twips: 6 x 13 pixels at 15 twips a pixel.
constexpr double kDesignCharWidthTwips = 6 * 15;
constexpr double kDesignCharHeightTwips = 13 * 15;

// The space a widened label leaves before its neighbour.
constexpr int kCaptionGapTwips = 60;

constexpr char kDesignedTwipsProperty[] = "designedTwips";
constexpr char kLabelMarginsProperty[] = "designedMarginsTwips"; // margin, indent

void ApplyLabelMargins(QLabel* label)
{
    const QPoint twips = label->property(kLabelMarginsProperty).toPoint();
    const TwipsMapping mapping = TwipsMapping::of(label);
    label->setMargin(mapping.y(twips.x()));
    label->setIndent(mapping.x(twips.y()));
}

// A placed container's designed width; otherwise the container fills its
// window's client area (which a main window lays out only once it is shown).
int ContainerWidth(const QWidget* container)
{
    const QRect twips = DesignedTwips(container);
    if (!twips.isEmpty()) {
        return TwipsMapping::of(container).rect(twips).width();
    }
    return container->isWindow() ? container->width() : container->window()->width();
}

// Where a label's text ends, in its container.
int TextRight(const QLabel* label)
{
    if (label->text().isEmpty()) {
        return label->x();
    }
    const int flags =
        static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect text =
        label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
    return label->x() + text.right() + 1;
}

// Places a control at its designed twips, as wide as its one-line text
// needs where the free room on its right allows: short of the next control
// in its row, or of its container's edge. A label with a text also keeps
// clear of the text of a label before it in its row (a value beside its
// caption); an empty one keeps its designed left edge.
void WidenIntoRoom(QWidget* control, bool keepLeftEdge)
{
    const QRect twips = DesignedTwips(control);
    const QWidget* container = control->parentWidget();
    if (twips.isEmpty() || container == nullptr) {
        return;
    }
    const TwipsMapping mapping = TwipsMapping::of(control);
    const int gap = mapping.x(kCaptionGapTwips);
    QRect placed = mapping.rect(twips);
    int left = placed.left();
    int right = ContainerWidth(container) - gap;
    for (const QObject* child : container->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling == nullptr || sibling == control || sibling->isWindow()) {
            continue;
        }
        const QRect other = sibling->geometry();
        if (other.top() > placed.bottom() || other.bottom() < placed.top()) {
            continue; // another row
        }
        if (other.left() > placed.left()) {
            right = std::min(right, other.left() - gap);
        } else if (const auto* caption = qobject_cast<const QLabel*>(sibling)) {
            left = std::max(left, TextRight(caption) + gap);
        }
    }
    if (!keepLeftEdge && qobject_cast<const QLabel*>(control) != nullptr) {
        placed.setLeft(left);
    }
    const int needed = control->sizeHint().width();
    if (needed > placed.width()) {
        placed.setWidth(std::max(placed.width(), std::min(needed, right - placed.left())));
    }
    control->setGeometry(placed);
}

// Grows control to height, down from its top or around its middle.
void GrowTo(QWidget* control, int height, bool aroundMiddle)
{
    const QRect placed = control->geometry();
    if (height <= placed.height()) {
        return;
    }
    const int up = aroundMiddle ? (height - placed.height()) / 2 : 0;
    control->setGeometry(placed.x(), placed.y() - up, placed.width(), height);
}

// The height a word-wrapped label needs for its text inside its frame,
// margin and indent.
int WrappedLabelHeight(const QLabel* label)
{
    const int margin = label->margin();
    const int width = label->contentsRect().width() - 2 * margin - std::max(label->indent(), 0);
    return WrappedTextHeight(label->font(), width, label->text()) + 2 * margin + label->height() -
           label->contentsRect().height();
}

} // namespace

int WrappedTextHeight(const QFont& font, int width, const QString& text)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    // A negative leading starts the first line above the top, by as much.
    const qreal leading = QFontMetricsF(font).leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height = std::ceil(height + leading) + line.ascent() + line.descent();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(height - std::min(std::ceil(leading), 0.0)));
}

TwipsMapping::TwipsMapping(const QFont& font)
{
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetricsF metrics(font);
    const double averageWidth = metrics.horizontalAdvance(alphabet) / alphabet.size();
    pixelsPerTwipX_ = averageWidth / kDesignCharWidthTwips;
    pixelsPerTwipY_ = metrics.height() / kDesignCharHeightTwips;
}

TwipsMapping TwipsMapping::of(const QWidget* widget)
{
    return TwipsMapping(widget->window()->font());
}

int TwipsMapping::x(int twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwipX_));
}

int TwipsMapping::y(int twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwipY_));
}

QSize TwipsMapping::size(int width, int height) const
{
    return {x(width), y(height)};
}

QRect TwipsMapping::rect(int left, int top, int width, int height) const
{
    return QRect(QPoint(x(left), y(top)), QPoint(x(left + width) - 1, y(top + height) - 1));
}

QRect TwipsMapping::rect(const QRect& twips) const
{
    return rect(twips.x(), twips.y(), twips.width(), twips.height());
}

double TwipsMapping::twipsAcross(double pixels) const
{
    return pixels / pixelsPerTwipX_;
}

void PlaceControl(QWidget* control, int left, int top, int width, int height)
{
    const QRect twips(left, top, width, height);
    control->setProperty(kDesignedTwipsProperty, twips);
    control->setGeometry(TwipsMapping::of(control).rect(twips));
}

QRect DesignedTwips(const QWidget* control)
{
    return control->property(kDesignedTwipsProperty).toRect();
}

void SetLabelMargins(QLabel* label, int marginTwips, int indentTwips)
{
    label->setProperty(kLabelMarginsProperty, QPoint(marginTwips, indentTwips));
    ApplyLabelMargins(label);
}

void PlaceControlsAgain(QWidget* window)
{
    const TwipsMapping mapping = TwipsMapping::of(window);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (const QRect twips = DesignedTwips(control); !twips.isEmpty()) {
            control->setGeometry(mapping.rect(twips));
        }
        if (auto* label = qobject_cast<QLabel*>(control);
            label != nullptr && label->property(kLabelMarginsProperty).isValid()) {
            ApplyLabelMargins(label);
        }
    }
}

void GiveTextRoom(QLabel* label)
{
    if (!label->wordWrap()) {
        WidenIntoRoom(label, label->text().isEmpty());
    } else if (!label->text().isEmpty()) {
        GrowTo(label, WrappedLabelHeight(label), label->alignment() & Qt::AlignVCenter);
    }
}

void GiveTextsRoom(QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (DesignedTwips(control).isEmpty()) {
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(control)) {
            GiveTextRoom(label);
        } else if (const auto* button = qobject_cast<QAbstractButton*>(control);
                   button != nullptr && button->isCheckable()) {
            if (!control->hasHeightForWidth()) {
                WidenIntoRoom(control, true);
            }
            GrowTo(control,
                   control->hasHeightForWidth() ? control->heightForWidth(control->width())
                                                : control->sizeHint().height(),
                   true);
        }
    }
}
