// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "resources/schematic.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace resources {
namespace {

// The layout. The signal runs along the main line through three series parts to the
// amplifier's non-inverting input; the output comes back over the amplifier along the
// feedback wire to the inverting input, and the middle shunt part reaches up to that wire.
constexpr int Main = 100;                             // main line, at the non-inverting input
constexpr int FeedbackY = 24;                         // feedback wire
constexpr std::array<int, 3> Series = {36, 78, 122};  // centres of the series parts
constexpr std::array<int, 3> Nodes = {56, 100, 144};  // the junctions after them
constexpr int AmpLeft = 172, AmpTip = 212;            // the amplifier triangle
constexpr int AmpTop = Main - 38, AmpBottom = Main + 10, AmpMid = (AmpTop + AmpBottom) / 2;
constexpr int Inverting = AmpTop + 10;  // inverting input
constexpr int InvertingTap = 162;       // where it leaves the feedback wire
constexpr int Output = 226;             // output node
constexpr int ShuntTop = Main + 10;     // where the parts to ground begin
constexpr int Ground = Main + 36;       // top line of a ground symbol
constexpr Point InEnd = {4, Main};      // In's thick lead reaches from here to InLeadEnd
constexpr int InLeadEnd = 16;
constexpr Point OutEnd = {Output + 24, AmpMid};  // Out's thick lead, from the output node

// parts[]: the series parts in signal order, then the shunt parts in the same order.
constexpr std::size_t FirstShunt = Series.size();

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

const Glyph& GlyphOf(char ch)
{
    const auto glyph =
        std::find_if(Font.begin(), Font.end(), [&](const Glyph& g) { return g.ch == ch; });
    if (glyph == Font.end())
        throw std::invalid_argument(std::string("no glyph for ") + ch);
    return *glyph;
}

int GlyphWidth(const Glyph& glyph)
{
    return int(std::strlen(glyph.rows[0]));
}

Wire Across(int x0, int x1, int y)
{
    return {{x0, y}, {x1, y}};
}
Wire Upright(int x, int y0, int y1)
{
    return {{x, y0}, {x, y1}};
}

Schematic Build(Circuit circuit)
{
    const bool lowPass = circuit == Circuit::LowPass;
    const PartKind seriesKind = lowPass ? PartKind::Resistor : PartKind::Capacitor;
    const PartKind shuntKind = lowPass ? PartKind::Capacitor : PartKind::Resistor;
    const std::string_view seriesLabel = lowPass ? "R" : "C";
    const std::array<std::string_view, 3> shuntLabels =
        lowPass ? std::array<std::string_view, 3>{"C1", "C2", "C3"}
                : std::array<std::string_view, 3>{"R1", "R2", "R3"};

    Schematic s{
        .circuit = circuit,
        .parts = {},
        .in = {"In", InEnd},
        .out = {"Out", OutEnd},
        .amplifier = {.triangle = {{{AmpLeft, AmpTop}, {AmpLeft, AmpBottom}, {AmpTip, AmpMid}}},
                      .inverting = {AmpLeft, Inverting},
                      .nonInverting = {AmpLeft, Main},
                      .output = {Output, AmpMid}},
        .feedback = {{Output, AmpMid},
                     {Output, FeedbackY},
                     {InvertingTap, FeedbackY},
                     {InvertingTap, Inverting},
                     {AmpLeft, Inverting}},
        .drawing = {},
    };
    for (int x : Series)
        s.parts.push_back(
            {seriesKind, Orientation::Across, {x, Main}, seriesLabel, {x - 2, Main - 20}});
    // The first and the third shunt part go down to ground, the middle one up.
    constexpr int lower = (ShuntTop + Ground) / 2, upper = (FeedbackY + Main) / 2;
    for (int i = 0; i < 3; ++i) {
        const int y = i == 1 ? upper : lower;
        s.parts.push_back({shuntKind,
                           Orientation::Upright,
                           {Nodes[i], y},
                           shuntLabels[i],
                           {Nodes[i] + 12, y - 3}});
    }

    std::vector<Item>& d = s.drawing;
    d.push_back(Frame{{0, 0, SchematicWidth - 1, SchematicHeight - 1}});

    // In: a short thick line, then the main line to the amplifier.
    d.push_back(FilledRect{{InEnd.x, Main - 1, InLeadEnd, Main + 1}});
    d.push_back(Text{{InEnd.x + 1, Main - 12}, s.in.name});
    d.push_back(Across(InLeadEnd, AmpLeft, Main));

    // The amplifier with its input signs, and the output node with Out leaving it.
    d.push_back(Upright(AmpLeft, AmpTop, AmpBottom));
    d.push_back(SlantedLine{{AmpLeft, AmpTop}, {AmpTip, AmpMid}});
    d.push_back(SlantedLine{{AmpLeft, AmpBottom}, {AmpTip, AmpMid}});
    d.push_back(Across(AmpLeft + 4, AmpLeft + 8, Inverting));
    d.push_back(Across(AmpLeft + 4, AmpLeft + 8, Main));
    d.push_back(Upright(AmpLeft + 6, Main - 2, Main + 2));
    d.push_back(Across(AmpTip, Output, AmpMid));
    d.push_back(FilledRect{{Output, AmpMid - 1, OutEnd.x, AmpMid + 1}});
    d.push_back(Text{{Output + 8, AmpMid - 12}, s.out.name});

    // Feedback: up from the output, back over the amplifier to above the middle node, and
    // down into the inverting input.
    d.push_back(Upright(Output, FeedbackY, AmpMid));
    d.push_back(Across(Nodes[1], Output, FeedbackY));
    d.push_back(Upright(InvertingTap, FeedbackY, Inverting));
    d.push_back(Across(InvertingTap, AmpLeft, Inverting));

    for (std::size_t i = 0; i < FirstShunt; ++i)
        d.push_back(PartRef{i});
    for (int i : {0, 2}) {
        d.push_back(Upright(Nodes[i], Main, Ground));
        d.push_back(PartRef{FirstShunt + std::size_t(i)});
        d.push_back(GroundSymbol{{Nodes[i], Ground}});
    }
    d.push_back(Upright(Nodes[1], FeedbackY, Main));
    d.push_back(PartRef{FirstShunt + 1});

    for (int x : Nodes)
        d.push_back(Dot{{x, Main}});
    d.push_back(Dot{{InvertingTap, FeedbackY}});
    d.push_back(Dot{s.amplifier.output});
    return s;
}

// A part's pixels: `cleared` is painted white first, cutting the wire it sits in, then
// `ink` black.
struct PartPixels {
    Rect cleared;
    std::vector<Rect> ink;
};

std::vector<Rect> FrameSides(Rect r)
{
    return {{r.x0, r.y0, r.x1, r.y0},
            {r.x0, r.y1, r.x1, r.y1},
            {r.x0, r.y0, r.x0, r.y1},
            {r.x1, r.y0, r.x1, r.y1}};
}

PartPixels PixelsOf(const Part& part)
{
    const auto [x, y] = part.centre;
    const bool across = part.orientation == Orientation::Across;
    if (part.kind == PartKind::Resistor) {
        const Rect box =
            across ? Rect{x - 11, y - 4, x + 11, y + 4} : Rect{x - 4, y - 11, x + 4, y + 11};
        return {box, FrameSides(box)};
    }
    if (across)  // two upright plates
        return {{x - 2, y - 8, x + 2, y + 8},
                {{x - 3, y - 8, x - 2, y + 8}, {x + 2, y - 8, x + 3, y + 8}}};
    // two flat plates
    return {{x - 8, y - 2, x + 8, y + 2},
            {{x - 8, y - 3, x + 8, y - 2}, {x - 8, y + 2, x + 8, y + 3}}};
}

class Raster {
public:
    explicit Raster(const Schematic& schematic) : schematic_(schematic) { }

    void Black(Rect r) { paints_.push_back(Fill{r, Ink::Black}); }
    void Black(Point from, Point to)
    {
        Black(Rect{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                   std::max(from.y, to.y)});
    }
    void White(Rect r) { paints_.push_back(Fill{r, Ink::White}); }

    void Write(Point at, std::string_view text)
    {
        // Each stroke as its longest rows and columns of ink rather than single pixels, so
        // that a renderer at a fractional scale draws it unbroken.
        for (char ch : text) {
            const Glyph& glyph = GlyphOf(ch);
            const int width = GlyphWidth(glyph);
            const auto ink = [&](int dx, int dy) {
                return dx >= 0 && dx < width && dy >= 0 && dy < GlyphHeight &&
                       glyph.rows[dy][dx] == '#';
            };
            for (int dy = 0; dy < GlyphHeight; ++dy)
                for (int dx = 0; dx < width; ++dx)
                    if (ink(dx, dy) && !ink(dx - 1, dy)) {
                        int end = dx;
                        while (ink(end + 1, dy))
                            ++end;
                        Black(Rect{at.x + dx, at.y + dy, at.x + end, at.y + dy});
                    }
            for (int dx = 0; dx < width; ++dx)
                for (int dy = 0; dy < GlyphHeight; ++dy)
                    if (ink(dx, dy) && !ink(dx, dy - 1)) {
                        int end = dy;
                        while (ink(dx, end + 1))
                            ++end;
                        Black(Rect{at.x + dx, at.y + dy, at.x + dx, at.y + end});
                    }
            at.x += width + 1;
        }
    }

    void operator()(const FilledRect& item) { Black(item.rect); }
    void operator()(const Wire& item) { Black(item.from, item.to); }
    void operator()(const Frame& item)
    {
        for (const Rect& side : FrameSides(item.rect))
            Black(side);
    }
    void operator()(const SlantedLine& item) { paints_.push_back(item); }
    void operator()(const Text& item) { Write(item.topLeft, item.text); }
    void operator()(const Dot& item)
    {
        const auto [x, y] = item.centre;
        Black(Rect{x - 1, y - 2, x + 1, y + 2});
        Black(Rect{x - 2, y - 1, x + 2, y + 1});
    }
    void operator()(const GroundSymbol& item)
    {
        const auto [x, y] = item.top;
        Black(Rect{x - 7, y, x + 7, y});
        Black(Rect{x - 4, y + 3, x + 4, y + 3});
        Black(Rect{x - 1, y + 6, x + 1, y + 6});
    }

    void operator()(const PartRef& item)
    {
        const Part& part = schematic_.parts.at(item.index);
        const PartPixels pixels = PixelsOf(part);
        White(pixels.cleared);
        for (const Rect& r : pixels.ink)
            Black(r);
        Write(part.labelAt, part.label);
    }

    std::vector<Paint> Take() { return std::move(paints_); }

private:
    const Schematic& schematic_;
    std::vector<Paint> paints_;
};

}  // namespace

const Schematic& SchematicOf(Circuit circuit)
{
    static const Schematic lowPass = Build(Circuit::LowPass), highPass = Build(Circuit::HighPass);
    return circuit == Circuit::LowPass ? lowPass : highPass;
}

Rect Outline(const Part& part)
{
    const std::vector<Rect> ink = PixelsOf(part).ink;
    Rect all = ink.front();
    for (const Rect& r : ink)
        all = {std::min(all.x0, r.x0), std::min(all.y0, r.y0), std::max(all.x1, r.x1),
               std::max(all.y1, r.y1)};
    return all;
}

std::span<const Glyph> PixelFont()
{
    return Font;
}

Rect TextBox(Point topLeft, std::string_view text)
{
    int width = 0;
    for (char ch : text)
        width += GlyphWidth(GlyphOf(ch)) + 1;
    return {topLeft.x, topLeft.y, topLeft.x + std::max(width - 2, 0), topLeft.y + GlyphHeight - 1};
}

std::vector<Paint> Rasterise(const Schematic& schematic)
{
    Raster raster(schematic);
    for (const Item& item : schematic.drawing)
        std::visit(raster, item);
    return raster.Take();
}

}  // namespace resources
