// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculation's arithmetic type. Every product, quotient and comparison of the
// calculation is made in the x87 80-bit extended format, and values are rounded to
// double only where they are stored; on x86-64 with GCC or Clang that format is
// `long double`. A platform with another `long double` would silently give other digits.
#pragma once

#include <limits>

namespace calc {

using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64,
              "the calculation needs the x87 80-bit extended format (64-bit significand) "
              "as long double");
static_assert(std::numeric_limits<Extended>::max_exponent == 16384,
              "the calculation needs the x87 80-bit extended exponent range");

}  // namespace calc
