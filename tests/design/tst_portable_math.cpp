// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The design's elementary functions: the same bits on every processor. A table of
// correctly rounded values (from MPFR) that every build must reproduce exactly, and where
// MPFR is at hand, generated arguments by the hundred thousand against it.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string_view>

#include "design/portable_math.h"

#ifdef BUTTERWORTH3_HAVE_MPFR
#include <mpfr.h>
#endif

namespace {

namespace portable = design::portable;

struct Case {
    double (*function)(double);
    double argument;
    double expected;
};

// clang-format off
constexpr double (*Cbrt)(double) = portable::Cbrt;
constexpr double (*Log)(double) = portable::Log;
constexpr double (*Exp10)(double) = portable::Exp10;
constexpr double (*Exp)(double) = portable::Exp;
constexpr double (*Acos)(double) = portable::Acos;
constexpr double (*Cos)(double) = portable::Cos;
constexpr double (*Sinh)(double) = portable::Sinh;
constexpr double (*Cosh)(double) = portable::Cosh;
constexpr double (*Asinh)(double) = portable::Asinh;
constexpr Case Cases[] = {
        {Cbrt, 0x1p+3, 0x1p+1},
        {Cbrt, 0x1.bp+4, 0x1.8p+1},
        {Cbrt, -0x1p+6, -0x1p+2},
        {Cbrt, 0x1.56e1fc2f8f359p-997, 0x1.bff2ee48e053p-333},
        {Cbrt, 0x1.8p+1, 0x1.7137449123ef6p+0},
        {Cbrt, 0x1.999999999999ap-4, 0x1.db4c7760bcff3p-2},
        {Cbrt, 0x1.7e43c8800759cp+996, 0x1.249ad2594c37dp+332},
        {Cbrt, 0x1.0000000000001p+0, 0x1p+0},
        {Cbrt, 0x1.fffffffffffffp+2, 0x1p+1},
        {Log, 0x1p+0, 0x0p+0},
        {Log, 0x1.5bf0a8b145769p+1, 0x1p+0},
        {Log, 0x1.56e1fc2f8f359p-997, -0x1.5963447f87fb5p+9},
        {Log, 0x1.999999999999ap-4, -0x1.26bb1bbb55515p+1},
        {Log, 0x1.7e43c8800759cp+996, 0x1.5963447f87fb5p+9},
        {Log, 0x1.0000000000001p+0, 0x1.fffffffffffffp-53},
        {Log, 0x1.6a09e667f3bcdp-1, -0x1.62e42fefa39eep-2},
        {Exp10, -0x1.2p+3, 0x1.12e0be826d695p-30},
        {Exp10, 0x1.8p+1, 0x1.f4p+9},
        {Exp10, 0x1.6p+4, 0x1.0f0cf064dd592p+73},
        {Exp10, 0x1.999999999999ap-5, 0x1.1f3c99f6bc436p+0},
        {Exp10, 0x1.999999999999ap-4, 0x1.4248ef8fc2604p+0},
        {Exp10, -0x1.47ae147ae147bp-9, 0x1.fd0fa80ab1673p-1},
        {Exp10, 0x1.4p+1, 0x1.3c3a4edfa9759p+8},
        {Exp10, -0x1.ep+3, 0x1.203af9ee75616p-50},
        {Exp10, 0x1.2bp+8, 0x1.31cfd3999f7bp+993},
        {Exp, 0x1.4f8b588e368f1p-17, 0x1.0000a7c5e340ep+0},
        {Exp, -0x1.4f8b588e368f1p-17, 0x1.fffeb07515653p-1},
        {Exp, 0x1p+0, 0x1.5bf0a8b145769p+1},
        {Exp, -0x1.5ep+9, 0x1.14f2b0fb9307fp-1010},
        {Exp, 0x1.5d8p+9, 0x1.5c36fb1036d55p+1008},
        {Exp, 0x1p-1, 0x1.a61298e1e069cp+0},
        {Acos, 0x1p-1, 0x1.0c152382d7366p+0},
        {Acos, -0x1p-1, 0x1.0c152382d7366p+1},
        {Acos, 0x1.fffffffffffffp-1, 0x1p-26},
        {Acos, -0x1.fffffffffffffp-1, 0x1.921fb52442d18p+1},
        {Acos, 0x1.b7cdfd9d7bdbbp-34, 0x1.921fb543d4dep+0},
        {Acos, 0x1.3333333333333p-2, 0x1.441f5ecbeef59p+0},
        {Cos, 0x1p+0, 0x1.14a280fb5068cp-1},
        {Cos, -0x1.0c152382d7365p+2, -0x1.0000000000004p-1},
        {Cos, 0x1.0c152382d7366p+1, -0x1.0000000000002p-1},
        {Cos, 0x1.0c152382d7365p-1, 0x1.bb67ae8584cabp-1},
        {Cos, 0x1.5798ee2308c3ap-27, 0x1p+0},
        {Cos, 0x1.921fb54442d18p+1, -0x1p+0},
        {Sinh, 0x1p-1, 0x1.0acd00fe63b97p-1},
        {Cosh, 0x1p-1, 0x1.20ac1862ae8dp+0},
        {Asinh, 0x1p-1, 0x1.ecc2caec5160ap-2},
        {Sinh, -0x1.3333333333333p-2, -0x1.37d42af54b926p-2},
        {Cosh, -0x1.3333333333333p-2, 0x1.0b9b4e0b6ec4cp+0},
        {Asinh, -0x1.3333333333333p-2, -0x1.2ec4ea565fcc1p-2},
        {Sinh, 0x1p+1, 0x1.d03cf63b6e19fp+1},
        {Cosh, 0x1p+1, 0x1.e18fa0df2d9bcp+1},
        {Asinh, 0x1p+1, 0x1.719218313d087p+0},
        {Sinh, 0x1.0624dd2f1a9fcp-10, 0x1.0624e00c1c9e3p-10},
        {Cosh, 0x1.0624dd2f1a9fcp-10, 0x1.000008637bdc1p+0},
        {Asinh, 0x1.0624dd2f1a9fcp-10, 0x1.0624da5218b95p-10},
};
// clang-format on

TEST(PortableMath, CorrectlyRoundedToTheBitOnEveryProcessor)
{
    for (const Case& c : Cases)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(c.function(c.argument)),
                  std::bit_cast<std::uint64_t>(c.expected))
            << std::hexfloat << c.argument << " gave " << c.function(c.argument) << ", expected "
            << c.expected;
}

TEST(PortableMath, Log10KeepsExactPowersAndTheCLibrarysSpecialValues)
{
    for (int k = -22; k <= 22; ++k)
        EXPECT_EQ(portable::Log10(std::stod("1e" + std::to_string(k))), k) << k;
    EXPECT_EQ(portable::Log10(0), -HUGE_VAL);
    EXPECT_TRUE(std::isnan(portable::Log10(-1)));
    EXPECT_EQ(portable::Exp10(-400), 0);
    EXPECT_EQ(portable::Cbrt(-0.0), 0);
    EXPECT_TRUE(std::signbit(portable::Cbrt(-0.0)));
}

#if defined(__x86_64__) && defined(__GLIBC__)
// x86-64's earlier results came from glibc's log10: the same formula, so the same bits
// wherever glibc's own logarithm is correctly rounded (all but about one in 100,000).
TEST(PortableMath, Log10GivesX8664GlibcsBits)
{
    std::mt19937_64 random(18);
    std::uniform_real_distribution<double> exponent(-30, 30);
    int differences = 0;
    constexpr int Count = 200000;
    for (int i = 0; i < Count; ++i) {
        const double x = std::pow(10.0, exponent(random));
        differences += portable::Log10(x) != std::log10(x);
    }
    EXPECT_LE(differences, Count / 20000);
}
#endif

#ifdef BUTTERWORTH3_HAVE_MPFR
struct Reference {
    std::string_view name;
    double (*function)(double);
    int (*mpfr)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    double low, high;  // arguments drawn uniformly, or 10^uniform when `logarithmic`
    bool logarithmic;
};

TEST(PortableMath, CorrectlyRoundedOnGeneratedArguments)
{
    // clang-format off
    const Reference references[] = {
        {"cbrt", Cbrt, mpfr_cbrt, -300, 300, true},
        {"log", Log, mpfr_log, -300, 300, true},
        {"exp10", Exp10, mpfr_exp10, -25, 25, false},
        {"exp", Exp, mpfr_exp, -50, 50, false},
        {"acos", Acos, mpfr_acos, -1, 1, false},
        {"cos", Cos, mpfr_cos, -4.5, 1.5, false},
        {"sinh", Sinh, mpfr_sinh, -3, 3, false},
        {"cosh", Cosh, mpfr_cosh, -3, 3, false},
        {"asinh", Asinh, mpfr_asinh, -3, 3, false},
    };
    // clang-format on
    mpfr_t argument, result;
    mpfr_init2(argument, 53);
    mpfr_init2(result, 53);
    std::mt19937_64 random(18);
    for (const Reference& r : references) {
        std::uniform_real_distribution<double> draw(r.low, r.high);
        int wrong = 0;
        for (int i = 0; i < 100000; ++i) {
            const double x = r.logarithmic ? std::pow(10.0, draw(random)) : draw(random);
            mpfr_set_d(argument, x, MPFR_RNDN);
            r.mpfr(result, argument, MPFR_RNDN);
            wrong += r.function(x) != mpfr_get_d(result, MPFR_RNDN);
        }
        EXPECT_EQ(wrong, 0) << r.name;
    }
    mpfr_clears(argument, result, static_cast<mpfr_ptr>(nullptr));
}
#endif

}  // namespace
