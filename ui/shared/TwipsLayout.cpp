// SPDX-License-Identifier: GPL-3.0-or-later
#include "TwipsLayout.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QLabel>
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

} // namespace

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
            const int needed = control->hasHeightForWidth()
                                   ? control->heightForWidth(control->width())
                                   : control->sizeHint().height();
            const QRect placed = control->geometry();
            if (needed > placed.height()) {
                control->setGeometry(placed.x(), placed.y() - (needed - placed.height()) / 2,
                                     placed.width(), needed);
            }
        }
    }
}
