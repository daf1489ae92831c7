// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The pictures the program ships, one row each: the one place to add, remove or resize one.
// resources/CMakeLists.txt reads the rows of `Pictures` from this file to compile the files
// in, check that they are what the drawing gives and install the icons, so keep each row in
// the form  PictureFile{":/<file>", <width>, <height>, PictureKind::<kind>, <true|false>}.
// Qt-free: the companion may ask it too.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace resources {

enum class PictureKind {
    LowPassSchematic,   // width / 270 pixels for each pixel of the 270 x 150 drawing
    HighPassSchematic,  // likewise
    Icon,               // square
};

struct PictureFile {
    const char* path;  // the Qt resource path, ":/" and the file's name in resources/
    int width;         // pixels
    int height;        // pixels
    PictureKind kind;
    bool inTitleBar;  // one of the icons the window offers its title bar
};

inline constexpr std::array Pictures = {
    PictureFile{":/lowpass.xpm", 270, 150, PictureKind::LowPassSchematic, false},
    PictureFile{":/highpass.xpm", 270, 150, PictureKind::HighPassSchematic, false},
    PictureFile{":/lowpass@2x.xpm", 540, 300, PictureKind::LowPassSchematic, false},
    PictureFile{":/highpass@2x.xpm", 540, 300, PictureKind::HighPassSchematic, false},
    PictureFile{":/icon32.xpm", 32, 32, PictureKind::Icon, true},
    PictureFile{":/icon48.xpm", 48, 48, PictureKind::Icon, true},
    PictureFile{":/icon64.xpm", 64, 64, PictureKind::Icon, true},
    PictureFile{":/icon128.xpm", 128, 128, PictureKind::Icon, false},
    PictureFile{":/icon256.xpm", 256, 256, PictureKind::Icon, false},
};

// The schematics the window shows; a screen of twice the density finds the "@2x" file of
// the same name next to each.
inline constexpr const char* LowPassSchematic = Pictures[0].path;
inline constexpr const char* HighPassSchematic = Pictures[1].path;
static_assert(Pictures[0].kind == PictureKind::LowPassSchematic && Pictures[0].width == 270);
static_assert(Pictures[1].kind == PictureKind::HighPassSchematic && Pictures[1].width == 270);

// "lowpass.xpm" for ":/lowpass.xpm": the file's name in resources/.
constexpr std::string_view FileName(const PictureFile& picture)
{
    return std::string_view(picture.path).substr(2);
}

namespace detail {
constexpr std::size_t CountInTitleBar()
{
    std::size_t count = 0;
    for (const PictureFile& picture : Pictures)
        count += picture.inTitleBar;
    return count;
}
}  // namespace detail

// The icons for the window's title bar, the smallest first.
inline constexpr auto TitleBarIcons = [] {
    std::array<PictureFile, detail::CountInTitleBar()> icons{};
    std::size_t next = 0;
    for (const PictureFile& picture : Pictures)
        if (picture.inTitleBar)
            icons[next++] = picture;
    return icons;
}();

}  // namespace resources
