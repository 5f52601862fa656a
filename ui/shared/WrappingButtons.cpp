// SPDX-License-Identifier: GPL-3.0-or-later
#include "WrappingButtons.h"

#include "TwipsLayout.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>

namespace {

constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

// Draws the indicator through the style, then the caption word-wrapped in
// the room the style leaves beside it, with the focus frame around the text.
void paintWrapped(QAbstractButton* button, QStyle::ControlElement control,
                  QStyle::SubElement contents, QStyleOptionButton& option)
{
    const QString caption = option.text;
    const bool focused = option.state & QStyle::State_HasFocus;
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus;
    QStylePainter painter(button);
    painter.drawControl(control, option);

    option.text = caption;
    const QRect area = button->style()->subElementRect(contents, &option, button);
    painter.drawItemText(area, kCaptionFlags, option.palette, button->isEnabled(), caption,
                         QPalette::WindowText);
    if (focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(button);
        focus.rect = painter.fontMetrics().boundingRect(area, kCaptionFlags, caption);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

int wrappedHeight(const QAbstractButton* button, QStyle::SubElement contents,
                  QStyleOptionButton& option, int width)
{
    option.rect = QRect(0, 0, width, QWIDGETSIZE_MAX);
    const QRect area = button->style()->subElementRect(contents, &option, button);
    const int textHeight = WrappedTextHeight(button->font(), area.width(), option.text);
    const int indicatorHeight =
        button->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, button);
    return std::max(textHeight, indicatorHeight);
}

} // namespace

int WrappingRadioButton::heightForWidth(int width) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return wrappedHeight(this, QStyle::SE_RadioButtonContents, option, width);
}

int WrappingCheckBox::heightForWidth(int width) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return wrappedHeight(this, QStyle::SE_CheckBoxContents, option, width);
}

void WrappingRadioButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintWrapped(this, QStyle::CE_RadioButton, QStyle::SE_RadioButtonContents, option);
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintWrapped(this, QStyle::CE_CheckBox, QStyle::SE_CheckBoxContents, option);
}
