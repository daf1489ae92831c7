// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What the plots share: their colours, chosen from the palette so that they stay readable
// under a light or a dark scheme, and the steps of an axis.
#pragma once

#include <QtCore/QString>
#include <exception>

#include <QtGui/QColor>
#include <QtGui/QPalette>

class QPainter;
class QRectF;

namespace designer {

// Lines need 3:1 against the background, texts 4.5:1.
struct PlotColours {
    QColor background;
    QColor text;
    QColor frame;   // panel borders and the cursor
    QColor grid;    // faint: a guide, not a line to read
    QColor design;  // the designed circuit, the histogram's bars
    QColor target;  // the target response
    QColor marker;  // f, f3 and the quantiles, lines and their texts
    QColor band;    // a translucent fill (sigma)
};
PlotColours PlotColoursFor(const QPalette& palette);

// The same colours washed towards the background: a plot of a design the inputs no longer
// describe.
PlotColours Faded(const PlotColours& colours);

// A step of 1, 2 or 5 times a power of ten that divides `range` into at most `most` parts.
double NiceStep(double range, int most);

// "stale" in the top right corner of `area`: the plot shows the last design that was read.
void DrawStaleNote(QPainter& painter, const QRectF& area, const PlotColours& colours);

// Runs an event handler's body so that no exception leaves it into Qt's frames. The plots'
// handlers can fail only for want of memory, and then leave their work undone (the next
// paint draws again).
template <typename Body>
void WithoutThrowing(Body&& body) noexcept
{
    try {
        body();
    } catch (const std::exception&) {
    }
}

}  // namespace designer
