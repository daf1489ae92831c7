// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculation's arithmetic type. Every product, quotient and comparison of the
// calculation is made in the x87 80-bit extended format, and values are rounded to
// double only where they are stored. Where `long double` is that format (x86-64 and
// i386 with GCC or Clang) it is the type; everywhere else, or when the build defines
// BUTTERWORTH3_SOFT_EXTENDED, SoftExtended computes the same bits in software.
//
// Constants are written with the suffix _ext (6.2832_ext): the nearest extended value,
// found at compile time from the decimal text, so that no compiler's own reading of a
// `long double` literal takes part.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "calc/extended_bits.h"
#include "calc/extended_literal.h"

#if !defined(BUTTERWORTH3_SOFT_EXTENDED) && (defined(__x86_64__) || defined(__i386__)) &&          \
    defined(__LDBL_MANT_DIG__) && __LDBL_MANT_DIG__ == 64 && __LDBL_MAX_EXP__ == 16384
#define BUTTERWORTH3_NATIVE_EXTENDED 1
#else
#define BUTTERWORTH3_NATIVE_EXTENDED 0
#include "calc/soft_extended.h"
#endif

namespace calc {

#if BUTTERWORTH3_NATIVE_EXTENDED

using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64 &&
                  std::numeric_limits<Extended>::max_exponent == 16384,
              "long double is not the x87 80-bit extended format");

// The <cmath> functions the calculation uses, under the names SoftExtended gives them.
inline bool isinf(Extended x)
{
    return std::isinf(x);
}
inline bool isnan(Extended x)
{
    return std::isnan(x);
}
inline bool signbit(Extended x)
{
    return std::signbit(x);
}
inline Extended floor(Extended x)
{
    return std::floor(x);
}
inline int ilogb(Extended x)
{
    return std::ilogb(x);
}
inline std::int64_t llrint(Extended x)
{
    return std::llrint(x);
}

inline ExtendedBits BitsOf(Extended x)
{
    ExtendedBits bits;
    std::memcpy(&bits.significand, &x, sizeof bits.significand);
    std::memcpy(&bits.signExponent, reinterpret_cast<const char*>(&x) + 8,
                sizeof bits.signExponent);
    return bits;
}

// A finite value, exactly: the significand as an integer, scaled by a power of two.
constexpr Extended FromBits(ExtendedBits bits)
{
    const int exponent =
        (bits.BiasedExponent() == 0 ? 1 : bits.BiasedExponent()) - ExtendedBits::Bias - 63;
    Extended value = static_cast<Extended>(bits.significand);
    for (int e = exponent; e > 0; --e)
        value *= 2;
    for (int e = exponent; e < 0; ++e)
        value /= 2;
    return bits.Negative() ? -value : value;
}

#else

using Extended = SoftExtended;

inline ExtendedBits BitsOf(Extended x)
{
    return x.Bits();
}
constexpr Extended FromBits(ExtendedBits bits)
{
    return SoftExtended::FromBits(bits);
}

#endif

inline namespace literals {

template <char... Text>
consteval Extended operator""_ext()
{
    constexpr char text[] = {Text...};
    return FromBits(ExtendedFromDecimal({text, sizeof...(Text)}));
}

}  // namespace literals

}  // namespace calc
