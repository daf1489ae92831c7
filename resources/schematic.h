// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The two filter schematics as data: what is drawn where on the 270 x 150 grid, and what it
// means (the parts with their labels, the terminals, the amplifier, the feedback wire).
// The XPM pictures are painted from it (resources/draw/), and a program without Qt can draw
// the same circuits from it, for example as SVG with each part's value written at the part.
//
// Coordinates are whole pixels of the 270 x 150 drawing, x to the right and y down from the
// top-left corner. Pixel (x, y) is the unit square from (x, y) to (x + 1, y + 1), so a wire
// drawn through pixels of row y has its centre line at y + 0.5. Rectangles and line ends
// are inclusive: Rect{2, 3, 4, 3} is the three pixels (2, 3), (3, 3) and (4, 3).
// Standard C++ only.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace resources {

inline constexpr int SchematicWidth = 270;
inline constexpr int SchematicHeight = 150;

struct Point {
    int x;
    int y;
    friend constexpr bool operator==(Point, Point) = default;
};

struct Rect {  // inclusive corners, x0 <= x1 and y0 <= y1
    int x0;
    int y0;
    int x1;
    int y1;
    friend constexpr bool operator==(Rect, Rect) = default;
};

// The drawing's primitives. All ink is black on white.
struct FilledRect {  // a terminal's thick lead
    Rect rect;
};
struct Wire {  // horizontal or vertical, one pixel wide
    Point from;
    Point to;
};
struct Frame {  // a one-pixel outline
    Rect rect;
};
struct SlantedLine {  // one pixel wide; a finer raster draws it at its own resolution
    Point from;
    Point to;
};
struct Text {  // in the pixel font below
    Point topLeft;
    std::string_view text;
};
struct Dot {  // a junction: 5 x 5 pixels with the corners cut
    Point centre;
};
struct GroundSymbol {  // three bars, 15, 9 and 3 pixels wide, 3 pixels apart
    Point top;         // the middle of the widest bar, where the wire from above ends
};
struct PartRef {  // parts[index] of the schematic, with its label
    std::size_t index;
};
using Item = std::variant<FilledRect, Wire, Frame, SlantedLine, Text, Dot, GroundSymbol, PartRef>;

enum class PartKind { Resistor, Capacitor };
enum class Orientation {
    Across,   // in a horizontal wire: a resistor 23 x 9, a capacitor with upright plates
    Upright,  // in a vertical wire: a resistor 9 x 23, a capacitor with flat plates
};

struct Part {
    PartKind kind;
    Orientation orientation;
    Point centre;            // on the wire the part sits in
    std::string_view label;  // "R", "C1", ...: the name the calculation gives its value
    Point labelAt;           // the label's top-left, in the pixel font
};

struct Terminal {
    std::string_view name;  // "In", "Out"
    Point end;              // the outer end of its thick lead, where a source or load connects
};

struct Amplifier {
    std::array<Point, 3> triangle;  // the back's top and bottom corners, then the tip
    Point inverting;                // the inverting (-) input, on the back
    Point nonInverting;             // the non-inverting (+) input, where the main line arrives
    Point output;                   // the output node, right of the tip
};

enum class Circuit { LowPass, HighPass };

struct Schematic {
    Circuit circuit;
    std::vector<Part> parts;
    Terminal in;
    Terminal out;
    Amplifier amplifier;
    std::vector<Point> feedback;  // corners of the wire from the output node to the (-) input
    std::vector<Item> drawing;    // in painting order: a part paints its box white first
};

const Schematic& SchematicOf(Circuit circuit);

// The smallest rectangle holding all of a part's ink.
Rect Outline(const Part& part);

// The pixel font of the labels: glyphs 7 pixels high, rows of '#' (ink) and '.' (none), a
// blank column between letters.
inline constexpr int GlyphHeight = 7;
struct Glyph {
    char ch;
    std::array<const char*, GlyphHeight> rows;
};
std::span<const Glyph> PixelFont();

// The rectangle a text covers. Throws std::invalid_argument for a character the font lacks.
Rect TextBox(Point topLeft, std::string_view text);

// The drawing as a raster renderer paints it: rectangles of one ink and the slanted lines,
// in painting order (later ones paint over earlier ones).
enum class Ink { Black, White };
struct Fill {
    Rect rect;
    Ink ink;
};
using Paint = std::variant<Fill, SlantedLine>;
std::vector<Paint> Rasterise(const Schematic& schematic);

}  // namespace resources
