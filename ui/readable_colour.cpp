// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// In 8-bit channels, as the shade is drawn (and written as #rrggbb).
QColor WithLightness(const QColor& colour, double lightness)
{
    const QColor hsl = colour.toHsl();
    // A grey has no hue (-1); its shades are greys.
    const QColor shade =
        QColor::fromHslF(std::max(hsl.hslHueF(), 0.0f), hsl.hslSaturationF(), float(lightness));
    return QColor(shade.rgb());
}

}  // namespace

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor AsDrawn(const QColor& colour, const QColor& background)
{
    const double a = colour.alphaF();
    const auto blend = [a](double over, double under) { return a * over + (1 - a) * under; };
    return QColor::fromRgbF(float(blend(colour.redF(), background.redF())),
                            float(blend(colour.greenF(), background.greenF())),
                            float(blend(colour.blueF(), background.blueF())));
}

QColor ReadableShade(const QColor& text, const QColor& background, double minimum)
{
    if (ContrastRatio(text, background) >= minimum)
        return text;
    // Towards white on a background that white contrasts with better, else towards black.
    const bool lighter =
        ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background);
    double reaching = lighter ? 1.0 : 0.0;
    double failing = text.toHsl().lightnessF();
    for (int step = 0; step < 24; ++step) {
        const double middle = (reaching + failing) / 2;
        const bool reaches = ContrastRatio(WithLightness(text, middle), background) >= minimum;
        (reaches ? reaching : failing) = middle;
    }
    // The 8-bit channels may round the shade back below the minimum.
    QColor shade = WithLightness(text, reaching);
    for (int step = 0; step < 255 && ContrastRatio(shade, background) < minimum; ++step) {
        reaching = std::clamp(reaching + (lighter ? 1.0 : -1.0) / 255, 0.0, 1.0);
        shade = WithLightness(text, reaching);
    }
    return shade;
}

}  // namespace ui
