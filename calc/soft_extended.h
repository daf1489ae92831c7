// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The x87 80-bit extended format in software, for platforms whose `long double` is
// another format: a 64-bit significand with its integer bit stored, a 15-bit exponent
// (bias 16383), round to nearest even, overflow to infinity, gradual underflow through
// denormals, and the x87's default NaN. Every result has the bits an x87 at 64-bit
// precision gives, for the operations the calculation uses and no others.
#pragma once

#include <bit>
#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>

#include "calc/extended_bits.h"

#ifndef __SIZEOF_INT128__
#error "The software extended format needs unsigned __int128 (GCC or Clang on a 64-bit target). \
This compiler's long double is not the x87 80-bit format (MSVC's is a 64-bit double), so the \
calculation cannot use it either: its results would differ in the last digits."
#endif

namespace calc {

class SoftExtended {
public:
    constexpr SoftExtended() = default;

    // Exact, as on the x87: every double and every 64-bit integer is a value of the format.
    SoftExtended(double value);  // NOLINT(google-explicit-constructor): reads like a double
    // Not from a `long double`: it may be any format, and would go through double.
    SoftExtended(long double) = delete;
    template <std::integral Integer>
    constexpr SoftExtended(Integer value)  // NOLINT(google-explicit-constructor)
        : SoftExtended(FromInteger(value < 0, Magnitude(value)))
    {
    }

    static constexpr SoftExtended FromBits(ExtendedBits bits)
    {
        SoftExtended x;
        x.bits_ = bits;
        return x;
    }
    constexpr ExtendedBits Bits() const { return bits_; }

    // Rounded to nearest even, to a double's denormals, zero or infinity.
    explicit operator double() const;
    // Towards zero, as a C++ conversion; a value outside the integer's range is undefined.
    template <std::integral Integer>
    explicit operator Integer() const
    {
        return static_cast<Integer>(Truncate());
    }

    friend SoftExtended operator+(SoftExtended a, SoftExtended b) { return Add(a, b, false); }
    friend SoftExtended operator-(SoftExtended a, SoftExtended b) { return Add(a, b, true); }
    friend SoftExtended operator*(SoftExtended a, SoftExtended b) { return Multiply(a, b); }
    friend SoftExtended operator/(SoftExtended a, SoftExtended b) { return Divide(a, b); }
    friend constexpr SoftExtended operator-(SoftExtended a)
    {
        a.bits_.signExponent ^= ExtendedBits::SignBit;
        return a;
    }
    SoftExtended& operator+=(SoftExtended b) { return *this = *this + b; }
    SoftExtended& operator-=(SoftExtended b) { return *this = *this - b; }
    SoftExtended& operator*=(SoftExtended b) { return *this = *this * b; }
    SoftExtended& operator/=(SoftExtended b) { return *this = *this / b; }

    // IEEE comparisons: a NaN is unordered with everything, -0 equals +0.
    friend std::partial_ordering operator<=>(SoftExtended a, SoftExtended b)
    {
        return Compare(a, b);
    }
    friend bool operator==(SoftExtended a, SoftExtended b)
    {
        return Compare(a, b) == std::partial_ordering::equivalent;
    }

    // The <cmath> functions the calculation uses, below.
    static bool IsInfinity(SoftExtended x) { return x.bits_.IsInfinity(); }
    static bool IsNaN(SoftExtended x) { return x.bits_.IsNaN(); }
    static SoftExtended Floor(SoftExtended x);
    static int ILogB(SoftExtended x);
    static std::int64_t RoundToInt64(SoftExtended x);

private:
    template <std::integral Integer>
    static constexpr std::uint64_t Magnitude(Integer value)
    {
        const auto wide = static_cast<std::uint64_t>(value);  // modulo 2^64: fine for INT64_MIN
        return value < 0 ? 0 - wide : wide;
    }
    static constexpr SoftExtended FromInteger(bool negative, std::uint64_t magnitude)
    {
        if (magnitude == 0)
            return FromBits({negative ? ExtendedBits::SignBit : std::uint16_t{0}, 0});
        const int shift = std::countl_zero(magnitude);
        const int exponent = ExtendedBits::Bias + 63 - shift;
        return FromBits(
            {static_cast<std::uint16_t>(exponent | (negative ? ExtendedBits::SignBit : 0)),
             magnitude << shift});
    }

    static SoftExtended Add(SoftExtended a, SoftExtended b, bool subtract);
    static SoftExtended Multiply(SoftExtended a, SoftExtended b);
    static SoftExtended Divide(SoftExtended a, SoftExtended b);
    static std::partial_ordering Compare(SoftExtended a, SoftExtended b);
    std::int64_t Truncate() const;

    ExtendedBits bits_{};
};

// The <cmath> functions the calculation uses, with the x87's results. llrint gives
// INT64_MIN (the x87's integer indefinite) for NaN, infinity or a value out of range.
inline bool isinf(SoftExtended x)
{
    return SoftExtended::IsInfinity(x);
}
inline bool isnan(SoftExtended x)
{
    return SoftExtended::IsNaN(x);
}
inline bool signbit(SoftExtended x)
{
    return x.Bits().Negative();
}
inline SoftExtended floor(SoftExtended x)
{
    return SoftExtended::Floor(x);
}
inline int ilogb(SoftExtended x)
{
    return SoftExtended::ILogB(x);
}
inline std::int64_t llrint(SoftExtended x)
{
    return SoftExtended::RoundToInt64(x);
}

}  // namespace calc

// What the calculation asks of its type's limits.
template <>
class std::numeric_limits<calc::SoftExtended> {
public:
    static constexpr bool is_specialized = true;
    static constexpr bool is_iec559 = false;  // the integer bit is stored, as on the x87
    static constexpr bool has_infinity = true;
    static constexpr bool has_quiet_NaN = true;
    static constexpr int digits = 64;
    static constexpr int max_exponent = 16384;
    static constexpr int min_exponent = -16381;
    static constexpr int radix = 2;
    static constexpr calc::SoftExtended infinity()
    {
        return calc::SoftExtended::FromBits({calc::ExtendedBits::MaxExponent, 1ull << 63});
    }
    static constexpr calc::SoftExtended max()
    {
        return calc::SoftExtended::FromBits({calc::ExtendedBits::MaxExponent - 1, ~0ull});
    }
    static constexpr calc::SoftExtended min()
    {
        return calc::SoftExtended::FromBits({1, 1ull << 63});
    }
    static constexpr calc::SoftExtended denorm_min()
    {
        return calc::SoftExtended::FromBits({0, 1});
    }
    static constexpr calc::SoftExtended quiet_NaN()
    {
        return calc::SoftExtended::FromBits({calc::ExtendedBits::MaxExponent, 3ull << 62});
    }
};
