// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The two references for the software extended format: the x87 itself, where this
// machine's `long double` is the x87 format (even in a build that computes in software),
// and MPFR at 64 bits with the x87's exponent range and denormals. Values travel between
// them as ExtendedBits. MPFR is a dependency of these tests only.
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "calc/extended_bits.h"

#if (defined(__x86_64__) || defined(__i386__)) && __LDBL_MANT_DIG__ == 64
#define HOST_HAS_X87 1
#else
#define HOST_HAS_X87 0
#endif

#include <mpfr.h>

namespace reference {

using calc::ExtendedBits;

inline constexpr ExtendedBits Indefinite = {0xffff, std::uint64_t{3} << 62};

// Conversions between bits and the x87's `long double`; without an x87 they are never
// called, and give nothing.
inline long double X87([[maybe_unused]] ExtendedBits bits)
{
    long double x = 0;
#if HOST_HAS_X87
    std::memcpy(&x, &bits.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&x) + 8, &bits.signExponent, 2);
#endif
    return x;
}

inline ExtendedBits Bits([[maybe_unused]] long double x)
{
    ExtendedBits bits;
#if HOST_HAS_X87
    std::memcpy(&bits.significand, &x, 8);
    std::memcpy(&bits.signExponent, reinterpret_cast<const char*>(&x) + 8, 2);
#endif
    return bits;
}

// One MPFR number at the x87's precision. Exponent range (set once by SetX87Range):
// 2^-16445, the smallest denormal, is 0.5 * 2^-16444; the largest value lies below 2^16384.
class Mpfr {
public:
    Mpfr() { mpfr_init2(value_, 64); }
    explicit Mpfr(ExtendedBits bits) : Mpfr() { Set(bits); }
    ~Mpfr() { mpfr_clear(value_); }
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;

    static void SetX87Range()
    {
        mpfr_set_emin(-16444);
        mpfr_set_emax(16384);
    }

    mpfr_ptr get() { return value_; }
    mpfr_srcptr get() const { return value_; }

    void Set(ExtendedBits bits)
    {
        const int sign = bits.Negative() ? -1 : 1;
        if (bits.IsNaN()) {
            mpfr_set_nan(value_);
        } else if (bits.IsInfinity()) {
            mpfr_set_inf(value_, sign);
        } else if (bits.significand == 0) {
            mpfr_set_zero(value_, sign);
        } else {
            const int biased = bits.BiasedExponent() == 0 ? 1 : bits.BiasedExponent();
            mpfr_set_uj_2exp(value_, bits.significand, biased - ExtendedBits::Bias - 63, MPFR_RNDN);
            if (sign < 0)
                mpfr_neg(value_, value_, MPFR_RNDN);
        }
    }

    // After an operation that returned `ternary`: rounded once more where the result is a
    // denormal, as the x87 does.
    void Subnormalize(int ternary) { mpfr_subnormalize(value_, ternary, MPFR_RNDN); }

    ExtendedBits Bits() const
    {
        if (mpfr_nan_p(value_))
            return Indefinite;
        const std::uint16_t sign = mpfr_signbit(value_) ? ExtendedBits::SignBit : 0;
        if (mpfr_inf_p(value_))
            return {static_cast<std::uint16_t>(sign | ExtendedBits::MaxExponent),
                    ExtendedBits::IntegerBit};
        if (mpfr_zero_p(value_))
            return {sign, 0};
        const long exponent = mpfr_get_exp(value_);  // value = m * 2^exponent, 1/2 <= |m| < 1
        Mpfr scaled;
        mpfr_mul_2si(scaled.get(), value_, 64 - exponent, MPFR_RNDN);
        mpfr_abs(scaled.get(), scaled.get(), MPFR_RNDN);
        std::uint64_t significand = mpfr_get_uj(scaled.get(), MPFR_RNDN);
        long biased = exponent - 1 + ExtendedBits::Bias;
        if (biased < 1) {
            significand >>= 1 - biased;
            biased = 0;
        }
        return {static_cast<std::uint16_t>(sign | biased), significand};
    }

private:
    mpfr_t value_;
};

}  // namespace reference
