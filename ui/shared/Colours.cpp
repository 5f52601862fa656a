// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colours.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReadableContrast = 4.5;

double Luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableColour(const QColor& designed, const QColor& background)
{
    if (ContrastRatio(designed, background) >= kReadableContrast) {
        return designed;
    }
    const bool lighten =
        ContrastRatio(Qt::white, background) > ContrastRatio(Qt::black, background);
    const QColor hsl = designed.toHsl();
    for (int lightness = hsl.lightness(); lightness >= 0 && lightness <= 255;
         lightness += lighten ? 1 : -1) {
        const QColor candidate =
            QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness, hsl.alpha());
        if (ContrastRatio(candidate, background) >= kReadableContrast) {
            return candidate;
        }
    }
    return lighten ? QColor(Qt::white) : QColor(Qt::black);
}
