// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A double as decimal text, character for character what std::to_chars writes (x86-64,
// libstdc++), under any locale and on a standard library without std::to_chars for double
// (WebAssembly's). Exact: the digits come from the double's exact decimal value, rounded
// half to even.
#pragma once

#include <string>

namespace design {

// printf's %.*f, %.*e and %.*g in the C locale (without '#': %g drops trailing zeros).
// A negative precision means 6. Infinities and NaNs as "inf", "-inf", "nan", "-nan".
enum class DoubleFormat { Fixed, Scientific, General };
std::string DoubleText(double value, DoubleFormat format, int precision);

// The fewest significant digits that read back as `value` (the nearest such digits if
// several), in fixed or scientific notation, whichever is shorter, fixed on a tie: "100",
// "2500", "1e+06", "0.001", "1.5e-05". std::to_chars(first, last, value).
std::string ShortestDoubleText(double value);

}  // namespace design
