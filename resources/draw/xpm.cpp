// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "resources/draw/xpm.h"

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <stdexcept>
#include <string>

namespace pictures {

QByteArray ToXpm(const QImage& image, const QString& name, std::span<const XpmColour> palette)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, char> keys;
    for (const XpmColour& colour : palette)
        keys.insert(colour.rgb & 0xFFFFFF, colour.key);

    QByteArray text = "/* XPM */\n"
                      "/* Drawn by resources/draw/draw_pictures: change the drawing there. */\n";
    text += "static const char *const " + name.toLatin1() + "[] = {\n";
    const int width = rgb.width(), height = rgb.height(), colours = int(palette.size());
    text += QString::asprintf("\"%d %d %d 1\",\n", width, height, colours).toLatin1();
    for (const XpmColour& colour : palette) {
        const unsigned rgbValue = colour.rgb & 0xFFFFFF;
        text += QString::asprintf("\"%c c #%06X\",\n", colour.key, rgbValue).toLatin1();
    }

    for (int y = 0; y < height; ++y) {
        text += '"';
        for (int x = 0; x < width; ++x) {
            const auto key = keys.constFind(rgb.pixel(x, y) & 0xFFFFFF);
            if (key == keys.constEnd()) {
                const std::string pixel =
                    "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                throw std::invalid_argument(pixel + " has a colour outside the palette");
            }
            text += *key;
        }
        text += y + 1 < height ? "\",\n" : "\"\n";
    }
    text += "};\n";
    return text;
}

}  // namespace pictures
