// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Reading the window's pictures: the XPM files compiled into the program's resources (the
// writer that makes them is resources/draw/xpm.h).
#pragma once

#include <QtCore/QtGlobal>

class QImage;
class QPixmap;
class QString;

namespace ui {

// An XPM picture from the program's resources, as the pictures are stored: one character
// per pixel, decoded straight into an indexed image, several times faster than QImageReader,
// which reads the text one character at a time (other layouts are left to it). A null image
// when the file is not well-formed XPM.
QImage ReadXpm(const QString& path);

// A schematic for the screen's pixel density: the stored file at ratio 1, the "@2x" file at
// 2, and at any other ratio above 1 the schematic drawn for that ratio, with even lines.
QPixmap LoadPicture(const QString& path, qreal devicePixelRatio);

}  // namespace ui
