// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// How many pixels of a picture have exactly one colour: whether a plot drew with it.
#pragma once

#include <algorithm>

#include <QtGui/QColor>
#include <QtGui/QImage>

inline int CountPixels(const QImage& image, const QColor& colour)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        count += int(std::count(line, line + rgb.width(), wanted));
    }
    return count;
}
