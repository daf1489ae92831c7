// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Writing an image as XPM text: one character per pixel and one row per line, so that a
// picture can be read and reviewed in a diff like source code.
#pragma once

#include <QtCore/QByteArray>
#include <QtGui/QRgb>
#include <span>

class QImage;
class QString;

namespace pictures {

struct XpmColour {
    char key;  // the character that stands for the colour in the rows
    QRgb rgb;  // opaque; the alpha byte is ignored
};

// The XPM text of `image` under the C identifier `name`, with every colour of `palette`
// in its colour table, in palette order, whether the image uses it or not.
// Throws std::invalid_argument, naming the pixel, if a pixel's colour is not in `palette`.
QByteArray ToXpm(const QImage& image, const QString& name, std::span<const XpmColour> palette);

}  // namespace pictures
