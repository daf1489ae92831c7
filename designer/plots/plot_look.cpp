// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/plot_look.h"

#include <cmath>

#include <QtCore/QCoreApplication>
#include <QtGui/QPainter>

#include "ui/readable_colour.h"

namespace designer {
namespace {

constexpr double LineContrast = ui::ReadableLargeContrast;

bool IsDark(const QColor& background)
{
    return ui::ContrastRatio(Qt::white, background) > ui::ContrastRatio(Qt::black, background);
}

QColor Mix(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

}  // namespace

PlotColours PlotColoursFor(const QPalette& palette)
{
    PlotColours c;
    c.background = palette.color(QPalette::Base);
    c.text = ui::ReadableShade(palette.color(QPalette::Text), c.background);
    const bool dark = IsDark(c.background);
    // Hues that read on white and on a dark grey; the shade then keeps to the contrast on
    // whatever background the scheme has.
    c.design = ui::ReadableShade(dark ? QColor(0x6f, 0xa8, 0xff) : QColor(0x1f, 0x4f, 0xa8),
                                 c.background, LineContrast);
    c.target = ui::ReadableShade(dark ? QColor(0xa8, 0xa8, 0xa8) : QColor(0x70, 0x70, 0x70),
                                 c.background, LineContrast);
    c.marker = ui::ReadableShade(dark ? QColor(0xff, 0x80, 0x70) : QColor(0xb0, 0x20, 0x20),
                                 c.background, ui::ReadableContrast);
    c.frame = ui::ReadableShade(Mix(c.background, c.text, 0.7), c.background, LineContrast);
    c.grid = Mix(c.background, c.text, 0.18);
    c.band = c.design;
    c.band.setAlphaF(0.16f);
    return c;
}

PlotColours Faded(const PlotColours& c)
{
    PlotColours faded = c;
    for (QColor* colour : {&faded.frame, &faded.design, &faded.target, &faded.marker})
        *colour = Mix(*colour, c.background, 0.55);
    faded.band.setAlphaF(faded.band.alphaF() / 2);
    return faded;
}

double NiceStep(double range, int most)
{
    if (!(range > 0) || most < 1)
        return 1;
    const double rough = range / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= rough * (1 - 1e-9))
            return m * power;
    return 10 * power;
}

void DrawStaleNote(QPainter& painter, const QRectF& area, const PlotColours& colours)
{
    QFont font = painter.font();
    font.setBold(true);
    painter.save();
    painter.setFont(font);
    painter.setPen(colours.marker);
    painter.drawText(area, Qt::AlignRight | Qt::AlignTop,
                     QCoreApplication::translate("designer::Plots", "stale"));
    painter.restore();
}

}  // namespace designer
