// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A decimal number to the nearest double, at any length and under any locale, without
// strtod or from_chars (a WebAssembly standard library has no from_chars for double).
#pragma once

#include <string_view>

namespace design {

// The double nearest to digits * 10^exponent, ties to even: {"15", -1} is 1.5. `digits`
// holds '0' to '9' only, any number of them; +inf above the largest double, 0 below half
// the smallest. Does not throw; allocates nothing.
double NearestDouble(std::string_view digits, long exponent);

}  // namespace design
