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
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};

inline constexpr std::array<Extended, 16> PowersOfTen32 = {
    1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L};

inline constexpr std::array<Extended, 10> PowersOfTen512 = {
    1e0L, 1e512L, 1e1024L, 1e1536L, 1e2048L, 1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};

// From this magnitude on, scaling gives infinity (p > 0) or zero (p < 0) outright,
// whatever the value, even one that has itself overflowed.
inline constexpr long ScaleLimit = 5120;

// x * 10^p (or x / 10^-p), one factor after another, each factor that is not 1.
inline Extended ScaleByPowerOfTen(Extended x, long p)
{
    const bool down = p < 0;
    const long n = down ? -p : p;
    if (n >= ScaleLimit)
        return down ? 0.0L : std::numeric_limits<Extended>::infinity();
    const Extended factors[] = {PowersOfTen[n % 32], PowersOfTen32[(n / 32) % 16],
                                PowersOfTen512[n / 512]};
    for (const Extended factor : factors) {
        if (factor != 1.0L)
            x = down ? x / factor : x * factor;
    }
    return x;
}

}  // namespace calc
