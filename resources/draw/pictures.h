// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window's pictures, drawn from their geometry so that every size comes from one
// drawing: the two filter schematics, black on white, and the window icon.
#pragma once

#include <QtCore/QString>
#include <QtGui/QImage>
#include <array>
#include <span>
#include <vector>

#include "resources/draw/xpm.h"
#include "resources/schematic.h"

namespace pictures {

inline constexpr QRgb White = 0xFFFFFF;
inline constexpr QRgb Black = 0x000000;
inline constexpr std::array<XpmColour, 2> BlackOnWhite = {{{'.', White}, {'#', Black}}};

// The standard 16 colours; the icon uses five of them.
inline constexpr QRgb Olive = 0x808000;
inline constexpr QRgb Silver = 0xC0C0C0;
inline constexpr QRgb Red = 0xFF0000;
inline constexpr QRgb Blue = 0x0000FF;
inline constexpr std::array<XpmColour, 16> SixteenColours = {{
    {'#', Black},
    {'m', 0x800000},
    {'g', 0x008000},
    {'o', Olive},
    {'n', 0x000080},
    {'p', 0x800080},
    {'t', 0x008080},
    {'.', Silver},
    {'d', 0x808080},
    {'r', Red},
    {'l', 0x00FF00},
    {'y', 0xFFFF00},
    {'b', Blue},
    {'f', 0xFF00FF},
    {'a', 0x00FFFF},
    {'w', White},
}};

using Circuit = resources::Circuit;

// 270 x 150 pixels times `scale`, black and white only: the circuit's schematic in a thin
// frame. Each pixel of the 270 x 150 drawing becomes a scale x scale square, except along
// the slanted sides of the amplifier, which are drawn at the finer resolution.
QImage DrawSchematic(Circuit circuit, int scale);

// The same for a screen of any pixel ratio of 1 or more, 270 x 150 times `ratio` rounded:
// each one-pixel line of the drawing, and each pixel of its letters, is LineWidth(ratio)
// device pixels wide wherever it falls, so no line comes out thicker than another as it
// would in a scaled copy. A whole ratio gives exactly DrawSchematic(circuit, int(ratio)).
QImage DrawSchematic(Circuit circuit, double ratio);

// The device-pixel width of a one-pixel line of the schematics at `ratio`.
int LineWidth(double ratio);

// `size` x `size` pixels, opaque, in the standard 16 colours only: the 32-pixel drawing
// with its geometry scaled, so that larger sizes gain detail instead of larger steps.
QImage DrawIcon(int size);

struct Picture {
    QString fileName;  // "lowpass.xpm", "icon48.xpm", ...
    QImage image;
    std::span<const XpmColour> palette;
};

// Every picture the program ships, in the order of resources::Pictures.
std::vector<Picture> DrawAll();

}  // namespace pictures
