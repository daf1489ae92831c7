// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/portable_math.h"

#include <array>
#include <cmath>

namespace design::portable {

namespace {

// A double-double: the unevaluated sum hi + lo with |lo| at most half an ulp of hi. The
// operations are the classic error-free ones (Knuth's two-sum, Dekker's product with
// Veltkamp's split), so they need the compiler to keep every product and sum as written:
// the project builds with -ffp-contract=off.
struct DD {
    double hi = 0;
    double lo = 0;
};

DD QuickTwoSum(double a, double b)  // |a| >= |b|
{
    const double s = a + b;
    return {s, b - (s - a)};
}

DD TwoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// The upper 26 bits of a and the rest, so that a product of two halves is exact.
DD Split(double a)
{
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

DD TwoProduct(double a, double b)
{
    const double p = a * b;
    const DD x = Split(a), y = Split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

DD operator+(DD a, DD b)
{
    DD s = TwoSum(a.hi, b.hi);
    const DD t = TwoSum(a.lo, b.lo);
    s = QuickTwoSum(s.hi, s.lo + t.hi);
    return QuickTwoSum(s.hi, s.lo + t.lo);
}

DD operator-(DD a)
{
    return {-a.hi, -a.lo};
}

DD operator-(DD a, DD b)
{
    return a + -b;
}

DD operator*(DD a, DD b)
{
    const DD p = TwoProduct(a.hi, b.hi);
    return QuickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

DD operator/(DD a, DD b)
{
    const double q1 = a.hi / b.hi;
    DD r = a - b * DD{q1};
    const double q2 = r.hi / b.hi;
    r = r - b * DD{q2};
    const double q3 = r.hi / b.hi;
    return QuickTwoSum(q1, q2) + DD{q3};
}

DD Scaled(DD a, int exponent)  // a 2^exponent, exact
{
    return {std::ldexp(a.hi, exponent), std::ldexp(a.lo, exponent)};
}

DD Sqrt(DD a)  // a > 0: one Newton step from the double root
{
    const double root = std::sqrt(a.hi);
    return DD{root} + (a - TwoProduct(root, root)) / DD{2 * root};
}

// The constants to 106 bits, hi and lo each correctly rounded.
constexpr DD Ln2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DD Ln10{0x1.26bb1bbb55516p+1, -0x1.f48ad494ea3e9p-53};
constexpr DD HalfPi{0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr DD One{1};

// 1/n! for n = 0 ... 31.
const std::array<DD, 32>& InverseFactorials()
{
    static const std::array<DD, 32> table = [] {
        std::array<DD, 32> t{};
        double factorial = 1;  // exact up to 22!, then the quotient below carries it
        DD inverse = One;
        for (std::size_t n = 0; n < t.size(); ++n) {
            if (n > 0) {
                if (n <= 22) {
                    factorial *= static_cast<double>(n);
                    inverse = One / DD{factorial};
                } else {
                    inverse = inverse / DD{static_cast<double>(n)};
                }
            }
            t[n] = inverse;
        }
        return t;
    }();
    return table;
}

// e^x: x = k ln 2 + r, e^r from its series at r / 1024 and ten squarings, kept as
// e^r - 1 so that nothing cancels.
DD Exp(DD x)
{
    const double k = std::floor(x.hi / Ln2.hi + 0.5);
    const DD r = Scaled(x - Ln2 * DD{k}, -10);
    const std::array<DD, 32>& inverse = InverseFactorials();
    DD sum = inverse[10];
    for (std::size_t n = 9; n >= 1; --n)
        sum = inverse[n] + sum * r;
    DD e = sum * r;  // e^r - 1
    for (int i = 0; i < 10; ++i)
        e = e * (e + DD{2});
    return Scaled(e + One, static_cast<int>(k));
}

// 2 atanh(s) = ln((1 + s) / (1 - s)) = 2 (s + s^3/3 + s^5/5 + ...), to `terms` terms.
DD TwiceAtanh(DD s, std::size_t terms)
{
    static const std::array<DD, 22> inverseOdd = [] {
        std::array<DD, 22> t{};
        for (std::size_t n = 0; n < t.size(); ++n)
            t[n] = One / DD{static_cast<double>(2 * n + 1)};
        return t;
    }();
    const DD s2 = s * s;
    DD sum = inverseOdd[terms - 1];
    for (std::size_t n = terms - 1; n-- > 0;)
        sum = inverseOdd[n] + s2 * sum;
    return Scaled(s * sum, 1);
}

// ln c for c = j/128 in [90/128, 182/128], from the series itself (|s| < 0.18, 22 terms).
constexpr int FirstNode = 90, LastNode = 182;
const std::array<DD, LastNode - FirstNode + 1>& LogsOfNodes()
{
    static const std::array<DD, LastNode - FirstNode + 1> table = [] {
        std::array<DD, LastNode - FirstNode + 1> t{};
        for (int j = FirstNode; j <= LastNode; ++j) {
            const DD c{j / 128.0};
            t[static_cast<std::size_t>(j - FirstNode)] = TwiceAtanh((c - One) / (c + One), 22);
        }
        return t;
    }();
    return table;
}

// ln x (x > 0, finite): x = 2^k m with m in [sqrt(1/2), sqrt(2)), c the nearest j/128, and
// ln m = ln c + 2 atanh(s) with s = (m - c)/(m + c), |s| < 1/360: six terms of the series.
DD Log(DD x)
{
    int k = 0;
    if (std::frexp(x.hi, &k) < 0x1.6a09e667f3bcdp-1)  // sqrt(1/2)
        --k;
    const DD m = Scaled(x, -k);
    const double j = std::floor(m.hi * 128 + 0.5);
    const DD c{j / 128};
    const DD logC = LogsOfNodes()[static_cast<std::size_t>(j) - FirstNode];
    return Ln2 * DD{static_cast<double>(k)} + logC + TwiceAtanh((m - c) / (m + c), 6);
}

// sin t and cos t for |t| <= pi/4 from their series.
struct SinCos {
    DD sin;
    DD cos;
};
SinCos SinCosReduced(DD t)
{
    const std::array<DD, 32>& inverse = InverseFactorials();
    const DD t2 = t * t;
    DD s = inverse[29], c = inverse[30];
    for (std::size_t n = 29; n >= 3; n -= 2) {
        s = inverse[n - 2] - t2 * s;
        c = inverse[n - 1] - t2 * c;
    }
    return {s * t, One - t2 * c};
}

// sin and cos of x: x = j pi/2 + t, |t| <= pi/4.
SinCos SinCosOf(DD x)
{
    const double j = std::floor(x.hi / HalfPi.hi + 0.5);
    const SinCos r = SinCosReduced(x - HalfPi * DD{j});
    switch (static_cast<long long>(j) & 3) {
    case 0: return r;
    case 1: return {r.cos, -r.sin};
    case 2: return {-r.sin, -r.cos};
    default: return {-r.cos, r.sin};
    }
}

}  // namespace

double Exp(double x)
{
    if (!(std::fabs(x) < 700))
        return std::exp(x);  // overflow, underflow to subnormals or zero, infinity, NaN
    return Exp(DD{x}).hi;
}

double Log(double x)
{
    if (!(x >= 0x1p-1022) || std::isinf(x))
        return std::log(x);  // zero, subnormal, negative, infinity, NaN
    return Log(DD{x}).hi;
}

double Log10(double x)
{
    if (!(x >= 0x1p-1022) || std::isinf(x))
        return std::log10(x);
    // The formula of glibc's log10, which x86-64 has always used: x = 2^y m with m in
    // [1, 2) for x >= 1 and in [1/2, 1) below, and log10 x = y log10(2) + ln(m) / ln(10)
    // with log10(2) in two parts (the first with trailing zeros, so that y times it is
    // exact). With a correctly rounded ln, it gives x86-64's bits.
    constexpr double Log10Of2High = 3.01029995663611771306e-01;
    constexpr double Log10Of2Low = 3.69423907715893078616e-13;
    constexpr double InverseLn10 = 4.34294481903251816668e-01;
    int exponent = 0;
    double m = std::frexp(x, &exponent);  // x = m 2^exponent, m in [1/2, 1)
    if (exponent >= 1) {
        m *= 2;
        --exponent;
    }
    const double y = exponent;
    const double z = y * Log10Of2Low + InverseLn10 * Log(m);
    return z + y * Log10Of2High;
}

double Exp10(double x)
{
    if (!(std::fabs(x) < 300))
        return std::pow(10.0, x);
    return Exp(DD{x} * Ln10).hi;
}

double Cbrt(double x)
{
    if (x == 0 || !std::isfinite(x) || std::fabs(x) < 0x1p-1022)
        return std::cbrt(x);  // zero, infinity, NaN and subnormals keep the library's
    const double root = Exp(Log(DD{std::fabs(x)}) / DD{3}).hi;
    return std::copysign(root, x);
}

double Acos(double x)
{
    if (x == 1)
        return 0;
    if (x == -1)
        return 2 * HalfPi.hi;
    if (!(std::fabs(x) < 1))
        return std::acos(x);
    // One Newton step on cos(phi) = x from the library's value: its error of an ulp or
    // two is squared, so the step's result no longer depends on which library gave it.
    const double start = std::acos(x);
    const SinCos sc = SinCosOf(DD{start});
    return (DD{start} + (sc.cos - DD{x}) / sc.sin).hi;
}

double Cos(double x)
{
    if (!(std::fabs(x) < 0x1p20))
        return std::cos(x);
    return SinCosOf(DD{x}).cos.hi;
}

double Sinh(double x)
{
    if (!(std::fabs(x) < 700) || std::fabs(x) < 0x1p-26)
        return std::fabs(x) < 0x1p-26 ? x : std::sinh(x);
    const DD e = Exp(DD{x});
    return Scaled(e - One / e, -1).hi;
}

double Cosh(double x)
{
    if (!(std::fabs(x) < 700))
        return std::cosh(x);
    const DD e = Exp(DD{x});
    return Scaled(e + One / e, -1).hi;
}

double Asinh(double x)
{
    if (!(std::fabs(x) < 0x1p500) || std::fabs(x) < 0x1p-26)
        return std::fabs(x) < 0x1p-26 ? x : std::asinh(x);
    const DD a{std::fabs(x)};
    return std::copysign(Log(a + Sqrt(a * a + One)).hi, x);
}

}  // namespace design::portable
