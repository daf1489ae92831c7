// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The texts, units and markers of the six results.
#include <gtest/gtest.h>

#include <string>

#include "calc/calculation.h"

namespace {

using calc::Extended;
using namespace calc::literals;

// "68,05 nF", "-" when there is nothing to write; "!" appended for a marker.
std::string Shown(const calc::ComponentDisplay& display)
{
    std::string text = display.texts ? display.texts->number + " " + display.texts->unit : "-";
    return display.marker ? text + " !" : text;
}

TEST(Results, DefaultsAndCornersOfTheInputRange)
{
    struct Row {
        const char* f;
        const char* r;
        const char* c;
        bool kHz;
        bool uF;
        const char* shown[6];
    };
    // clang-format off
    const Row rows[] = {
        {"100", "33", "10", false, false,
         {"68,05 nF", "0,17 uF", "9,86 nF", "109,5 kOhm / кОм", "43 kOhm / кОм", "755,8 kOhm / кОм"}},
        {"1000", "10", "1", false, false,
         {"22,46 nF", "57,15 nF", "3,25 nF", "109,5 kOhm / кОм", "43 kOhm / кОм", "755,8 kOhm / кОм"}},
        {"1", "0,1", "0,1", false, false,
         {"2245,67 uF !", "5715,24 uF !", "325,47 uF !", "1094665,1 kOhm / кОм !",
          "430354 kOhm / кОм !", "7558250,6 kOhm / кОм !"}},
        {"500", "1000", "10", true, true, {"- !", "1 pF !", "- !", "- !", "- !", "- !"}},
        // The same frequency in kHz: everything a thousand times smaller.
        {"100", "33", "10", true, false,
         {"68 pF !", "173 pF", "10 pF !", "109 Ohm / Ом", "43 Ohm / Ом !", "756 Ohm / Ом"}},
        {"1,5", "4,7", "2,2", true, true,
         {"31,85 nF", "81,07 nF", "4,62 nF", "33 Ohm / Ом !", "13 Ohm / Ом !", "229 Ohm / Ом"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        calc::CalcState state;
        if (row.kHz)
            calc::SetFrequencyUnit(state, calc::FrequencyUnit::kHz);
        if (row.uF)
            calc::SetCapacitanceUnit(state, calc::CapacitanceUnit::uF);
        const calc::Calculation result = calc::Calculate(state, {row.f, row.r, row.c});
        ASSERT_TRUE(std::holds_alternative<calc::Computed>(result)) << row.f;
        const auto& components = std::get<calc::Computed>(result).components;
        for (std::size_t i = 0; i < components.size(); ++i)
            EXPECT_EQ(Shown(components[i]), row.shown[i])
                << row.f << (row.kHz ? " kHz, " : " Hz, ") << row.r << " kOhm, " << row.c
                << (row.uF ? " uF: " : " nF: ") << calc::ComponentName(calc::AllComponents[i]);
    }
}

TEST(NumberText, FifteenSignificantDigitsWithACommaAndNoTrailingZeros)
{
    struct Row {
        Extended value;
        const char* text;
    };
    const Row rows[] = {
        {0, "0"},
        {17 / 100.0_ext, "0,17"},
        {4300 / 100.0_ext, "43"},
        {1095 / 10.0_ext, "109,5"},
        {6805 / 100.0_ext, "68,05"},
        {1 / 100.0_ext, "0,01"},
        {7558250.6_ext, "7558250,6"},
        {0.0001_ext, "0,0001"},
        {0.00012345_ext, "0,00012345"},
        {123456789012345.0_ext, "123456789012345"},
        {1234567890123456.0_ext, "1,23456789012346E15"},
        {1e15_ext, "1E15"},
        {999999999999999.0_ext, "999999999999999"},
        // The 16th digit rounds half away from zero and may carry into a new digit.
        {999999999999999.5_ext, "1E15"},
        {9.9999999999999995_ext, "10"},
        {1.0000000000000049_ext, "1"},
        {1.000000000000005_ext, "1,00000000000001"},
        {0.00001_ext, "1E-5"},
        {0.000015_ext, "1,5E-5"},
        {-2.5_ext, "-2,5"},
        {1e300_ext, "1E300"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(calc::NumberText(row.value), row.text) << static_cast<double>(row.value);
}

TEST(NumberText, WritesEveryHundredthExactly)
{
    // The display divides a rounded count by 100 or 10; every such value must come back
    // as the count's own digits.
    for (std::int64_t count = 0; count < 1'000'000; count += 7) {
        const std::string digits = std::to_string(count);
        std::string expected = count < 100 ? "0," + std::string(count < 10 ? "0" : "") + digits
                                           : digits.substr(0, digits.size() - 2) + "," +
                                                 digits.substr(digits.size() - 2);
        expected.erase(expected.find_last_not_of('0') + 1);
        if (expected.back() == ',')
            expected.pop_back();
        if (expected == "0,")
            expected = "0";
        ASSERT_EQ(calc::NumberText(count / 100.0_ext), expected) << count;
    }
}

TEST(RoundToInteger, HalfwayGoesToTheEvenNeighbour)
{
    struct Row {
        Extended value;
        std::int64_t rounded;
    };
    const Row rows[] = {{0.5_ext, 0},       {1.5_ext, 2},
                        {2.5_ext, 2},       {3.5_ext, 4},
                        {-2.5_ext, -2},     {2.4999999_ext, 2},
                        {2.5000001_ext, 3}, {1e18_ext, 1'000'000'000'000'000'000}};
    for (const Row& row : rows)
        EXPECT_EQ(calc::RoundToInteger(row.value), row.rounded) << static_cast<double>(row.value);
}

std::string Texts(const std::optional<calc::DisplayTexts>& texts)
{
    return texts ? texts->number + " " + texts->unit : "-";
}

TEST(FormatCapacitance, ChoosesTheRangeBeforeRounding)
{
    struct Row {
        double farads;
        const char* shown;
    };
    // clang-format off
    const Row rows[] = {
        // The limits are extended constants: the double nearest 1e-7 lies below 1e-7 and
        // the double nearest 1e-12 below 1e-12, while the double nearest 1e-9 lies above.
        {9.995e-8, "99,95 nF"},  {9.9999e-8, "100 nF"},   {1e-7, "100 nF"},
        {1.0000001e-7, "0,1 uF"}, {1.0000001e-12, "1 pF"},
        {2e-9, "2 nF"},          {1e-9, "1 nF"},          {9.994e-10, "999 pF"},
        {9.996e-10, "1000 pF"},  {1e-12, "-"},         {9.99e-13, "-"},
        {0, "-"},                {2.5e-3, "2500 uF"},     {1.234567e-6, "1,23 uF"},
        {3.3e-11, "33 pF"},      {4.7e-12, "5 pF"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(Texts(calc::FormatCapacitance(row.farads)), row.shown) << row.farads;
}

TEST(FormatResistance, ChoosesTheRangeBeforeRounding)
{
    struct Row {
        double ohms;
        const char* shown;
    };
    // clang-format off
    const Row rows[] = {
        {1000, "1 kOhm / кОм"},   {999.6, "1000 Ohm / Ом"}, {999.4, "999 Ohm / Ом"},
        {1, "1 Ohm / Ом"},         {0.999, "-"},             {0, "-"},
        {2.5, "2 Ohm / Ом"},       {3.5, "4 Ohm / Ом"},      {1250, "1,2 kOhm / кОм"},
        {1350, "1,4 kOhm / кОм"},  {1260, "1,3 kOhm / кОм"}, {1e10, "10000000 kOhm / кОм"},
        {43035.4, "43 kOhm / кОм"}, {99999, "100 kOhm / кОм"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(Texts(calc::FormatResistance(row.ohms)), row.shown) << row.ohms;
}

TEST(Markers, FlagImpracticalValuesWhetherShownOrNot)
{
    struct Row {
        double value;
        bool marker;
    };
    const Row capacitors[] = {{1e-13, true},   {9.9e-11, true}, {1.01e-10, false}, {1e-6, false},
                              {9.9e-6, false}, {1.01e-5, true}, {1, true}};
    for (const Row& row : capacitors) {
        EXPECT_EQ(calc::CapacitanceMarker(row.value), row.marker) << row.value;
        EXPECT_EQ(calc::DisplayCapacitance(row.value).marker, row.marker) << row.value;
    }
    const Row resistors[] = {{0.5, true},  {99.9, true},    {100, false},
                             {1e6, false}, {1000001, true}, {5e3, false}};
    for (const Row& row : resistors) {
        EXPECT_EQ(calc::ResistanceMarker(row.value), row.marker) << row.value;
        EXPECT_EQ(calc::DisplayResistance(row.value).marker, row.marker) << row.value;
    }
}

}  // namespace
