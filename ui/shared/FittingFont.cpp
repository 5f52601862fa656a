// SPDX-License-Identifier: GPL-3.0-or-later
#include "FittingFont.h"

#include "TwipsLayout.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace {
constexpr qreal kSmallestPointSize = 6;
constexpr qreal kPointSizeStep = 0.5;
constexpr char kNaturalFontProperty[] = "naturalFont";

// The width text takes as a label lays it out, fractions of a pixel rounded up.
int TextWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), Qt::AlignLeft | Qt::AlignTop,
                      text)
        .width();
}

} // namespace

QFont FontToFit(const QFont& font, const QString& text, int width)
{
    QFont fitted = font;
    while (fitted.pointSizeF() - kPointSizeStep >= kSmallestPointSize &&
           TextWidth(fitted, text) > width) {
        fitted.setPointSizeF(fitted.pointSizeF() - kPointSizeStep);
    }
    return fitted;
}

void ShowValue(QLabel* label, const QString& value)
{
    // Each value starts from the label's own font, not from the smaller one
    // an earlier long value left behind; what the label does not set itself
    // (the family and size, unless it is bold) follows its window.
    const QVariant stored = label->property(kNaturalFontProperty);
    const QFont natural = stored.isValid() ? stored.value<QFont>() : label->font();
    label->setProperty(kNaturalFontProperty, natural);
    label->setFont(natural);
    label->setText(value);
    GiveTextRoom(label);
    label->setFont(FontToFit(label->font(), value, label->contentsRect().width()));
}

void ShowValuesAgain(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->property(kNaturalFontProperty).isValid()) {
            ShowValue(label, label->text());
        }
    }
}
