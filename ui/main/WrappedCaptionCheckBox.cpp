#include "WrappedCaptionCheckBox.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>

QRect WrappedCaptionCheckBox::captionArea(const QSize& boxSize) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(0, 0), boxSize);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

int WrappedCaptionCheckBox::heightForWidth(int width) const
{
    const QRect area = captionArea(QSize(width, QWIDGETSIZE_MAX));
    const int textHeight =
        fontMetrics()
            .boundingRect(QRect(0, 0, area.width(), QWIDGETSIZE_MAX), kCaptionFlags, text())
            .height();
    const int indicatorHeight = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    return std::max(textHeight, indicatorHeight);
}

void WrappedCaptionCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool focused = option.state & QStyle::State_HasFocus;

    // The style draws the indicator alone; the caption is laid out here.
    const QString caption = option.text;
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_CheckBox, option);

    const QRect area = captionArea(size());
    painter.drawItemText(area, kCaptionFlags, palette(), isEnabled(), caption,
                         QPalette::WindowText);
    if (focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.fontMetrics().boundingRect(area, kCaptionFlags, caption);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappedCaptionCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
