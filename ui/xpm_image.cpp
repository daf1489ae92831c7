// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/xpm_image.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QtCore/QResource>
#include <QtCore/QStringList>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPixmap>

#include "resources/draw/pictures.h"
#include "resources/picture_files.h"

namespace ui {
namespace {

// The C strings of an XPM file, in order; comments may sit between them.
std::vector<std::string_view> XpmStrings(const QByteArray& source)
{
    std::vector<std::string_view> strings;
    const std::string_view text(source.constData(), std::size_t(source.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string_view::npos)
                return {};
            i = end + 1;
        } else if (text[i] == '"') {
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string_view::npos)
                return {};
            strings.push_back(text.substr(i + 1, end - i - 1));
            i = end;
        }
    }
    return strings;
}

// The colour of an XPM colour line after its pixel character: the value of its "c" key,
// such as "#C0C0C0", "white" or "None" (transparent).
std::optional<QRgb> XpmColour(std::string_view keys)
{
    const QStringList words = QString::fromLatin1(keys.data(), qsizetype(keys.size()))
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qsizetype key = words.indexOf(QStringLiteral("c"));
    if (key < 0 || key + 1 >= words.size())
        return std::nullopt;
    QStringList name;
    for (qsizetype i = key + 1; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word == u"m" || word == u"g" || word == u"g4" || word == u"s")
            break;
        name.append(word);
    }
    const QString value = name.join(QLatin1Char(' '));
    if (value.compare(u"None", Qt::CaseInsensitive) == 0)
        return qRgba(0, 0, 0, 0);
    const QColor colour = QColor::fromString(value);
    if (!colour.isValid())
        return std::nullopt;
    return colour.rgba();
}

}  // namespace

QImage ReadXpm(const QString& path)
{
    const QResource resource(path);
    if (!resource.isValid())
        return QImage();
    const QByteArray source = resource.uncompressedData();
    const std::vector<std::string_view> strings = XpmStrings(source);
    int width = 0, height = 0, colours = 0, charsPerPixel = 0;
    if (strings.empty() ||
        std::sscanf(std::string(strings.front()).c_str(), "%d %d %d %d", &width, &height, &colours,
                    &charsPerPixel) != 4 ||
        width <= 0 || height <= 0 || colours <= 0 ||
        std::size_t(1) + std::size_t(colours) + std::size_t(height) > strings.size())
        return QImage();
    if (charsPerPixel != 1)
        return QImage(path);
    if (colours > 256)
        return QImage();

    // One character per pixel: the character indexes a colour table directly.
    std::array<int, 256> index;
    index.fill(-1);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i) {
        const std::string_view line = strings[std::size_t(1 + i)];
        const std::optional<QRgb> colour = line.empty() ? std::nullopt : XpmColour(line.substr(1));
        if (!colour)
            return QImage();
        index[static_cast<unsigned char>(line.front())] = i;
        table.append(*colour);
    }
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        const std::string_view row = strings[std::size_t(1 + colours + y)];
        if (row.size() < std::size_t(width))
            return QImage();
        uchar* pixels = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int colour = index[static_cast<unsigned char>(row[std::size_t(x)])];
            if (colour < 0)
                return QImage();
            pixels[x] = uchar(colour);
        }
    }
    return image;
}

QPixmap LoadPicture(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1 && devicePixelRatio != 2) {
        // A scaled copy of a stored file would make some lines a device pixel thicker than
        // others: draw the schematic for this ratio instead (the stored files stay the fast
        // path at 1 and 2).
        for (const resources::PictureFile& file : resources::Pictures) {
            if (path != QLatin1String(file.path) || file.kind == resources::PictureKind::Icon)
                continue;
            QPixmap pixmap = QPixmap::fromImage(
                pictures::DrawSchematic(file.kind == resources::PictureKind::LowPassSchematic
                                            ? resources::Circuit::LowPass
                                            : resources::Circuit::HighPass,
                                        double(devicePixelRatio)));
            pixmap.setDevicePixelRatio(devicePixelRatio);
            return pixmap;
        }
    }
    if (devicePixelRatio > 1) {
        QString dense = path;
        dense.insert(dense.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap pixmap = QPixmap::fromImage(ReadXpm(dense));
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2);
            return pixmap;
        }
    }
    return QPixmap::fromImage(ReadXpm(path));
}

}  // namespace ui
