#include "resources/draw/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include "resources/picture_files.h"

namespace pictures {
namespace {

// Paints in the pixels of a 1:1 drawing, each `scale` x `scale` pixels of the image.
// Both ends of every span are inclusive, as in the pixel picture one has in mind.
class Plot {
public:
    Plot(QImage& image, int scale) : painter_(&image), scale_(scale) {}

    void Fill(int x0, int y0, int x1, int y1, QRgb colour = Black) {
        painter_.fillRect(x0 * scale_, y0 * scale_, (x1 - x0 + 1) * scale_, (y1 - y0 + 1) * scale_,
                          QColor(colour));
    }
    void HLine(int x0, int x1, int y) { Fill(std::min(x0, x1), y, std::max(x0, x1), y); }
    void VLine(int x, int y0, int y1) { Fill(x, std::min(y0, y1), x, std::max(y0, y1)); }
    void Frame(int x0, int y0, int x1, int y1) {
        HLine(x0, x1, y0);
        HLine(x0, x1, y1);
        VLine(x0, y0, y1);
        VLine(x1, y0, y1);
    }

    // A slanted line, one drawing pixel wide: Bresenham at the image's resolution, with a
    // square the size of a drawing pixel at each step, so it meets the filled spans exactly.
    void Line(int x0, int y0, int x1, int y1) {
        QPoint at(x0 * scale_, y0 * scale_);
        const QPoint end(x1 * scale_, y1 * scale_);
        const int dx = std::abs(end.x() - at.x()), dy = -std::abs(end.y() - at.y());
        const int stepX = end.x() > at.x() ? 1 : -1, stepY = end.y() > at.y() ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            painter_.fillRect(at.x(), at.y(), scale_, scale_, QColor(Black));
            if (at == end) return;
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

    // Rows of '#' (ink) and '.' (left alone), top-left at (x, y).
    void Pattern(int x, int y, std::span<const char* const> rows) {
        for (int dy = 0; dy < int(rows.size()); ++dy)
            for (int dx = 0; rows[dy][dx] != '\0'; ++dx)
                if (rows[dy][dx] == '#') Fill(x + dx, y + dy, x + dx, y + dy);
    }

    // Throws std::invalid_argument for a character the font below lacks.
    void Text(int x, int y, const char* text);

private:
    QPainter painter_;
    int scale_;
};

// A small pixel font of the labels' letters: capitals 7 pixels high, a blank column between
// letters. A font of the machine's would make the pictures depend on what is installed.
struct Glyph {
    char ch;
    std::array<const char*, 7> rows;
};
constexpr std::array<Glyph, 10> Font = {{
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
    {'t', {".#..", ".#..", "####", ".#..", ".#..", ".#.#", "..#."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'1', {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'2', {".###.", "#...#", "....#", "..##.", ".#...", "#....", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
}};

void Plot::Text(int x, int y, const char* text) {
    for (; *text != '\0'; ++text) {
        const auto glyph = std::find_if(Font.begin(), Font.end(),
                                        [&](const Glyph& g) { return g.ch == *text; });
        if (glyph == Font.end()) throw std::invalid_argument(std::string("no glyph for ") + *text);
        Pattern(x, y, glyph->rows);
        x += int(std::strlen(glyph->rows[0])) + 1;
    }
}

// The schematic's layout, in pixels of the 270 x 150 drawing. The signal runs along the
// main line through three series parts to the amplifier's non-inverting input; the output
// comes back over the amplifier along the feedback wire to the inverting input, and the
// middle shunt part reaches up to that wire.
constexpr int Width = 270, Height = 150;
constexpr int Main = 100;                      // main line, at the non-inverting input
constexpr int Feedback = 24;                   // feedback wire
constexpr std::array<int, 3> Series = {36, 78, 122};  // centres of the series parts
constexpr std::array<int, 3> Nodes = {56, 100, 144};  // the junctions after them
constexpr int AmpLeft = 172, AmpTip = 212;     // the amplifier triangle
constexpr int AmpTop = Main - 38, AmpBottom = Main + 10, AmpMid = (AmpTop + AmpBottom) / 2;
constexpr int Inverting = AmpTop + 10;         // inverting input
constexpr int InvertingTap = 162;              // where it leaves the feedback wire
constexpr int Output = 226;                    // output node
constexpr int ShuntTop = Main + 10;            // where the parts to ground begin
constexpr int Ground = Main + 36;              // top line of a ground symbol

void Dot(Plot& p, int x, int y) {  // 5 x 5, corners cut
    p.Fill(x - 1, y - 2, x + 1, y + 2);
    p.Fill(x - 2, y - 1, x + 2, y + 1);
}

void GroundSymbol(Plot& p, int x, int y) {
    p.HLine(x - 7, x + 7, y);
    p.HLine(x - 4, x + 4, y + 3);
    p.HLine(x - 1, x + 1, y + 6);
}

// Each part is centred on (x, y) and cuts the wire it is drawn over.
void ResistorAcross(Plot& p, int x, int y) {
    p.Fill(x - 11, y - 4, x + 11, y + 4, White);
    p.Frame(x - 11, y - 4, x + 11, y + 4);
}
void ResistorUpright(Plot& p, int x, int y) {
    p.Fill(x - 4, y - 11, x + 4, y + 11, White);
    p.Frame(x - 4, y - 11, x + 4, y + 11);
}
void CapacitorAcross(Plot& p, int x, int y) {  // two upright plates
    p.Fill(x - 2, y - 8, x + 2, y + 8, White);
    p.Fill(x - 3, y - 8, x - 2, y + 8);
    p.Fill(x + 2, y - 8, x + 3, y + 8);
}
void CapacitorUpright(Plot& p, int x, int y) {  // two flat plates
    p.Fill(x - 8, y - 2, x + 8, y + 2, White);
    p.Fill(x - 8, y - 3, x + 8, y - 2);
    p.Fill(x - 8, y + 2, x + 8, y + 3);
}

using Part = void (*)(Plot&, int, int);

void Schematic(Plot& p, Part seriesPart, const char* seriesLabel, Part shuntPart,
               const std::array<const char*, 3>& shuntLabels) {
    p.Frame(0, 0, Width - 1, Height - 1);

    // In: a short thick line, then the main line to the amplifier.
    p.Fill(4, Main - 1, 16, Main + 1);
    p.Text(5, Main - 12, "In");
    p.HLine(16, AmpLeft, Main);

    // The amplifier with its input signs, and the output node with Out leaving it.
    p.VLine(AmpLeft, AmpTop, AmpBottom);
    p.Line(AmpLeft, AmpTop, AmpTip, AmpMid);
    p.Line(AmpLeft, AmpBottom, AmpTip, AmpMid);
    p.HLine(AmpLeft + 4, AmpLeft + 8, Inverting);
    p.HLine(AmpLeft + 4, AmpLeft + 8, Main);
    p.VLine(AmpLeft + 6, Main - 2, Main + 2);
    p.HLine(AmpTip, Output, AmpMid);
    p.Fill(Output, AmpMid - 1, Output + 24, AmpMid + 1);
    p.Text(Output + 8, AmpMid - 12, "Out");

    // Feedback: up from the output, back over the amplifier to above the middle node, and
    // down into the inverting input.
    p.VLine(Output, Feedback, AmpMid);
    p.HLine(Nodes[1], Output, Feedback);
    p.VLine(InvertingTap, Feedback, Inverting);
    p.HLine(InvertingTap, AmpLeft, Inverting);

    for (int x : Series) {
        seriesPart(p, x, Main);
        p.Text(x - 2, Main - 20, seriesLabel);
    }

    // The first and the third shunt part go down to ground, the middle one up.
    constexpr int lower = (ShuntTop + Ground) / 2, upper = (Feedback + Main) / 2;
    for (int i : {0, 2}) {
        p.VLine(Nodes[i], Main, Ground);
        shuntPart(p, Nodes[i], lower);
        GroundSymbol(p, Nodes[i], Ground);
        p.Text(Nodes[i] + 12, lower - 3, shuntLabels[i]);
    }
    p.VLine(Nodes[1], Feedback, Main);
    shuntPart(p, Nodes[1], upper);
    p.Text(Nodes[1] + 12, upper - 3, shuntLabels[1]);

    for (int x : Nodes) Dot(p, x, Main);
    Dot(p, InvertingTap, Feedback);
    Dot(p, Output, AmpMid);
}

// A third-order Butterworth magnitude on a logarithmic frequency axis, drawn with a linear
// magnitude scale: flat at y = 15.5, down to y = 25.5, both curves crossing at x = 16.75.
QPolygonF ResponseCurve(bool highPass) {
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
QPainterPath DigitThree() {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>{{23, 4}, {23, 3}, {24, 2}, {28, 2}, {29, 3}, {29, 6},
                                             {28, 7}, {29, 8}, {29, 11}, {28, 12}, {24, 12},
                                             {23, 11}, {23, 10}}));
    path.addPolygon(QPolygonF(QList<QPointF>{{25, 7}, {28, 7}}));
    return path;
}

}  // namespace

QImage DrawSchematic(Circuit circuit, int scale) {
    QImage image(Width * scale, Height * scale, QImage::Format_RGB32);
    image.fill(QColor(White));
    Plot plot(image, scale);
    if (circuit == Circuit::LowPass)
        Schematic(plot, ResistorAcross, "R", CapacitorUpright, {"C1", "C2", "C3"});
    else
        Schematic(plot, CapacitorAcross, "C", ResistorUpright, {"R1", "R2", "R3"});
    return image;
}

QImage DrawIcon(int size) {
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

std::vector<Picture> DrawAll() {
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
            all.push_back({fileName, DrawSchematic(circuit, file.width / Width), BlackOnWhite});
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
