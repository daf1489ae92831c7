// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Reading the numbers engineers write, and refusing everything else.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "design/quantity.h"
#include "tests/design/param_name.h"

namespace {

using design::Unit;

struct GoodRow {
    const char* text;
    Unit unit;
    double expected;  // the double nearest to the decimal value, exactly
};

class ReadsQuantity : public testing::TestWithParam<GoodRow> { };

TEST_P(ReadsQuantity, AsTheNearestDouble)
{
    const auto& row = GetParam();
    const std::optional<double> value = design::ReadQuantity(row.text, row.unit, true);
    ASSERT_TRUE(value.has_value()) << row.text;
    EXPECT_EQ(*value, row.expected) << row.text;
}

INSTANTIATE_TEST_SUITE_P(
    Quantity, ReadsQuantity,
    testing::Values(GoodRow{"100", Unit::Hertz, 100}, GoodRow{"2.5k", Unit::Hertz, 2500},
                    GoodRow{"2,5k", Unit::Hertz, 2500}, GoodRow{"1e3", Unit::Hertz, 1000},
                    GoodRow{"1kHz", Unit::Hertz, 1000}, GoodRow{"1.5e-1Hz", Unit::Hertz, 0.15},
                    GoodRow{"100m", Unit::Hertz, 0.1},  // m is milli
                    GoodRow{"1MHz", Unit::Hertz, 1e6}, GoodRow{"33k", Unit::Ohm, 33e3},
                    GoodRow{"4k7", Unit::Ohm, 4.7e3}, GoodRow{"1M5", Unit::Ohm, 1.5e6},
                    GoodRow{"2R2", Unit::Ohm, 2.2}, GoodRow{"1M", Unit::Ohm, 1e6},
                    GoodRow{"1Meg", Unit::Ohm, 1e6}, GoodRow{"1MEG", Unit::Ohm, 1e6},
                    GoodRow{"1meg", Unit::Ohm, 1e6}, GoodRow{"470", Unit::Ohm, 470},
                    GoodRow{"33k\u2126", Unit::Ohm, 33e3}, GoodRow{"33k\u03A9", Unit::Ohm, 33e3},
                    GoodRow{"33kohm", Unit::Ohm, 33e3}, GoodRow{"1mohm", Unit::Ohm, 1e-3},
                    GoodRow{"0", Unit::Ohm, 0}, GoodRow{"4n7", Unit::Farad, 4.7e-9},
                    GoodRow{"10n", Unit::Farad, 10e-9}, GoodRow{"10nF", Unit::Farad, 10e-9},
                    GoodRow{"0.1u", Unit::Farad, 0.1e-6}, GoodRow{"100\u00B5", Unit::Farad, 100e-6},
                    GoodRow{"100\u03BC", Unit::Farad, 100e-6}, GoodRow{"1p", Unit::Farad, 1e-12},
                    GoodRow{"2G", Unit::None, 2e9}, GoodRow{"200k", Unit::None, 200e3},
                    GoodRow{"0007", Unit::None, 7}, GoodRow{"1.", Unit::None, 1},
                    GoodRow{"0.000000000000000000000000000000000000000000001e45", Unit::None, 1},
                    GoodRow{"1234567890123456789012345678901234567890123456789", Unit::None,
                            1.234567890123456789012345678901234567890123456789e48},
                    // One space before the multiplier or unit, as the results write it.
                    GoodRow{"1 kHz", Unit::Hertz, 1000}, GoodRow{"1 k", Unit::Hertz, 1000},
                    GoodRow{"1e3 Hz", Unit::Hertz, 1000}, GoodRow{"4.7 nF", Unit::Farad, 4.7e-9},
                    GoodRow{"33 k\u2126", Unit::Ohm, 33e3}, GoodRow{"4k7 ohm", Unit::Ohm, 4.7e3},
                    GoodRow{"8.2\u00A0k\u2126", Unit::Ohm, 8.2e3},
                    GoodRow{"1\u202FMHz", Unit::Hertz, 1e6}),
    [](const auto& info) { return ParamName(info.index, info.param.text); });

struct BadRow {
    const char* text;
    Unit unit;
};

class RefusesQuantity : public testing::TestWithParam<BadRow> { };

TEST_P(RefusesQuantity, WithNoValue)
{
    EXPECT_FALSE(design::ReadQuantity(GetParam().text, GetParam().unit, true).has_value())
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Quantity, RefusesQuantity,
    testing::Values(
        BadRow{"", Unit::Hertz}, BadRow{"k", Unit::Hertz}, BadRow{".5", Unit::Hertz},
        BadRow{"-1", Unit::Hertz}, BadRow{"+1", Unit::Hertz}, BadRow{" 1", Unit::Hertz},
        BadRow{"1 ", Unit::Hertz}, BadRow{"1  k", Unit::Hertz}, BadRow{"1\tk", Unit::Hertz},
        BadRow{"1 k ", Unit::Hertz}, BadRow{"1 e3", Unit::Hertz}, BadRow{"4 k7", Unit::Ohm},
        BadRow{"1e3k", Unit::Hertz}, BadRow{"1e3 k", Unit::Hertz},  // both
        BadRow{"1e", Unit::Hertz}, BadRow{"1e+", Unit::Hertz}, BadRow{"1,5,3", Unit::Hertz},
        BadRow{"1.5.3", Unit::Hertz}, BadRow{"4k7k", Unit::Ohm}, BadRow{"4.7k7", Unit::Ohm},
        BadRow{"2R2", Unit::Farad},  // R as a point is for resistances
        BadRow{"2R", Unit::Ohm}, BadRow{"10nF", Unit::Ohm}, BadRow{"33kohm", Unit::Farad},
        BadRow{"1kHz", Unit::Ohm}, BadRow{"1x", Unit::None}, BadRow{"1Hz", Unit::None},
        BadRow{"inf", Unit::None}, BadRow{"nan", Unit::None}, BadRow{"0x10", Unit::None},
        BadRow{"1e400", Unit::None}, BadRow{"1e-400", Unit::None},  // rounds to zero
        BadRow{"1e99999999999", Unit::None}, BadRow{"1GG", Unit::None},
        BadRow{"1\xB5", Unit::Farad},  // a lone Latin-1 byte
        BadRow{"1\xC2", Unit::Farad}),
    [](const auto& info) { return ParamName(info.index, info.param.text); });

TEST(Quantity, DecimalCommaOnlyWhenAllowed)
{
    EXPECT_EQ(design::ReadQuantity("1,5", Unit::None, true), 1.5);
    EXPECT_FALSE(design::ReadQuantity("1,5", Unit::None, false).has_value());
    EXPECT_EQ(design::ReadQuantity("1.5", Unit::None, false), 1.5);
}

TEST(Quantity, AMillionDigitsOverflowInsteadOfHanging)
{
    EXPECT_FALSE(design::ReadQuantity(std::string(1'000'000, '9'), Unit::None, true).has_value());
    EXPECT_EQ(design::ReadQuantity("0." + std::string(100'000, '0') + "1e100001", Unit::None, true),
              1.0);
}

}  // namespace
