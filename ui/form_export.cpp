// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Writes the window's definition (form_definition.h) for a face that is not Qt: form1.json
// with the frame, every control in creation order with its rectangle, text, font, colours,
// flags and what a screen reader says of it, the tab order, the icons and the link; and every
// picture (the schematics at both densities, the icons) as a PNG file of the same name
// ("lowpass@2x.png"), which the JSON names in place of the program's resource path.
//
// Usage: form1_export FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QImage>
#include <nlohmann/json.hpp>

#include "ui/form_definition.h"
#include "ui/readable_colour.h"
#include "ui/xpm_image.h"

namespace {

using nlohmann::json;
using ui::ControlDef, ui::ControlKind, ui::FontDef;

const char* KindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return "Label";
    case ControlKind::Link: return "Link";
    case ControlKind::GroupBox: return "GroupBox";
    case ControlKind::Picture: return "Picture";
    case ControlKind::Edit: return "Edit";
    case ControlKind::RadioButton: return "RadioButton";
    case ControlKind::PushButton: return "PushButton";
    }
    return "";
}

json Font(const FontDef& font)
{
    return {{"pixelSize", font.pixelSize}, {"bold", font.bold}, {"underline", font.underline}};
}

// "#rrggbb", or null for the style's own colour.
json Colour(QRgb colour)
{
    if (colour == ui::SystemColour)
        return nullptr;
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text = "#";
    for (const int part : {qRed(colour), qGreen(colour), qBlue(colour)})
        text += {Digits[part / 16], Digits[part % 16]};
    return text;
}

json Flags(unsigned flags)
{
    static constexpr std::pair<unsigned, const char*> Names[] = {
        {ui::FixedSize, "fixedSize"}, {ui::Centred, "centred"},
        {ui::Opaque, "opaque"},       {ui::Hidden, "hidden"},
        {ui::Checked, "checked"},     {ui::DefaultButton, "defaultButton"},
        {ui::Announced, "announced"}, {ui::Reviewable, "reviewable"},
    };
    json names = json::array();
    for (const auto& [flag, name] : Names)
        if (flags & flag)
            names.push_back(name);
    return names;
}

// The grounds a page draws the window on in a light and a dark scheme: the light one the
// window's own under its style.
const QColor LightGround(0xef, 0xef, 0xef);
const QColor DarkGround(0x1e, 0x1e, 0x1e);

std::string Hex(const QColor& colour)
{
    return Colour(colour.rgb()).get<std::string>();
}

// A fixed text colour drawn on the window's ground, as the window shades it on the scheme's:
// readable on each ground (form_builder's rule).
json Shades(const ControlDef& c)
{
    if (c.textColour == ui::SystemColour || c.background != ui::SystemColour)
        return nullptr;
    const QColor text(c.textColour);
    return {{"light", Hex(ui::ReadableShade(text, LightGround))},
            {"dark", Hex(ui::ReadableShade(text, DarkGround))}};
}

// "lowpass.png" for ":/lowpass.xpm".
std::string PngName(const char* resourcePath)
{
    return QFileInfo(QString::fromUtf8(resourcePath)).completeBaseName().toStdString() + ".png";
}

json OrNull(const char* text)
{
    return text ? json(text) : json(nullptr);
}

json Control(const ControlDef& c)
{
    return {{"name", c.name},
            {"kind", KindName(c.kind)},
            {"parent", OrNull(c.parent)},
            {"rect", {c.rect.left(), c.rect.top(), c.rect.width(), c.rect.height()}},
            {"text", c.kind == ControlKind::Picture ? PngName(c.text) : c.text},
            {"font", Font(c.font)},
            {"textColour", Colour(c.textColour)},
            {"textShades", Shades(c)},
            {"background", Colour(c.background)},
            {"flags", Flags(c.flags)},
            {"accessibleName", OrNull(c.access.name)},
            {"accessibleDescription", OrNull(c.access.description)}};
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: form1_export FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "form1_export: cannot make %s\n", argv[1]);
        return 1;
    }
    for (const resources::PictureFile& picture : resources::Pictures) {
        const QString name = QString::fromStdString(PngName(picture.path));
        const QImage image = ui::ReadXpm(QString::fromUtf8(picture.path));
        if (image.isNull() || !image.save(folder.filePath(name), "PNG")) {
            std::fprintf(stderr, "form1_export: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }

    const ui::WindowDef& w = ui::Form1Window();
    json icons = json::array();
    for (const resources::PictureFile& icon : w.iconFiles)
        icons.push_back(
            {{"file", PngName(icon.path)}, {"width", icon.width}, {"height", icon.height}});
    json controls = json::array();
    for (const ControlDef& c : ui::Form1Controls())
        controls.push_back(Control(c));
    const json form = {{"window",
                        {{"name", w.name},
                         {"caption", w.caption},
                         {"clientSize", {w.clientSize.width(), w.clientSize.height()}},
                         {"font", Font(w.font)},
                         {"grounds", {{"light", Hex(LightGround)}, {"dark", Hex(DarkGround)}}},
                         {"icons", icons},
                         {"linkUrl", w.linkUrl},
                         {"tabOrder", w.tabOrder}}},
                       {"controls", controls}};
    const std::string path = folder.filePath(QStringLiteral("form1.json")).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << form.dump(1) << '\n';
    out.close();
    if (!out) {
        std::fprintf(stderr, "form1_export: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
