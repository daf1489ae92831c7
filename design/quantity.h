// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Reading the numbers engineers write: 100, 2.5k, 2,5k, 1e3, 1kHz, 1 kHz, 4k7, 4n7, 1M5, 2R2,
// 10nF, 0.1u, 100µ, 1Meg, 33kΩ, 33 kΩ, 33kohm.
#pragma once

#include <optional>
#include <string_view>

namespace design {

// The unit a text may end with: Hz; Ω (U+2126 or U+03A9), ohm, ohms; F; or none.
enum class Unit { None, Hertz, Ohm, Farad };

// Reads `text` whole as a finite value >= 0 in the unit's SI base. Grammar:
//   digits [sep digits] [e [+-] digits] [space] [multiplier] [unit]   or
//   digits multiplier digits [space] [unit]                 (4k7 = 4.7k; 2R2 = 2.2 ohm)
// sep is "." (and "," when decimalComma); space is one U+0020, U+00A0 or U+202F, and only
// before a multiplier or unit; multiplier is one of p n u µ μ m k K M Meg MEG meg G, where m
// is milli and M mega; R as a multiplier (x1) only between digits of a resistance. An
// exponent together with a multiplier, a sign, any other space, an empty text, a value that
// overflows or rounds to zero from non-zero digits: nullopt. The value is the
// double nearest to the text's, however many digits it has, under any locale.
// Does not throw; allocates nothing.
std::optional<double> ReadQuantity(std::string_view text, Unit unit, bool decimalComma);

}  // namespace design
