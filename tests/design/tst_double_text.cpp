// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Doubles written as text: a table of known strings (every target), and where the standard
// library writes doubles with std::to_chars, its characters for random doubles of every
// kind. BUTTERWORTH3_DOUBLE_TEXT_CASES sets the number of those per format (1,000,000).
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "design/decimal.h"
#include "design/double_text.h"

namespace {

using design::DoubleFormat;

constexpr double Infinity = std::numeric_limits<double>::infinity();

struct Known {
    double value;
    int precision;  // -1: the shortest form
    DoubleFormat format;
    std::string text;
};

std::string Ours(const Known& row)
{
    return row.precision < 0 ? design::ShortestDoubleText(row.value)
                             : design::DoubleText(row.value, row.format, row.precision);
}

TEST(DoubleText, WritesTheKnownStrings)
{
    constexpr DoubleFormat F = DoubleFormat::Fixed, E = DoubleFormat::Scientific,
                           G = DoubleFormat::General;
    // clang-format off
    const std::vector<Known> table = {
        // Halfway cases to the even digit, and what is not quite halfway.
        {0.125, 2, F, "0.12"}, {0.375, 2, F, "0.38"}, {0.5, 0, F, "0"}, {1.5, 0, F, "2"},
        {2.5, 0, F, "2"}, {9.5, 0, F, "10"}, {0.15, 1, F, "0.1"}, {2.675, 2, F, "2.67"},
        {12.5, 0, E, "1e+01"}, {0.0625, 1, E, "6.2e-02"}, {0.0625, 1, G, "0.06"},
        // Signs, zeros, carries to a new digit, more decimals than the exact value has.
        {-0.0, 2, F, "-0.00"}, {-0.001, 2, F, "-0.00"}, {0.0, 2, E, "0.00e+00"}, {-0.0, 0, G, "-0"},
        {99.96, 1, F, "100.0"}, {9.96, 1, E, "1.0e+01"}, {0.1, 20, F, "0.10000000000000000555"},
        {1e23, 0, F, "99999999999999991611392"}, {-1.0 / 3, 5, E, "-3.33333e-01"},
        // %g: fixed from 10^-4 to below 10^precision, trailing zeros dropped.
        {999.9999, 6, G, "1000"}, {999999.5, 6, G, "1e+06"}, {123456, 6, G, "123456"},
        {0.0001, 6, G, "0.0001"}, {0.00001, 6, G, "1e-05"}, {15, 0, G, "2e+01"},
        // The ends of the range, three-digit exponents, infinities, NaNs.
        {5e-324, 3, E, "4.941e-324"}, {5e-324, 17, G, "4.9406564584124654e-324"},
        {1.7976931348623157e308, 17, G, "1.7976931348623157e+308"}, {1e100, 0, E, "1e+100"},
        {Infinity, 2, F, "inf"}, {-Infinity, 3, G, "-inf"}, {std::nan(""), 2, E, "nan"},
        {-std::nan(""), 0, F, "-nan"},
        // The shortest: fewest digits, fixed unless scientific is shorter, integers exact.
        {100, -1, F, "100"}, {2500, -1, F, "2500"}, {1e6, -1, F, "1e+06"}, {0.001, -1, F, "0.001"},
        {1.5e-5, -1, F, "1.5e-05"}, {0.3, -1, F, "0.3"}, {2.0 / 3, -1, F, "0.6666666666666666"},
        {-0.0, -1, F, "-0"}, {5e-324, -1, F, "5e-324"}, {1e23, -1, F, "1e+23"},
        {1.7976931348623157e308, -1, F, "1.7976931348623157e+308"},
        {123456789012345680000.0, -1, F, "123456789012345683968"},
        {0x1p-1022, -1, F, "2.2250738585072014e-308"},
    };
    // clang-format on
    for (const Known& row : table)
        EXPECT_EQ(Ours(row), row.text) << row.value << " precision " << row.precision;
}

#ifdef __cpp_lib_to_chars

struct Format {
    const char* name;
    std::function<std::string(double, int)> ours;
    std::function<std::to_chars_result(char*, char*, double, int)> library;
};

void PrintTo(const Format& format, std::ostream* os)
{
    *os << format.name;
}

std::vector<Format> Formats()
{
    const auto with = [](std::chars_format format) {
        return [format](char* first, char* last, double value, int precision) {
            return std::to_chars(first, last, value, format, precision);
        };
    };
    const auto ours = [](DoubleFormat format) {
        return [format](double value, int precision) {
            return design::DoubleText(value, format, precision);
        };
    };
    return {
        {"Fixed", ours(DoubleFormat::Fixed), with(std::chars_format::fixed)},
        {"Scientific", ours(DoubleFormat::Scientific), with(std::chars_format::scientific)},
        {"General", ours(DoubleFormat::General), with(std::chars_format::general)},
        {"Shortest", [](double value, int) { return design::ShortestDoubleText(value); },
         [](char* first, char* last, double value, int) {
             return std::to_chars(first, last, value);
         }},
    };
}

long CaseCount()
{
    const char* text = std::getenv("BUTTERWORTH3_DOUBLE_TEXT_CASES");
    return text != nullptr ? std::strtol(text, nullptr, 10) : 1'000'000;
}

// Random bit patterns over the whole range, values near powers of ten, exact halves of a
// decimal digit (0.125, 2.5), integers, subnormals; either sign. NaNs come with the bits.
class Values {
public:
    explicit Values(std::uint64_t seed) : random_(seed) { }

    double Next(long i)
    {
        double x = 0;
        switch (i % 5) {
        case 0: x = std::bit_cast<double>(random_()); break;
        case 1:
            x = design::NearestDouble("1", Between(-323, 308));
            for (long ulps = Between(-3, 3); ulps != 0; ulps += ulps < 0 ? 1 : -1)
                x = std::nextafter(x, ulps < 0 ? 0.0 : Infinity);
            break;
        case 2: x = std::ldexp(static_cast<double>(Between(0, 1 << 20)), -Between(1, 20)); break;
        case 3: x = std::ldexp(static_cast<double>(random_() >> 11), Between(-52, 80)); break;
        default: x = std::bit_cast<double>(random_() & ((std::uint64_t{1} << 52) - 1));
        }
        return (random_() & 1) != 0 ? -x : x;
    }

    // Mostly the precisions a program writes, sometimes up to 100.
    int Precision()
    {
        return static_cast<int>((random_() & 1) != 0 ? Between(0, 20) : Between(0, 100));
    }

private:
    long Between(long low, long high)
    {
        return std::uniform_int_distribution<long>(low, high)(random_);
    }

    std::mt19937_64 random_;
};

class DoubleTextFormat : public testing::TestWithParam<Format> { };

TEST_P(DoubleTextFormat, WritesWhatToCharsWrites)
{
    const Format& format = GetParam();
    Values values(std::hash<std::string>{}(format.name));
    long differing = 0;
    for (long i = 0; i < CaseCount(); ++i) {
        const double value = values.Next(i);
        const int precision = values.Precision();
        char buffer[512];
        const auto [end, ec] = format.library(buffer, buffer + sizeof buffer, value, precision);
        ASSERT_EQ(ec, std::errc());
        const std::string expected(buffer, end);
        const std::string ours = format.ours(value, precision);
        if (ours != expected && ++differing <= 10)
            ADD_FAILURE() << std::hexfloat << value << " precision " << precision << ": " << ours
                          << " against " << expected;
    }
    EXPECT_EQ(differing, 0) << "of " << CaseCount();
}

INSTANTIATE_TEST_SUITE_P(AllFormats, DoubleTextFormat, testing::ValuesIn(Formats()),
                         [](const auto& info) { return std::string(info.param.name); });

#endif

}  // namespace
