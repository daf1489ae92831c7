// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Decimal numbers read as the nearest double at any length: the hard cases, with the
// expectations of an exactly rounding reader (Python's float()), and random texts read
// as the C library's strtod reads them in the C locale (glibc rounds exactly).
#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "design/decimal.h"
#include "design/quantity.h"
#include "tests/design/param_name.h"

namespace {

using design::Unit;

// 2^-1075, half the smallest double, to its last digit: the digits of 0.000...247...125
// after 324 zeros.
const std::string HalfSmallest =
    "2470328229206232720882843964341106861825299013071623822127928412503377536351043759326499"
    "1818081799618989828234772285886546332835517796989819938739800539093906315035659515570226"
    "3922908583924491051844359318028499365361525003193704576782492193656236698636584807570015"
    "8576926990370631192827955855133292783433840935197801553124659726357957462276646527282722"
    "0056374006485499977096599470454020828166226237857393450736339007967761930577506740176324"
    "6736009689513405355374585166611342237666786041621596804619144672918403005300575308490487"
    "6539171138659164623952491262365388187963623937328042389101867234849766823508986338858792"
    "5628302755995657524455507255189313690836254779186948667994968324049705821028513185451396"
    "213837722826145437693412532098591327667236328125";

// 1 + 2^-53, halfway between 1 and the next double.
const std::string HalfAboveOne = "1.00000000000000011102230246251565404236316680908203125";

// DBL_MAX + 2^970, halfway between the largest double and 2^1024.
const std::string HalfAboveMax =
    "17976931348623158079372897140530341507993413271003782693617377898044496829276475094664901"
    "79775872070963302864166928879109465555478519404026306574886715058206819089020007083836762"
    "73854845817711531764475730270069855571366959622842914819860834936475292719074168444365510"
    "704342711559699508093042880177904174497792";

struct ExactRow {
    std::string text;
    Unit unit;
    double expected;  // Python's float() of the text with its multiplier as an exponent
};

void PrintTo(const ExactRow& row, std::ostream* os)
{
    *os << row.text.substr(0, 60) << (row.text.size() > 60 ? "... (" : " (") << row.text.size()
        << " characters)";
}

class ReadsExactly : public testing::TestWithParam<ExactRow> { };

TEST_P(ReadsExactly, AsTheCorrectlyRoundedDouble)
{
    const ExactRow& row = GetParam();
    const std::optional<double> value = design::ReadQuantity(row.text, row.unit, true);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, row.expected) << std::hexfloat << *value << " against " << row.expected;
}

const std::string Zeros1000(1000, '0');

INSTANTIATE_TEST_SUITE_P(
    Hard, ReadsExactly,
    testing::Values(
        // Halfway between 1 and the next double: a hair above, exact (to even), a hair below,
        // and the hair a thousand digits further down.
        ExactRow{"1.00000000000000011102230246251565404236316680908203126", Unit::None,
                 0x1.0000000000001p+0},
        ExactRow{HalfAboveOne, Unit::None, 1.0},
        ExactRow{"1.00000000000000011102230246251565404236316680908203124", Unit::None, 1.0},
        ExactRow{HalfAboveOne + Zeros1000 + "1", Unit::None, 0x1.0000000000001p+0},
        ExactRow{HalfAboveOne + Zeros1000, Unit::None, 1.0},
        // Beyond 2^53 integers are even: ties go to the even neighbour.
        ExactRow{"9007199254740993", Unit::None, 0x1.0000000000000p+53},
        ExactRow{"9007199254740995", Unit::None, 0x1.0000000000002p+53},
        ExactRow{"9007199254740993.0000000000000000000000000000000000001", Unit::None,
                 0x1.0000000000001p+53},
        ExactRow{"7.2057594037927933e16", Unit::None, 0x1.0000000000000p+56},
        ExactRow{"123456789012345678901234567890", Unit::None, 0x1.8ee90ff6c373ep+96},
        ExactRow{"0." + std::string(900, '3'), Unit::None, 0x1.5555555555555p-2},
        ExactRow{"1" + std::string(400, '0') + "e-400", Unit::None, 1.0},
        ExactRow{"0." + std::string(400, '0') + "1e401", Unit::None, 1.0},
        ExactRow{"1e22", Unit::None, 0x1.0f0cf064dd592p+73},
        ExactRow{"1e23", Unit::None, 0x1.52d02c7e14af6p+76},
        // Subnormal and normal edges.
        ExactRow{"2.2250738585072011e-308", Unit::None, 0x0.fffffffffffffp-1022},
        ExactRow{"2.2250738585072012e-308", Unit::None, 0x1.0000000000000p-1022},
        ExactRow{"4.9406564584124654e-324", Unit::None, 0x0.0000000000001p-1022},
        ExactRow{"2.4703282292062328e-324", Unit::None, 0x0.0000000000001p-1022},
        ExactRow{"0." + std::string(323, '0') + HalfSmallest + "1", Unit::None,
                 0x0.0000000000001p-1022},
        ExactRow{"1.5e-323", Unit::None, 0x0.0000000000003p-1022},
        ExactRow{"1e-320", Unit::None, 0x0.00000000007e8p-1022},
        // The largest double, and just below the point where 2^1024 would be nearer.
        ExactRow{"1.7976931348623157e308", Unit::None, 0x1.fffffffffffffp+1023},
        ExactRow{"1.7976931348623158e308", Unit::None, 0x1.fffffffffffffp+1023},
        ExactRow{HalfAboveMax.substr(0, HalfAboveMax.size() - 1) + "1", Unit::None,
                 0x1.fffffffffffffp+1023},
        ExactRow{"8.98846567431157953864652595394512366e307", Unit::None, 0x1.0p+1023},
        // Multipliers and the decimal comma, exactly as the exponent they stand for.
        ExactRow{"1.00000000000000011102230246251565404236316680908203126k", Unit::Hertz,
                 0x1.f400000000001p+9},
        ExactRow{"9007199254740993m", Unit::None, 0x1.0624dd2f1a9fcp+43},
        ExactRow{"4n7", Unit::Farad, 0x1.42fb463fa6f55p-28},
        ExactRow{"0,1u", Unit::Farad, 0x1.ad7f29abcaf48p-24},
        ExactRow{"100\u00B5F", Unit::Farad, 0x1.a36e2eb1c432dp-14},
        ExactRow{"2R2", Unit::Ohm, 0x1.199999999999ap+1},
        ExactRow{"8.589973GHz", Unit::Hertz, 0x1.00004b0400000p+33}),
    [](const auto& info) { return ParamName(info.index, info.param.text.substr(0, 24)); });

// Values that round to zero or beyond the largest double are refused, also at the halfway
// points (ties to even: to zero, and to 2^1024).
TEST(ReadsExactly, RefusesWhatRoundsToZeroOrInfinity)
{
    for (const std::string& text :
         {std::string("2.4703282292062327e-324"), "0." + std::string(323, '0') + HalfSmallest,
          HalfAboveMax, HalfAboveMax + ".000000000000000000001", std::string("1e309"),
          std::string("1e-400"), std::string("1e99999999999999999999"),
          std::string("1e-99999999999999999999")})
        EXPECT_FALSE(design::ReadQuantity(text, Unit::None, false).has_value())
            << text.substr(0, 40);
    EXPECT_EQ(design::NearestDouble(HalfAboveMax, 0), std::numeric_limits<double>::infinity());
    EXPECT_EQ(design::NearestDouble(HalfSmallest, -1075), 0.0);
    EXPECT_EQ(design::NearestDouble("", 7), 0.0);
    EXPECT_EQ(design::NearestDouble("000", 999999999), 0.0);
}

// A random decimal text: up to 40 digits with the point anywhere and an exponent that
// reaches past both ends of the doubles, or the exact value of a halfway point between
// two doubles (long double holds it exactly where it has 64 bits or more), cut short or
// continued by a digit.
std::string RandomText(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> kind(0, 3);
    char buffer[1200];
    if (kind(random) == 0 && LDBL_MANT_DIG >= 64) {
        std::uniform_int_distribution<std::uint64_t> bits(1, 0x7FEFFFFFFFFFFFFF);
        const double x = std::bit_cast<double>(bits(random));
        const long double halfway = (static_cast<long double>(x) + std::nextafter(x, INFINITY)) / 2;
        std::snprintf(buffer, sizeof buffer, "%.800Le", halfway);
        std::string text(buffer);
        const std::size_t e = text.find('e');
        std::string mantissa = text.substr(0, e);
        while (mantissa.back() == '0')
            mantissa.pop_back();
        switch (std::uniform_int_distribution<int>(0, 2)(random)) {
        case 0: break;  // the tie itself
        case 1:
            mantissa += std::string(std::uniform_int_distribution<int>(0, 30)(random), '0') + "1";
            break;
        case 2: mantissa.pop_back(); break;  // just below
        }
        return mantissa + text.substr(e);
    }
    std::uniform_int_distribution<int> length(1, 40), digit(0, 9), exponent(-345, 330);
    const int n = length(random);
    const int point = std::uniform_int_distribution<int>(1, n)(random);
    std::string text;
    for (int i = 0; i < n; ++i) {
        if (i == point)
            text += '.';
        text += static_cast<char>('0' + digit(random));
    }
    return text + "e" + std::to_string(exponent(random));
}

TEST(ReadsExactly, AsStrtodInTheCLocale)
{
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    std::mt19937_64 random(20261207);
    int compared = 0;
    for (int i = 0; i < 100000; ++i) {
        const std::string text = RandomText(random);
        const double expected = std::strtod(text.c_str(), nullptr);
        const std::optional<double> value = design::ReadQuantity(text, Unit::None, false);
        const bool zeroDigits = text.find_first_of("123456789") > text.find('e');
        if (expected == 0 && zeroDigits) {
            EXPECT_EQ(value, 0.0) << text;
        } else if (expected == 0 || std::isinf(expected)) {
            EXPECT_FALSE(value.has_value()) << text;
        } else {
            ASSERT_TRUE(value.has_value()) << text;
            EXPECT_EQ(*value, expected) << text;
            ++compared;
        }
        if (HasFailure())
            break;
    }
    EXPECT_GT(compared, 80000);
}

// A thousand digits, far more than can matter, at the ends of the doubles' range, where
// the integers compared are longest.
TEST(ReadsExactly, LongTextsAtTheEdgesAsStrtod)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digit(0, 9);
    for (const int exponent : {-324, -323, -322, -310, -308, -307, 0, 300, 308, 309}) {
        for (int round = 0; round < 20; ++round) {
            std::string text = "0.";
            for (int i = 0; i < 1000; ++i)
                text += static_cast<char>('0' + digit(random));
            text += "e" + std::to_string(exponent);
            const double expected = std::strtod(text.c_str(), nullptr);
            const std::optional<double> value = design::ReadQuantity(text, Unit::None, false);
            if (expected == 0 || std::isinf(expected))
                EXPECT_FALSE(value.has_value()) << text.substr(0, 30) << " e" << exponent;
            else
                EXPECT_EQ(value, expected) << text.substr(0, 30) << " e" << exponent;
        }
    }
}

}  // namespace
