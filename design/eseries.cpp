// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/eseries.h"

#include <cmath>

#include "design/portable_math.h"

namespace design {

namespace {

// IEC 60063. E24 keeps the historic 27, 30, 33, 36, 39, 43, 47 and 82 (E3 to E12 are taken
// from E24), and E192 has 920 where 10^(185/192) rounds to 919.
constexpr int E3[] = {10, 22, 47};
constexpr int E6[] = {10, 15, 22, 33, 47, 68};
constexpr int E12[] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr int E24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                       33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr int E48[] = {100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                       178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                       316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                       562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr int E96[] = {100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137,
                       140, 143, 147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191,
                       196, 200, 205, 210, 215, 221, 226, 232, 237, 243, 249, 255, 261, 267,
                       274, 280, 287, 294, 301, 309, 316, 324, 332, 340, 348, 357, 365, 374,
                       383, 392, 402, 412, 422, 432, 442, 453, 464, 475, 487, 499, 511, 523,
                       536, 549, 562, 576, 590, 604, 619, 634, 649, 665, 681, 698, 715, 732,
                       750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};
constexpr int E192[] = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123,
    124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152,
    154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176, 178, 180, 182, 184, 187, 189,
    191, 193, 196, 198, 200, 203, 205, 208, 210, 213, 215, 218, 221, 223, 226, 229, 232, 234,
    237, 240, 243, 246, 249, 252, 255, 258, 261, 264, 267, 271, 274, 277, 280, 284, 287, 291,
    294, 298, 301, 305, 309, 312, 316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361,
    365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448,
    453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673, 681, 690,
    698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

// 10^k, exact for |k| <= 22, so that 68 * 10^-9 reads back as 6.8e-08.
double ScaleByPowerOfTen(double mantissa, long exponent)
{
    static constexpr double Exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (exponent >= 0 && exponent <= 22)
        return mantissa * Exact[exponent];
    if (exponent < 0 && exponent >= -22)
        return mantissa / Exact[-exponent];
    return mantissa * portable::Exp10(static_cast<double>(exponent));
}

long FloorDiv(long a, long b)
{
    const long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

std::span<const int> SeriesMantissas(Series series)
{
    switch (series) {
    case Series::E3: return E3;
    case Series::E6: return E6;
    case Series::E12: return E12;
    case Series::E24: return E24;
    case Series::E48: return E48;
    case Series::E96: return E96;
    case Series::E192: return E192;
    }
    return E3;
}

int SeriesDigits(Series series)
{
    return SeriesMantissas(series)[0] >= 100 ? 3 : 2;
}

double StandardValue(Series series, long index)
{
    const std::span<const int> mantissas = SeriesMantissas(series);
    const long n = static_cast<long>(mantissas.size());
    const long decade = FloorDiv(index, n);
    const int mantissa = mantissas[static_cast<std::size_t>(index - decade * n)];
    return ScaleByPowerOfTen(mantissa, decade - (SeriesDigits(series) - 1));
}

long IndexAtOrBelow(Series series, double value)
{
    const long n = static_cast<long>(SeriesMantissas(series).size());
    // The estimate from the logarithm is off by at most one either way; the comparisons
    // with the exact standard values settle it.
    long index = static_cast<long>(std::floor(portable::Log10(value) * static_cast<double>(n)));
    while (StandardValue(series, index) > value)
        --index;
    while (StandardValue(series, index + 1) <= value)
        ++index;
    return index;
}

long NearestIndex(Series series, double value)
{
    const long below = IndexAtOrBelow(series, value);
    const double down = value / StandardValue(series, below);
    const double up = StandardValue(series, below + 1) / value;
    return up < down ? below + 1 : below;
}

std::array<double, 4> Neighbours(Series series, double value)
{
    const long below = IndexAtOrBelow(series, value);
    return {StandardValue(series, below - 1), StandardValue(series, below),
            StandardValue(series, below + 1), StandardValue(series, below + 2)};
}

}  // namespace design
