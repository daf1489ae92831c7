// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Standard part values of the IEC 60063 series E3 to E192.
#pragma once

#include <array>
#include <span>

#include "design/vocabulary.h"

namespace design {

// The values of one decade as integers with the series' significant digits: 10 ... 91 for
// E24 (two digits), 100 ... 988 for E192 (three digits), in ascending order.
std::span<const int> SeriesMantissas(Series series);
int SeriesDigits(Series series);  // 2 for E3 to E24, 3 for E48 to E192

// Standard values over all decades, numbered so that index 0 is 1.0 (10^0) and index
// i + n is ten times index i for a series of n values a decade.
double StandardValue(Series series, long index);

// The index of the largest standard value at or below `value` (value > 0, finite).
long IndexAtOrBelow(Series series, double value);

// The index of the standard value nearest to `value` in ratio.
long NearestIndex(Series series, double value);

// The two standard values at or below `value` and the two above it, ascending.
std::array<double, 4> Neighbours(Series series, double value);

}  // namespace design
