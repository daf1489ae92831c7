// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Draws the window's pictures into a folder as XPM files:  draw_pictures <folder>
// The build's `pictures` target runs it on resources/, whose XPM files are committed.
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <cstdio>
#include <exception>

#include "resources/draw/pictures.h"
#include "resources/draw/xpm.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_pictures <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    try {
        for (const pictures::Picture& picture : pictures::DrawAll()) {
            // "lowpass@2x.xpm" is the array lowpass_2x.
            QString name = picture.fileName.chopped(4);
            name.replace(QRegularExpression("[^A-Za-z0-9_]"), "_");
            const QByteArray text = pictures::ToXpm(picture.image, name, picture.palette);
            QFile file(folder.filePath(picture.fileName));
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() ||
                !file.flush()) {
                std::fprintf(stderr, "draw_pictures: cannot write %s: %s\n",
                             qPrintable(file.fileName()), qPrintable(file.errorString()));
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "draw_pictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
