// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/schematic_svg.h"

#include <variant>

#include "design/outputs/markup.h"
#include "resources/schematic.h"

namespace design::outputs {
namespace {

using resources::Rect;

std::string Box(const Rect& r, std::string_view fill)
{
    return "<rect x=\"" + Num(r.x0, 2) + "\" y=\"" + Num(r.y0, 2) + "\" width=\"" +
           Num(r.x1 - r.x0 + 1, 2) + "\" height=\"" + Num(r.y1 - r.y0 + 1, 2) + "\" fill=\"" +
           std::string(fill) + "\"/>\n";
}

// Text in the grid's units; the pixel font's 7-pixel glyphs become a 9-unit font.
std::string Label(double x, double baseline, std::string_view text, std::string_view anchor,
                  std::string_view extra = "")
{
    return "<text x=\"" + Num(x, 2) + "\" y=\"" + Num(baseline, 2) + "\" text-anchor=\"" +
           std::string(anchor) + "\"" + (extra.empty() ? "" : " " + std::string(extra)) + ">" +
           Escape(text) + "</text>\n";
}

class Drawer {
public:
    Drawer(const resources::Schematic& schematic, const std::array<std::string, 6>& values)
        : schematic_(schematic), values_(values)
    {
    }

    void operator()(const resources::FilledRect& item) { out += Box(item.rect, "#000"); }
    void operator()(const resources::Wire& item)
    {
        out += Box({std::min(item.from.x, item.to.x), std::min(item.from.y, item.to.y),
                    std::max(item.from.x, item.to.x), std::max(item.from.y, item.to.y)},
                   "#000");
    }
    void operator()(const resources::Frame&) { }  // the page frames the drawing itself
    void operator()(const resources::SlantedLine& item)
    {
        out += "<line x1=\"" + Num(item.from.x + 0.5, 2) + "\" y1=\"" + Num(item.from.y + 0.5, 2) +
               "\" x2=\"" + Num(item.to.x + 0.5, 2) + "\" y2=\"" + Num(item.to.y + 0.5, 2) +
               "\" stroke=\"#000\" stroke-width=\"1\"/>\n";
    }
    void operator()(const resources::Text& item)
    {
        out += Label(item.topLeft.x, item.topLeft.y + 7, item.text, "start", "font-size=\"9\"");
    }
    void operator()(const resources::Dot& item)
    {
        out += "<circle cx=\"" + Num(item.centre.x + 0.5, 2) + "\" cy=\"" +
               Num(item.centre.y + 0.5, 2) + "\" r=\"2.5\" fill=\"#000\"/>\n";
    }
    void operator()(const resources::GroundSymbol& item)
    {
        const auto [x, y] = item.top;
        out += Box({x - 7, y, x + 7, y}, "#000") + Box({x - 4, y + 3, x + 4, y + 3}, "#000") +
               Box({x - 1, y + 6, x + 1, y + 6}, "#000");
    }
    void operator()(const resources::PartRef& item)
    {
        const resources::Part& part = schematic_.parts.at(item.index);
        const Rect o = resources::Outline(part);
        const bool across = part.orientation == resources::Orientation::Across;
        if (part.kind == resources::PartKind::Resistor) {
            out += Box(o, "#000") + Box({o.x0 + 1, o.y0 + 1, o.x1 - 1, o.y1 - 1}, "#fff");
        } else if (across) {  // upright plates, two pixels thick, the wire cut between
            out += Box({o.x0 + 1, o.y0, o.x1 - 1, o.y1}, "#fff") +
                   Box({o.x0, o.y0, o.x0 + 1, o.y1}, "#000") +
                   Box({o.x1 - 1, o.y0, o.x1, o.y1}, "#000");
        } else {
            out += Box({o.x0, o.y0 + 1, o.x1, o.y1 - 1}, "#fff") +
                   Box({o.x0, o.y0, o.x1, o.y0 + 1}, "#000") +
                   Box({o.x0, o.y1 - 1, o.x1, o.y1}, "#000");
        }
        // The label where the window writes it, the value next to it: above the label for
        // a series part, after it for a shunt part.
        const std::string name =
            item.index < 3 ? std::string(part.label) + "abc"[item.index] : std::string(part.label);
        if (across) {
            out += Label(part.centre.x + 0.5, part.labelAt.y + 7, name, "middle",
                         "font-size=\"8\" font-weight=\"bold\"");
            out += Label(part.centre.x + 0.5, part.labelAt.y - 3, values_[item.index], "middle",
                         "font-size=\"8\"");
        } else {
            out += Label(part.labelAt.x, part.labelAt.y + 7, name, "start",
                         "font-size=\"8\" font-weight=\"bold\"");
            out += Label(part.labelAt.x + 13, part.labelAt.y + 7, values_[item.index], "start",
                         "font-size=\"8\"");
        }
    }

    std::string out;

private:
    const resources::Schematic& schematic_;
    const std::array<std::string, 6>& values_;
};

}  // namespace

std::string SchematicSvg(const Report& report, double scale)
{
    const Design& d = report.design;
    const bool lowPass = d.request.circuit == Circuit::LowPass;
    const resources::Schematic& schematic = resources::SchematicOf(
        lowPass ? resources::Circuit::LowPass : resources::Circuit::HighPass);
    // parts[]: the series parts in signal order, then the shunt parts in the same order.
    std::array<std::string, 6> values;
    for (std::size_t i = 0; i < 3; ++i) {
        values[i] = WithUnit(d.parts.series[i], lowPass ? "Ω" : "F", 4);
        values[3 + i] = WithUnit(d.parts.shunt[i], lowPass ? "F" : "Ω", 4);
    }
    Drawer drawer(schematic, values);
    for (const resources::Item& item : schematic.drawing)
        std::visit(drawer, item);
    // The op-amp's input signs are wires of the drawing; name them for a screen reader too.
    const std::string w = Num(resources::SchematicWidth, 2), h = Num(resources::SchematicHeight, 2);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           Num(resources::SchematicWidth * scale, 2) + "\" height=\"" +
           Num(resources::SchematicHeight * scale, 2) + "\" viewBox=\"0 0 " + w + " " + h +
           "\" font-family=\"DejaVu Sans, Verdana, sans-serif\" role=\"img\" aria-label=\"" +
           Escape("Schematic of the " + std::string(Title(d.request.circuit)) +
                  " filter: three series parts from In to the op-amp's + input, the op-amp a "
                  "follower with its output fed back to its - input, Out at the output") +
           "\">\n<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#fff\"/>\n" +
           drawer.out + "</svg>\n";
}

}  // namespace design::outputs
