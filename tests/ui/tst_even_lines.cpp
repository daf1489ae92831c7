// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The schematics at every screen scale: what the window paints, in device pixels, has all its
// one-pixel lines equally thick and is 270 x 150 times the ratio in size. Run once plainly
// and once under QT_SCALE_FACTOR=1.5, where the window's own picture is grabbed too
// (SHOW_THICKNESS=1 prints the thicknesses measured).
#include <algorithm>
#include <cmath>
#include <vector>

#include <QtGui/QPainter>
#include <QtTest/QTest>

#include "resources/draw/pictures.h"
#include "resources/picture_files.h"
#include "tests/ui/window_fixture.h"
#include "ui/xpm_image.h"

namespace {

// One-pixel lines of both schematics as drawing pixels: `at` lies on the line, which is
// crossed along a row (upright lines) or a column (flat ones).
struct Crossing {
    const char* what;
    QPoint at;
    bool upright;
};
constexpr Crossing Lines[] = {
    {"main line", {64, 100}, false},     {"feedback wire", {190, 24}, false},
    {"ground bar", {52, 136}, false},    {"frame top", {135, 0}, false},
    {"frame bottom", {135, 149}, false}, {"frame left", {0, 40}, true},
    {"frame right", {269, 40}, true},    {"output upright", {226, 50}, true},
    {"feedback down", {162, 50}, true},  {"amplifier back", {172, 85}, true},
};

// The thickness in device pixels of the black run that crosses drawing pixel `c.at` in
// `image` (at `ratio`), found at or next to where that pixel's middle falls; 0 if none.
int Thickness(const QImage& image, const Crossing& c, qreal ratio)
{
    const int along = c.upright ? c.at.x() : c.at.y();
    const int across = int(std::floor(((c.upright ? c.at.y() : c.at.x()) + 0.5) * ratio));
    const int size = c.upright ? image.width() : image.height();
    const auto black = [&](int i) {
        return i >= 0 && i < size &&
               qGray(c.upright ? image.pixel(i, across) : image.pixel(across, i)) < 128;
    };
    int middle = int(std::floor((along + 0.5) * ratio));
    for (int next : {middle, middle - 1, middle + 1})
        if (black(next)) {
            int first = next, last = next;
            while (black(first - 1))
                --first;
            while (black(last + 1))
                ++last;
            return last - first + 1;
        }
    return 0;
}

// The common thickness of all of Lines in `image`, or -1 (with a message) if they differ.
int EvenThickness(const QImage& image, qreal ratio)
{
    QString seen;
    std::vector<int> all;
    for (const Crossing& c : Lines) {
        all.push_back(Thickness(image, c, ratio));
        seen += QStringLiteral(" %1 %2;").arg(QLatin1String(c.what)).arg(all.back());
    }
    if (qEnvironmentVariableIsSet("SHOW_THICKNESS"))
        qInfo("ratio %g:%s", ratio, qPrintable(seen));
    if (std::count(all.begin(), all.end(), all.front()) != std::ptrdiff_t(all.size()) ||
        all.front() == 0) {
        qWarning("ratio %g:%s", ratio, qPrintable(seen));
        return -1;
    }
    return all.front();
}

}  // namespace

class TestEvenLines : public QObject {
    Q_OBJECT
private slots:
    void picturesForEachRatio_data();
    void picturesForEachRatio();
    void shownPicture();
};

void TestEvenLines::picturesForEachRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0})
        QTest::addRow("%g", ratio) << ratio;
}

void TestEvenLines::picturesForEachRatio()
{
    QFETCH(qreal, ratio);
    const QSize size(int(std::lround(270 * ratio)), int(std::lround(150 * ratio)));
    for (const char* path : {resources::LowPassSchematic, resources::HighPassSchematic}) {
        const QPixmap picture = ui::LoadPicture(QString::fromLatin1(path), ratio);
        // Painted as the label paints it, at the screen's ratio.
        QImage shown(size, QImage::Format_RGB32);
        shown.setDevicePixelRatio(ratio);
        shown.fill(Qt::white);
        QPainter(&shown).drawPixmap(0, 0, picture);
        shown.setDevicePixelRatio(1);
        const int thickness = EvenThickness(shown, ratio);
        QVERIFY2(thickness > 0, path);
        QCOMPARE(thickness, std::max(1, int(std::ceil(ratio - 0.5))));
        QCOMPARE(picture.size(), size);
    }
}

void TestEvenLines::shownPicture()
{
    DialogCatcher catcher;
    Window window;
    QVERIFY(window.show());
    QLabel* label = window.label("Image1");
    const qreal ratio = label->devicePixelRatioF();
    QImage shown = label->grab().toImage();
    QCOMPARE(shown.size(), QSize(int(std::lround(270 * ratio)), int(std::lround(150 * ratio))));
    shown.setDevicePixelRatio(1);
    QVERIFY(EvenThickness(shown, ratio) > 0);
    // Pixel for pixel the drawing for this ratio, not a scaled copy of another.
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             pictures::DrawSchematic(resources::Circuit::LowPass, double(ratio)));
}

QTEST_MAIN(TestEvenLines)
#include "tst_even_lines.moc"
