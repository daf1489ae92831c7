// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The committed pictures, read with Qt's XPM reader as the window reads them, and the XPM
// writer that makes them.
#include <QtCore/QSet>
#include <QtTest/QTest>
#include <algorithm>
#include <stdexcept>

#include "resources/draw/pictures.h"
#include "resources/draw/xpm.h"

using namespace pictures;

namespace {

QImage LoadCommitted(const QString& fileName)
{
    const QImage image(QStringLiteral(PICTURES_DIR "/") + fileName);
    return image.convertToFormat(QImage::Format_RGB32);
}

QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// How many pixels of `small` differ from the top-left pixel of their block in `large`.
int DifferencesAtScale(const QImage& small, const QImage& large, int scale)
{
    int count = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            count += At(small, x, y) != At(large, x * scale, y * scale);
    return count;
}

// The topmost row of `column` that has `colour`, or -1.
int Topmost(const QImage& image, int column, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        if (At(image, column, y) == colour)
            return y;
    return -1;
}

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void xpmKeepsEveryPixel_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<bool>("sixteenColours");
        QTest::newRow("high-pass schematic") << DrawSchematic(Circuit::HighPass, 1) << false;
        QTest::newRow("icon 32") << DrawIcon(32) << true;
        QTest::newRow("icon 256") << DrawIcon(256) << true;
    }
    void xpmKeepsEveryPixel()
    {
        QFETCH(QImage, image);
        QFETCH(bool, sixteenColours);
        const std::span<const XpmColour> palette =
            sixteenColours ? std::span<const XpmColour>(SixteenColours) : BlackOnWhite;
        const QImage read = QImage::fromData(ToXpm(image, "picture", palette), "XPM");
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
                 image.convertToFormat(QImage::Format_RGB32));
    }

    void xpmRejectsColourOutsidePalette()
    {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(QColor(White));
        image.setPixel(1, 0, Silver);
        try {
            ToXpm(image, "picture", BlackOnWhite);
            QFAIL("no exception");
        } catch (const std::invalid_argument& error) {
            QCOMPARE(QString(error.what()), "pixel (1, 0) has a colour outside the palette");
        }
    }

    void schematicIsFramedBlackOnWhite_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("scale");
        QTest::newRow("low-pass") << "lowpass.xpm" << 1;
        QTest::newRow("high-pass") << "highpass.xpm" << 1;
        QTest::newRow("low-pass @2x") << "lowpass@2x.xpm" << 2;
        QTest::newRow("high-pass @2x") << "highpass@2x.xpm" << 2;
    }
    void schematicIsFramedBlackOnWhite()
    {
        QFETCH(QString, fileName);
        QFETCH(int, scale);
        const QImage image = LoadCommitted(fileName);
        QCOMPARE(image.size(), QSize(270 * scale, 150 * scale));

        int black = 0, other = 0, frameGaps = 0, touchingFrame = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = At(image, x, y);
                black += pixel == Black;
                other += pixel != Black && pixel != White;
                // A frame one drawing pixel thick, with nothing touching it from inside.
                const int fromEdge =
                    std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
                frameGaps += fromEdge / scale == 0 && pixel != Black;
                touchingFrame += fromEdge / scale == 1 && pixel != White;
            }
        }
        QCOMPARE(other, 0);
        QCOMPARE(frameGaps, 0);
        QCOMPARE(touchingFrame, 0);
        QVERIFY(black > image.width() * image.height() / 20);  // more than the frame
    }

    // The @2x pictures are the same drawing: only the amplifier's slanted sides, drawn at
    // the finer resolution, may differ from the 1x pixels.
    void doubleSizeSchematicIsTheSameDrawing_data()
    {
        QTest::addColumn<QString>("oneX");
        QTest::addColumn<QString>("twoX");
        QTest::addColumn<bool>("same");
        // clang-format off
        QTest::newRow("low-pass") << "lowpass.xpm" << "lowpass@2x.xpm" << true;
        QTest::newRow("high-pass") << "highpass.xpm" << "highpass@2x.xpm" << true;
        QTest::newRow("low-pass against high-pass") << "lowpass.xpm" << "highpass@2x.xpm" << false;
        // clang-format on
    }
    void doubleSizeSchematicIsTheSameDrawing()
    {
        QFETCH(QString, oneX);
        QFETCH(QString, twoX);
        QFETCH(bool, same);
        const int differences = DifferencesAtScale(LoadCommitted(oneX), LoadCommitted(twoX), 2);
        QCOMPARE(differences < 100, same);
    }

    void iconIsOpaqueInStandardColours_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {32, 48, 64, 128, 256})
            QTest::addRow("%d", size) << size;
    }
    void iconIsOpaqueInStandardColours()
    {
        QFETCH(int, size);
        const QImage raw(QStringLiteral(PICTURES_DIR "/icon%1.xpm").arg(size));
        QCOMPARE(raw.size(), QSize(size, size));
        QVERIFY(!raw.hasAlphaChannel());
        const QImage image = raw.convertToFormat(QImage::Format_RGB32);

        QSet<QRgb> used;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = At(image, x, y);
                used.insert(pixel);
                // The olive 3 keeps to the upper right quarter.
                if (pixel == Olive)
                    QVERIFY(x >= size / 2 && y < size / 2);
            }
        }
        for (QRgb colour : used)
            QVERIFY(std::any_of(SixteenColours.begin(), SixteenColours.end(),
                                [&](const XpmColour& standard) { return standard.rgb == colour; }));
        QCOMPARE(used, QSet<QRgb>({Silver, Black, Red, Blue, Olive}));
        QCOMPARE(At(image, size - 1, size / 2), Silver);  // the ground

        // Low-pass red is high on the left and low on the right; high-pass blue the reverse.
        const int left = size / 4, right = size * 17 / 20;
        QVERIFY(Topmost(image, left, Red) >= 0 && Topmost(image, left, Blue) >= 0);
        QVERIFY(Topmost(image, right, Red) >= 0 && Topmost(image, right, Blue) >= 0);
        QVERIFY(Topmost(image, left, Red) + size / 8 < Topmost(image, left, Blue));
        QVERIFY(Topmost(image, right, Blue) + size / 8 < Topmost(image, right, Red));
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
