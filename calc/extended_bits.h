// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The bits of an x87 80-bit extended value: a sign bit and a 15-bit biased exponent in
// one 16-bit word, and a 64-bit significand whose top bit is the integer bit (set in
// every normal value, clear in denormals and zero).
#pragma once

#include <cstdint>

namespace calc {

struct ExtendedBits {
    static constexpr std::uint16_t SignBit = 0x8000;
    static constexpr std::uint16_t MaxExponent = 0x7fff;  // infinities and NaNs
    static constexpr int Bias = 16383;
    static constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;

    std::uint16_t signExponent = 0;
    std::uint64_t significand = 0;

    constexpr bool Negative() const { return (signExponent & SignBit) != 0; }
    constexpr int BiasedExponent() const { return signExponent & MaxExponent; }
    constexpr bool IsInfinity() const
    {
        return BiasedExponent() == MaxExponent && significand == IntegerBit;
    }
    constexpr bool IsNaN() const
    {
        return BiasedExponent() == MaxExponent && significand != IntegerBit;
    }
    friend constexpr bool operator==(const ExtendedBits&, const ExtendedBits&) = default;
};

}  // namespace calc
