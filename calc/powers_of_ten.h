// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Powers of ten as extended values, each the nearest one to the exact power. Scaling by
// 10^p goes through at most three of them: 10^(p mod 32), 10^(32 * ((p div 32) mod 16))
// and 10^(512 * (p div 512)), so every p below 5120 is reached with at most three
// roundings, and the same p always gives the same digits.
#pragma once

#include <array>

#include "calc/extended.h"

namespace calc {

inline constexpr std::array<Extended, 32> PowersOfTen = {
    1e0_ext,  1e1_ext,  1e2_ext,  1e3_ext,  1e4_ext,  1e5_ext,  1e6_ext,  1e7_ext,
    1e8_ext,  1e9_ext,  1e10_ext, 1e11_ext, 1e12_ext, 1e13_ext, 1e14_ext, 1e15_ext,
    1e16_ext, 1e17_ext, 1e18_ext, 1e19_ext, 1e20_ext, 1e21_ext, 1e22_ext, 1e23_ext,
    1e24_ext, 1e25_ext, 1e26_ext, 1e27_ext, 1e28_ext, 1e29_ext, 1e30_ext, 1e31_ext};

inline constexpr std::array<Extended, 16> PowersOfTen32 = {
    1e0_ext,   1e32_ext,  1e64_ext,  1e96_ext,  1e128_ext, 1e160_ext, 1e192_ext, 1e224_ext,
    1e256_ext, 1e288_ext, 1e320_ext, 1e352_ext, 1e384_ext, 1e416_ext, 1e448_ext, 1e480_ext};

inline constexpr std::array<Extended, 10> PowersOfTen512 = {
    1e0_ext,    1e512_ext,  1e1024_ext, 1e1536_ext, 1e2048_ext,
    1e2560_ext, 1e3072_ext, 1e3584_ext, 1e4096_ext, 1e4608_ext};

// From this magnitude on, scaling gives infinity (p > 0) or zero (p < 0) outright,
// whatever the value, even one that has itself overflowed.
inline constexpr long ScaleLimit = 5120;

// x * 10^p (or x / 10^-p), one factor after another, each factor that is not 1.
inline Extended ScaleByPowerOfTen(Extended x, long p)
{
    const bool down = p < 0;
    const long n = down ? -p : p;
    if (n >= ScaleLimit)
        return down ? 0.0_ext : std::numeric_limits<Extended>::infinity();
    const Extended factors[] = {PowersOfTen[n % 32], PowersOfTen32[(n / 32) % 16],
                                PowersOfTen512[n / 512]};
    for (const Extended factor : factors) {
        if (factor != 1.0_ext)
            x = down ? x / factor : x * factor;
    }
    return x;
}

}  // namespace calc
