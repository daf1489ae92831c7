// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The main window as data: its frame and its controls in creation order, with parent,
// geometry, text, font, colours and initial state. BuildForm (form_builder.h) turns it into
// widgets; the behaviour in TForm1 addresses the controls by these names.
#pragma once

#include <span>

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtGui/QRgb>

#include "resources/picture_files.h"

namespace ui {

enum class ControlKind { Label, Link, GroupBox, Picture, Edit, RadioButton, PushButton };

// A pixel height of 0 keeps the window's default font.
struct FontDef {
    int pixelSize = 0;
    bool bold = false;
    bool underline = false;
};

enum ControlFlag : unsigned {
    NoFlags = 0,
    FixedSize = 1 << 0,  // labels otherwise size themselves to their text
    Centred = 1 << 1,    // text centred horizontally
    Opaque = 1 << 2,     // label background filled with its background colour
    Hidden = 1 << 3,
    Checked = 1 << 4,        // radio button
    DefaultButton = 1 << 5,  // pressed by Enter
    Announced = 1 << 6,      // a screen reader announces it each time it appears
    Reviewable = 1 << 7,     // a screen reader's review finds it while it shows, unannounced
};

inline constexpr QRgb SystemColour = 0;  // the style's own colour
inline constexpr QRgb Maroon = qRgb(128, 0, 0);
inline constexpr QRgb Yellow = qRgb(255, 255, 0);
inline constexpr QRgb Red = qRgb(255, 0, 0);
inline constexpr QRgb Blue = qRgb(0, 0, 255);

// What a screen reader tells about a control beyond what the control shows. A label's name is
// its visible text; a control that shows no such text (a picture, a field), or a text an
// English voice would misread, gets a name here.
struct AccessibleDef {
    const char* name = nullptr;         // UTF-8; nullptr: the control's own text
    const char* description = nullptr;  // what the control stands for
};

struct ControlDef {
    const char* name;
    ControlKind kind;
    const char* parent = nullptr;  // nullptr: the window
    QRect rect;                    // left, top, width, height in the parent
    const char* text = "";         // UTF-8; for a picture, its resource path
    FontDef font{};
    QRgb textColour = SystemColour;
    QRgb background = SystemColour;
    unsigned flags = NoFlags;
    AccessibleDef access{};
};

struct WindowDef {
    const char* name;
    const char* caption;
    QSize clientSize;
    FontDef font;                                       // for every control that sets no font
    std::span<const resources::PictureFile> iconFiles;  // one per size, the smallest first
    const char* linkUrl;                                // what the link label opens
    std::span<const char* const> tabOrder;  // control names, in the order Tab visits them
};

const WindowDef& Form1Window();
std::span<const ControlDef> Form1Controls();

}  // namespace ui
