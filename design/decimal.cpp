// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/decimal.h"

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "design/big_integer.h"

namespace design {

namespace {

// Digits beyond these cannot move the result past a halfway point between two doubles
// (those have at most 767 significant digits), except that they are not all zero.
constexpr std::size_t ExactDigits = 780;

BigInteger FromDigits(std::string_view digits)
{
    BigInteger n(0);
    while (!digits.empty()) {
        const std::size_t chunk = std::min<std::size_t>(digits.size(), 9);
        std::uint32_t value = 0, scale = 1;
        for (std::size_t i = 0; i < chunk; ++i) {
            value = value * 10 + static_cast<std::uint32_t>(digits[i] - '0');
            scale *= 10;
        }
        n.MultiplyAdd(scale, value);
        digits.remove_prefix(chunk);
    }
    return n;
}

// A double, +inf's place (2^1024) included, as m 2^k with an integer m < 2^54.
struct Binary {
    std::uint64_t m = 0;
    long k = -1074;
};

Binary BinaryOf(double x)
{
    if (std::isinf(x))
        return {std::uint64_t{1} << 53, 971};
    if (x == 0)
        return {};
    int e = 0;
    const double f = std::frexp(x, &e);
    return {static_cast<std::uint64_t>(std::ldexp(f, 53)), e - 53L};
}

// The sign of digits * 10^exponent minus the point halfway between two neighbouring
// doubles, with the digits' side already times 5^exponent when exponent > 0.
int CompareWithHalfway(const BigInteger& scaledDigits, long exponent, double below, double above)
{
    const Binary a = BinaryOf(below), b = BinaryOf(above);
    const long k = std::min(a.k, b.k);
    // The halfway point: (a.m 2^(a.k - k) + b.m 2^(b.k - k)) 2^(k - 1), neighbours' exponents
    // differing by one at most.
    BigInteger halfway((a.m << (a.k - k)) + (b.m << (b.k - k)));
    BigInteger digits = scaledDigits;
    // digits 5^e 2^e against halfway 2^(k - 1): move the powers of 5 and 2 to one side each.
    if (exponent < 0)
        halfway.MultiplyByPowerOf5(-exponent);
    const long twos = k - 1 - exponent;
    if (twos > 0)
        halfway.ShiftLeft(twos);
    else
        digits.ShiftLeft(-twos);
    return Compare(digits, halfway);
}

bool OddSignificand(double x)
{
    return (std::bit_cast<std::uint64_t>(x) & 1) != 0;
}

// x 2^e with x in [0.5, 1), so that no product below leaves the range of a double.
struct Scaled {
    double x;
    long e;
};

Scaled Times(Scaled a, double factor)
{
    int e = 0;
    const double x = std::frexp(a.x * factor, &e);
    return {x, a.e + e};
}

// A double within a few units in the last place of `significand` 10^exponent, exponent
// from -511 to 511: each factor is a correctly rounded 10^(2^i) or 10^-(2^i).
double Estimate(std::uint64_t significand, long exponent)
{
    static constexpr std::array<double, 9> Up = {1e1,  1e2,  1e4,   1e8,  1e16,
                                                 1e32, 1e64, 1e128, 1e256};
    static constexpr std::array<double, 9> Down = {1e-1,  1e-2,  1e-4,   1e-8,  1e-16,
                                                   1e-32, 1e-64, 1e-128, 1e-256};
    int e = 0;
    Scaled value{std::frexp(static_cast<double>(significand), &e), 0};
    value.e = e;
    const std::array<double, 9>& powers = exponent < 0 ? Down : Up;
    unsigned long bits = static_cast<unsigned long>(exponent < 0 ? -exponent : exponent);
    for (std::size_t i = 0; bits != 0 && i < powers.size(); ++i, bits >>= 1)
        if (bits & 1)
            value = Times(value, powers[i]);
    return std::ldexp(value.x, static_cast<int>(value.e));
}

}  // namespace

double NearestDouble(std::string_view digits, long exponent)
{
    while (!digits.empty() && digits.front() == '0')
        digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == '0') {
        digits.remove_suffix(1);
        ++exponent;
    }
    if (digits.empty())
        return 0;
    const long n = static_cast<long>(digits.size());
    // The value lies in [10^(n + exponent - 1), 10^(n + exponent)).
    if (n + exponent - 1 > 308)
        return std::numeric_limits<double>::infinity();
    if (n + exponent < -323)
        return 0;  // below 1e-324, less than half the smallest double (4.9e-324)

    // Up to 15 digits and a power of ten that is a double: one rounding, the right one.
    static constexpr std::array<double, 23> Exact = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t leading = 0;
    const long kept = std::min(n, 19L);
    for (long i = 0; i < kept; ++i)
        leading =
            leading * 10 + static_cast<std::uint64_t>(digits[static_cast<std::size_t>(i)] - '0');
    const long estimateExponent = exponent + n - kept;  // leading 10^estimateExponent
    if (FLT_EVAL_METHOD == 0 && n <= 15 && exponent >= -22 && exponent <= 22) {
        const double d = static_cast<double>(leading);
        return exponent < 0 ? d / Exact[static_cast<std::size_t>(-exponent)]
                            : d * Exact[static_cast<std::size_t>(exponent)];
    }

    // Otherwise an estimate, moved to the neighbour on the number's side of each halfway
    // point until it is the nearest.
    bool sticky = false;  // digits beyond those that can matter, not all zero
    if (digits.size() > ExactDigits) {
        sticky = true;  // the last digit is not zero
        exponent += n - static_cast<long>(ExactDigits);
        digits = digits.substr(0, ExactDigits);
    }
    BigInteger scaled = FromDigits(digits);
    if (sticky) {
        scaled.MultiplyAdd(10, 1);
        --exponent;
    }
    if (exponent > 0)
        scaled.MultiplyByPowerOf5(exponent);

    double x = Estimate(leading, estimateExponent);
    const double infinity = std::numeric_limits<double>::infinity();
    for (;;) {
        const double above = std::nextafter(x, infinity);
        const int up = CompareWithHalfway(scaled, exponent, x, above);
        if (up > 0 || (up == 0 && OddSignificand(x))) {
            x = above;
            if (std::isinf(x))
                return x;
            continue;
        }
        if (x == 0)
            return x;
        const double below = std::nextafter(x, 0.0);
        const int down = CompareWithHalfway(scaled, exponent, below, x);
        if (down < 0 || (down == 0 && OddSignificand(x))) {
            x = below;
            continue;
        }
        return x;
    }
}

}  // namespace design
