// SPDX-License-Identifier: GPL-3.0-or-later
#include "FittingFont.h"

#include <QFontMetrics>

namespace {
constexpr qreal kSmallestPointSize = 6;
constexpr qreal kPointSizeStep = 0.5;
} // namespace

QFont FontToFit(const QFont& font, const QString& text, int width)
{
    QFont fitted = font;
    while (fitted.pointSizeF() - kPointSizeStep >= kSmallestPointSize &&
           QFontMetrics(fitted).horizontalAdvance(text) > width) {
        fitted.setPointSizeF(fitted.pointSizeF() - kPointSizeStep);
    }
    return fitted;
}
