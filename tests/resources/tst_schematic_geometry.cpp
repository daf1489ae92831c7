// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The schematics' geometry as a renderer without Qt reads it: the parts carry the labels
// the calculation names its values by, everything stays inside the frame, labels keep clear
// of the ink they annotate, and the signal path runs from In through the amplifier to Out.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "resources/schematic.h"

using namespace resources;

namespace {

struct CircuitCase {
    Circuit circuit;
    std::set<std::string> labels;  // one value each in the calculation's results
};

void PrintTo(const CircuitCase& c, std::ostream* os)
{
    *os << (c.circuit == Circuit::LowPass ? "low-pass" : "high-pass");
}

bool Overlap(Rect a, Rect b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

bool Inside(Rect inner, Rect outer)
{
    return inner.x0 >= outer.x0 && inner.x1 <= outer.x1 && inner.y0 >= outer.y0 &&
           inner.y1 <= outer.y1;
}

Rect Span(Point a, Point b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

template <typename T>
std::vector<T> ItemsOf(const Schematic& s)
{
    std::vector<T> found;
    for (const Item& item : s.drawing)
        if (const T* t = std::get_if<T>(&item))
            found.push_back(*t);
    return found;
}

class SchematicGeometry : public testing::TestWithParam<CircuitCase> {
protected:
    const Schematic& s = SchematicOf(GetParam().circuit);
};

TEST_P(SchematicGeometry, PartsCarryTheCalculatedValuesLabels)
{
    std::set<std::string> labels;
    std::map<std::string, int> count;
    for (const Part& part : s.parts) {
        labels.insert(std::string(part.label));
        ++count[std::string(part.label)];
        EXPECT_EQ(part.label.front(), part.kind == PartKind::Resistor ? 'R' : 'C') << part.label;
    }
    EXPECT_EQ(labels, GetParam().labels);
    for (const auto& [label, n] : count) {  // the numbered parts are each one of a kind
        if (label.size() > 1) {
            EXPECT_EQ(n, 1) << label;
        }
    }
    EXPECT_EQ(ItemsOf<PartRef>(s).size(), s.parts.size());
}

TEST_P(SchematicGeometry, EverythingKeepsClearOfTheFrame)
{
    const Rect inside = {2, 2, SchematicWidth - 3, SchematicHeight - 3};
    for (const Part& part : s.parts) {
        EXPECT_TRUE(Inside(Outline(part), inside)) << part.label;
        EXPECT_TRUE(Inside(TextBox(part.labelAt, part.label), inside)) << part.label;
    }
    const Rect picture = {0, 0, SchematicWidth - 1, SchematicHeight - 1};
    for (const Paint& paint : Rasterise(s)) {
        if (const Fill* fill = std::get_if<Fill>(&paint)) {
            EXPECT_TRUE(Inside(fill->rect, picture));
        }
    }
}

TEST_P(SchematicGeometry, LabelsKeepClearOfWiresPartsAndEachOther)
{
    std::vector<Rect> ink;
    for (const Part& part : s.parts)
        ink.push_back(Outline(part));
    for (const Wire& wire : ItemsOf<Wire>(s))
        ink.push_back(Span(wire.from, wire.to));
    for (const FilledRect& lead : ItemsOf<FilledRect>(s))
        ink.push_back(lead.rect);
    for (const SlantedLine& side : ItemsOf<SlantedLine>(s))
        ink.push_back(Span(side.from, side.to));

    std::vector<Rect> labels;
    for (const Part& part : s.parts)
        labels.push_back(TextBox(part.labelAt, part.label));
    for (const Text& text : ItemsOf<Text>(s))
        labels.push_back(TextBox(text.topLeft, text.text));

    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (const Rect& r : ink)
            EXPECT_FALSE(Overlap(labels[i], r)) << "label " << i;
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(Overlap(labels[i], labels[j])) << "labels " << i << " and " << j;
    }
}

TEST_P(SchematicGeometry, EveryPartSitsInAWireOfItsDirection)
{
    const std::vector<Wire> wires = ItemsOf<Wire>(s);
    for (const Part& part : s.parts) {
        const bool across = part.orientation == Orientation::Across;
        EXPECT_TRUE(std::any_of(wires.begin(), wires.end(), [&](const Wire& w) {
            const Rect span = Span(w.from, w.to);
            const bool horizontal = span.y0 == span.y1;
            return horizontal == across &&
                   Inside({part.centre.x, part.centre.y, part.centre.x, part.centre.y}, span) &&
                   Inside(Outline(part),
                          {across ? span.x0 : 0, across ? 0 : span.y0,
                           across ? span.x1 : SchematicWidth, across ? SchematicHeight : span.y1});
        })) << part.label;
    }
}

TEST_P(SchematicGeometry, SignalRunsFromInThroughTheAmplifierToOut)
{
    const Amplifier& amp = s.amplifier;
    const auto [backTop, backBottom, tip] = amp.triangle;
    EXPECT_LT(s.in.end.x, backTop.x);
    EXPECT_LT(tip.x, amp.output.x);
    EXPECT_LT(amp.output.x, s.out.end.x);
    EXPECT_EQ(s.in.end.y, amp.nonInverting.y);  // the main line is straight
    for (Point input : {amp.inverting, amp.nonInverting}) {
        EXPECT_EQ(input.x, backTop.x);
        EXPECT_TRUE(backTop.y < input.y && input.y < backBottom.y);
    }
    EXPECT_LT(amp.inverting.y, amp.nonInverting.y);

    // The feedback wire leaves the output node and ends at the inverting input, along
    // drawn wires only.
    ASSERT_GE(s.feedback.size(), 2u);
    EXPECT_EQ(s.feedback.front(), amp.output);
    EXPECT_EQ(s.feedback.back(), amp.inverting);
    const std::vector<Wire> wires = ItemsOf<Wire>(s);
    for (std::size_t i = 1; i < s.feedback.size(); ++i) {
        const Rect leg = Span(s.feedback[i - 1], s.feedback[i]);
        EXPECT_TRUE(std::any_of(wires.begin(), wires.end(),
                                [&](const Wire& w) { return Inside(leg, Span(w.from, w.to)); }))
            << "leg " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(BothCircuits, SchematicGeometry,
                         testing::Values(CircuitCase{Circuit::LowPass, {"R", "C1", "C2", "C3"}},
                                         CircuitCase{Circuit::HighPass, {"C", "R1", "R2", "R3"}}),
                         [](const testing::TestParamInfo<CircuitCase>& info) {
                             return std::string(
                                 info.param.circuit == Circuit::LowPass ? "LowPass" : "HighPass");
                         });

}  // namespace
