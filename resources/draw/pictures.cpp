// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "resources/draw/pictures.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "resources/picture_files.h"

namespace pictures {
namespace {

// Paints the pixels of the 270 x 150 drawing onto an image of `ratio` times its size. Every
// drawing pixel starts at a rounded device position and is `line_` device pixels wide (and
// high), so each one-pixel line keeps one width however the positions fall; at a whole
// ratio that is a plain `ratio` x `ratio` square per pixel. Both ends of every span are
// inclusive, as in the pixel picture one has in mind.
class Plot {
public:
    Plot(QImage& image, int line)
        : painter_(&image), line_(line),
          // The last column and row start one line width before the image's edge, so the
          // frame's right and bottom sides are as wide as its left and top ones.
          stepX_(double(image.width() - line) / (resources::SchematicWidth - 1)),
          stepY_(double(image.height() - line) / (resources::SchematicHeight - 1))
    {
    }

    void operator()(const resources::Fill& fill)
    {
        const resources::Rect& r = fill.rect;
        const QPoint from = At({r.x0, r.y0}), to = At({r.x1, r.y1});
        painter_.fillRect(from.x(), from.y(), to.x() - from.x() + line_, to.y() - from.y() + line_,
                          QColor(fill.ink == resources::Ink::Black ? Black : White));
    }

    // A slanted line, one drawing pixel wide: Bresenham at the image's resolution, with a
    // square the size of a drawing pixel at each step, so it meets the filled spans exactly.
    void operator()(const resources::SlantedLine& line)
    {
        QPoint at = At(line.from);
        const QPoint end = At(line.to);
        const int dx = std::abs(end.x() - at.x()), dy = -std::abs(end.y() - at.y());
        const int stepX = end.x() > at.x() ? 1 : -1, stepY = end.y() > at.y() ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            painter_.fillRect(at.x(), at.y(), line_, line_, QColor(Black));
            if (at == end)
                return;
            const int twice = 2 * error;  // both tests use the error before either step
            if (twice >= dy) {
                error += dy;
                at.rx() += stepX;
            }
            if (twice <= dx) {
                error += dx;
                at.ry() += stepY;
            }
        }
    }

private:
    QPoint At(resources::Point p) const
    {
        return {int(std::lround(p.x * stepX_)), int(std::lround(p.y * stepY_))};
    }

    QPainter painter_;
    int line_;
    double stepX_, stepY_;
};

// A third-order Butterworth magnitude on a logarithmic frequency axis, drawn with a linear
// magnitude scale: flat at y = 15.5, down to y = 25.5, both curves crossing at x = 16.75.
QPolygonF ResponseCurve(bool highPass)
{
    constexpr double flat = 15.5, bottom = 25.5, corner = 16.75, unitsPerDecade = 14;
    QPolygonF curve;
    for (int i = 0; i <= 235; ++i) {
        const double x = 5 + i / 10.0;
        const double ratio = std::pow(10.0, (highPass ? corner - x : x - corner) / unitsPerDecade);
        const double gain = 1 / std::sqrt(1 + std::pow(ratio, 6));
        curve << QPointF(x, flat + (1 - gain) * (bottom - flat));
    }
    return curve;
}

// The digit 3 in the upper right corner, drawn with a pen 2 wide: a top bar, the right side
// pinched in at the middle bar, and a bottom bar, with short hooks on the left and cut
// corners. The vertices lie on whole units, so at 32 pixels every straight stroke covers
// exactly two pixel rows or columns.
QPainterPath DigitThree()
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>{{23, 4},
                                             {23, 3},
                                             {24, 2},
                                             {28, 2},
                                             {29, 3},
                                             {29, 6},
                                             {28, 7},
                                             {29, 8},
                                             {29, 11},
                                             {28, 12},
                                             {24, 12},
                                             {23, 11},
                                             {23, 10}}));
    path.addPolygon(QPolygonF(QList<QPointF>{{25, 7}, {28, 7}}));
    return path;
}

}  // namespace

int LineWidth(double ratio)
{
    // Halves round down: at 1.5 a two-pixel line would close the one-pixel gaps of the
    // letters and the ground symbol.
    return std::max(1, int(std::ceil(ratio - 0.5)));
}

QImage DrawSchematic(Circuit circuit, int scale)
{
    return DrawSchematic(circuit, double(scale));
}

QImage DrawSchematic(Circuit circuit, double ratio)
{
    QImage image(int(std::lround(resources::SchematicWidth * ratio)),
                 int(std::lround(resources::SchematicHeight * ratio)), QImage::Format_RGB32);
    image.fill(QColor(White));
    Plot plot(image, LineWidth(ratio));
    for (const resources::Paint& paint : resources::Rasterise(resources::SchematicOf(circuit)))
        std::visit(plot, paint);
    return image;
}

QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(Silver));
    QPainter p(&image);  // no antialiasing: every pixel keeps one of the 16 colours
    p.scale(size / 32.0, size / 32.0);

    // Axes from the lower left corner, up and to the right, each with an arrowhead.
    p.fillRect(QRectF(3, 4, 1, 25), QColor(Black));
    p.fillRect(QRectF(3, 28, 24, 1), QColor(Black));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Black));
    p.drawPolygon(QPolygonF(QList<QPointF>{{3.5, 0.5}, {6.5, 7}, {0.5, 7}}));
    p.drawPolygon(QPolygonF(QList<QPointF>{{31.5, 28.5}, {25, 31.5}, {25, 25.5}}));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(Red), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPolyline(ResponseCurve(false));
    p.setPen(QPen(QColor(Blue), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPolyline(ResponseCurve(true));

    p.setPen(QPen(QColor(Olive), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(DigitThree());
    return image;
}

std::vector<Picture> DrawAll()
{
    std::vector<Picture> all;
    for (const resources::PictureFile& file : resources::Pictures) {
        const std::string_view name = resources::FileName(file);
        const QString fileName = QString::fromUtf8(name.data(), qsizetype(name.size()));
        switch (file.kind) {
        case resources::PictureKind::LowPassSchematic:
        case resources::PictureKind::HighPassSchematic: {
            const Circuit circuit = file.kind == resources::PictureKind::LowPassSchematic
                                        ? Circuit::LowPass
                                        : Circuit::HighPass;
            all.push_back({fileName, DrawSchematic(circuit, file.width / resources::SchematicWidth),
                           BlackOnWhite});
            break;
        }
        case resources::PictureKind::Icon:
            all.push_back({fileName, DrawIcon(file.width), SixteenColours});
            break;
        }
        if (all.back().image.size() != QSize(file.width, file.height))
            throw std::invalid_argument("drawn at another size than the list gives: " +
                                        std::string(name));
    }
    return all;
}

}  // namespace pictures
