// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Every operation of the software extended format against the x87 (where this machine
// has one) and against MPFR, bit for bit, on generated operands of six kinds: ordinary,
// the double range, overflow, denormals, rounding ties, and special values.
// BUTTERWORTH3_EXTENDED_CASES sets the number of cases per operation (default 1,000,000).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <compare>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc/soft_extended.h"
#include "extended_references.h"

namespace {

using calc::ExtendedBits;
using calc::SoftExtended;
using reference::Mpfr;
using reference::X87;

// What an operation gives: an extended value's bits, or {0, bits} of a double or integer.
using Outcome = ExtendedBits;

Outcome Of(double d)
{
    return {0, std::bit_cast<std::uint64_t>(d)};
}
Outcome Of(std::int64_t n)
{
    return {0, static_cast<std::uint64_t>(n)};
}
Outcome Of(std::partial_ordering order)
{
    return Of(std::int64_t{order < 0 ? 1 : order > 0 ? 2 : order == 0 ? 3 : 4});
}

std::string Hex(ExtendedBits bits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04x:%016llx", bits.signExponent,
                  static_cast<unsigned long long>(bits.significand));
    return text;
}

enum Kind { Ordinary, DoubleRange, Overflow, Denormal, Tie, Special, KindCount };
constexpr const char* KindNames[] = {"ordinary", "double range", "overflow",
                                     "denormal", "tie",          "special"};

// Up to two operands as bits, or a double or an integer to convert.
struct Case {
    ExtendedBits a, b;
    double d = 0;
    std::int64_t n = 0;
};

class Operands {
public:
    explicit Operands(std::uint64_t seed) : random_(seed) { }

    std::uint64_t Bits() { return random_(); }
    int Between(int low, int high)
    {
        return low + static_cast<int>(random_() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool Coin() { return (random_() & 1) != 0; }

    // A random significand, an unbiased exponent in [low, high], either sign.
    ExtendedBits Normal(int low, int high)
    {
        const int biased = Between(low, high) + ExtendedBits::Bias;
        return {Signed(biased), random_() | ExtendedBits::IntegerBit};
    }
    ExtendedBits Tiny()
    {
        return Coin() ? ExtendedBits{Signed(0), random_() >> Between(1, 63)}
                      : Normal(-16382, -16300);
    }
    ExtendedBits Huge() { return Normal(16300, 16383); }
    ExtendedBits DoubleValue()
    {
        const double d = std::bit_cast<double>(random_());
        return std::isfinite(d) ? SoftExtended(d).Bits() : Normal(-1074, 1023);
    }
    // Zero, infinity, the largest, smallest normal and denormal values, one, 2^63, a NaN.
    ExtendedBits Special(bool nan)
    {
        constexpr std::array<ExtendedBits, 8> values = {{
            {0, 0},
            {ExtendedBits::MaxExponent, ExtendedBits::IntegerBit},
            {ExtendedBits::MaxExponent - 1, ~std::uint64_t{0}},
            {1, ExtendedBits::IntegerBit},
            {0, 1},
            {0, ExtendedBits::IntegerBit - 1},
            {ExtendedBits::Bias, ExtendedBits::IntegerBit},
            {ExtendedBits::Bias + 63, ExtendedBits::IntegerBit},
        }};
        if (nan && random_() % 9 == 0)  // quiet, with a random payload
            return {Signed(ExtendedBits::MaxExponent), random_() | std::uint64_t{3} << 62};
        const ExtendedBits x = values[random_() % values.size()];
        return {Signed(x.signExponent), x.significand};
    }
    ExtendedBits Any(bool nan)
    {
        const ExtendedBits choices[] = {Normal(-80, 80), Tiny(), Huge(), Special(nan)};
        return choices[random_() % 4];
    }

private:
    std::uint16_t Signed(int word)
    {
        return static_cast<std::uint16_t>(Coin() ? word | ExtendedBits::SignBit : word);
    }

    std::mt19937_64 random_;
};

int Exponent(ExtendedBits x)
{
    return x.BiasedExponent() - ExtendedBits::Bias;
}

// The lowest `bits` bits of the significand made 100..0: exactly halfway once cut.
ExtendedBits HalfwayBelow(ExtendedBits x, int bits)
{
    const std::uint64_t low = std::uint64_t{1} << (bits - 1);
    x.significand = (x.significand & ~(low * 2 - 1)) | low | ExtendedBits::IntegerBit;
    return x;
}

Case BinaryCase(Operands& o, Kind kind, char op)
{
    Case c;
    switch (kind) {
    case Ordinary:
        c.a = o.Normal(-70, 70);
        c.b = o.Normal(-70, 70);
        if (op == '+' && o.Coin())  // nearly opposite: cancellation
            c.b = {static_cast<std::uint16_t>(c.a.signExponent ^ ExtendedBits::SignBit),
                   c.a.significand ^ (o.Bits() >> o.Between(1, 63))};
        break;
    case DoubleRange:
        c.a = o.DoubleValue();
        c.b = o.DoubleValue();
        break;
    case Overflow:
        c.a = o.Huge();
        c.b = op == '/'               ? o.Normal(-16382, -16200)
              : op == '*' && o.Coin() ? o.Normal(0, 400)
                                      : o.Huge();
        break;
    case Denormal:
        c.a = o.Tiny();
        c.b = op == '+' ? o.Tiny() : op == '*' ? o.Normal(-100, 10) : o.Normal(-10, 100);
        if (op == '*' && o.Coin()) {  // two small normals, a denormal product
            c.a = o.Normal(-8300, -8100);
            c.b = o.Normal(-8300, -8100);
        }
        break;
    case Tie:
        if (op == '+') {  // a half, or three quarters, of a unit in a's last place
            c.a = o.Normal(-60, 60);
            c.b = {static_cast<std::uint16_t>((o.Coin() ? ExtendedBits::SignBit : 0) |
                                              (c.a.BiasedExponent() - 64)),
                   o.Coin() ? ExtendedBits::IntegerBit : std::uint64_t{3} << 62};
        } else if (op == '*' && o.Coin()) {  // 33 by 32 bits: a product of 64 or 65 bits
            c.a = o.Normal(-60, 60);
            c.b = o.Normal(-60, 60);
            c.a.significand = c.a.significand >> 31 << 31;
            c.b.significand = c.b.significand >> 32 << 32;
        } else {
            // A denormal result whose cut bits are exactly a half (all ones now and then,
            // which carries up to the smallest normal): a times 2^-k, or over 2^k.
            const int cut = o.Between(1, 63);
            c.a = HalfwayBelow(o.Normal(-100, 1 - cut), cut);
            if (o.Bits() % 8 == 0)
                c.a.significand = ~std::uint64_t{0};
            const int k = Exponent(c.a) + 16382 + cut;
            c.b = {
                static_cast<std::uint16_t>(std::max(1, ExtendedBits::Bias + (op == '*' ? -k : k))),
                ExtendedBits::IntegerBit};
        }
        break;
    default:
        c.a = o.Special(true);
        c.b = o.Coin() ? o.Special(!c.a.IsNaN()) : o.Any(!c.a.IsNaN());  // never two NaNs
        if (o.Coin())
            std::swap(c.a, c.b);
        break;
    }
    return c;
}

// Where a one-operand operation is worth testing: ordinary and overflowing exponents, and
// how many bits it cuts from a value with a given exponent.
struct Window {
    int low, high, overflowLow, overflowHigh;
    int (*cut)(int exponent);
    bool nan;
};
constexpr Window ToDouble = {
    -1085, 1023, 1020, 16383, [](int e) { return 11 + std::max(0, -1022 - e); }, true};
constexpr Window ToInteger = {-3, 62, 62, 200, [](int e) { return 63 - e; }, true};
constexpr Window ToIntegerInRange = {-3, 62, 62, 62, [](int e) { return 63 - e; }, false};

Case UnaryCase(Operands& o, Kind kind, const Window& w)
{
    Case c;
    switch (kind) {
    case Ordinary: c.a = o.Normal(w.low, w.high); break;
    case DoubleRange: c.a = o.DoubleValue(); break;
    case Overflow: c.a = o.Normal(w.overflowLow, w.overflowHigh); break;
    case Denormal: c.a = o.Tiny(); break;
    case Tie:
        c.a = o.Normal(w.low, w.high);
        c.a = HalfwayBelow(c.a, std::clamp(w.cut(Exponent(c.a)), 1, 64));
        break;
    default: c.a = o.Special(w.nan); break;
    }
    if (&w == &ToIntegerInRange &&
        Exponent(c.a) >= 63)  // a C++ conversion out of range is undefined
        c.a = {};
    return c;
}

struct Operation {
    const char* name;
    std::function<Case(Operands&, Kind)> generate;
    std::function<Outcome(const Case&)> soft, x87, mpfr;
    bool mpfrTakesNaN = false;  // MPFR has no NaN payloads: only comparisons ask it about NaNs
};

void PrintTo(const Operation& operation, std::ostream* out)
{
    *out << operation.name;
}

SoftExtended Soft(ExtendedBits bits)
{
    return SoftExtended::FromBits(bits);
}

// An MPFR function on exact operands, rounded as the x87 rounds.
template <typename Function, typename... Values>
Outcome ViaMpfr(Function function, const Values&... values)
{
    Mpfr result;
    result.Subnormalize(function(result.get(), Mpfr(values).get()..., MPFR_RNDN));
    return result.Bits();
}

Operation Arithmetic(const char* name, char op)
{
    const auto apply = [op](auto a, auto b) {
        return op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b : a / b;
    };
    const auto mpfr = op == '+' ? mpfr_add : op == '-' ? mpfr_sub : op == '*' ? mpfr_mul : mpfr_div;
    return {name,
            [op](Operands& o, Kind kind) { return BinaryCase(o, kind, op == '-' ? '+' : op); },
            [apply](const Case& c) { return apply(Soft(c.a), Soft(c.b)).Bits(); },
            [apply](const Case& c) { return reference::Bits(apply(X87(c.a), X87(c.b))); },
            [mpfr](const Case& c) { return ViaMpfr(mpfr, c.a, c.b); }};
}

Outcome MpfrLlrint(const Case& c)
{
    Mpfr rounded;
    mpfr_rint(rounded.get(), Mpfr(c.a).get(), MPFR_RNDN);
    if (mpfr_inf_p(rounded.get()) || !mpfr_fits_intmax_p(rounded.get(), MPFR_RNDN))
        return Of(std::numeric_limits<std::int64_t>::min());  // the x87's integer indefinite
    return Of(std::int64_t{mpfr_get_sj(rounded.get(), MPFR_RNDN)});
}

Outcome MpfrILogB(const Case& c)
{
    const Mpfr x(c.a);
    if (mpfr_inf_p(x.get()))
        return Of(std::int64_t{INT_MAX});
    return Of(std::int64_t{mpfr_zero_p(x.get()) ? FP_ILOGB0 : mpfr_get_exp(x.get()) - 1});
}

Outcome MpfrCompare(const Case& c)
{
    const Mpfr a(c.a), b(c.b);
    if (mpfr_unordered_p(a.get(), b.get()))
        return Of(std::partial_ordering::unordered);
    return Of(mpfr_cmp(a.get(), b.get()) <=> 0);
}

std::vector<Operation> Operations()
{
    const auto unary = [](const Window& w) {
        return [&w](Operands& o, Kind kind) { return UnaryCase(o, kind, w); };
    };
    return {
        Arithmetic("add", '+'),
        Arithmetic("subtract", '-'),
        Arithmetic("multiply", '*'),
        Arithmetic("divide", '/'),
        {"to double", unary(ToDouble),
         [](const Case& c) { return Of(static_cast<double>(Soft(c.a))); },
         [](const Case& c) { return Of(static_cast<double>(X87(c.a))); },
         [](const Case& c) { return Of(mpfr_get_d(Mpfr(c.a).get(), MPFR_RNDN)); }},
        // Every kind of double: those that the values above round to.
        {"from double",
         [unary](Operands& o, Kind kind) {
             Case c;
             c.d = static_cast<double>(Soft(unary(ToDouble)(o, kind).a));
             return c;
         },
         [](const Case& c) { return SoftExtended(c.d).Bits(); },
         [](const Case& c) { return reference::Bits(c.d); },
         [](const Case& c) {
             Mpfr x;
             mpfr_set_d(x.get(), c.d, MPFR_RNDN);
             return x.Bits();
         }},
        {"from int64",
         [](Operands& o, Kind kind) {
             constexpr std::int64_t extremes[] = {0, 1, std::numeric_limits<std::int64_t>::min(),
                                                  std::numeric_limits<std::int64_t>::max()};
             Case c;
             c.n = kind == Special ? extremes[o.Bits() % 4]
                                   : static_cast<std::int64_t>(o.Bits() >> o.Between(0, 63));
             c.n = kind != Special && o.Coin() ? -c.n : c.n;
             return c;
         },
         [](const Case& c) { return SoftExtended(c.n).Bits(); },
         [](const Case& c) { return reference::Bits(static_cast<long double>(c.n)); },
         [](const Case& c) {
             Mpfr x;
             mpfr_set_sj(x.get(), c.n, MPFR_RNDN);
             return x.Bits();
         }},
        {"llrint", unary(ToInteger), [](const Case& c) { return Of(llrint(Soft(c.a))); },
         [](const Case& c) { return Of(std::int64_t{std::llrint(X87(c.a))}); }, MpfrLlrint},
        // What static_cast<int> does: towards zero.
        {"truncate", unary(ToIntegerInRange),
         [](const Case& c) { return Of(static_cast<std::int64_t>(Soft(c.a))); },
         [](const Case& c) { return Of(static_cast<std::int64_t>(X87(c.a))); },
         [](const Case& c) { return Of(std::int64_t{mpfr_get_sj(Mpfr(c.a).get(), MPFR_RNDZ)}); }},
        {"floor", unary(ToInteger), [](const Case& c) { return floor(Soft(c.a)).Bits(); },
         [](const Case& c) { return reference::Bits(std::floor(X87(c.a))); },
         [](const Case& c) {
             return ViaMpfr([](mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t) { return mpfr_floor(r, x); },
                            c.a);
         }},
        {"ilogb", unary(ToInteger),
         [](const Case& c) { return Of(std::int64_t{ilogb(Soft(c.a))}); },
         [](const Case& c) { return Of(std::int64_t{std::ilogb(X87(c.a))}); }, MpfrILogB},
        {"compare",
         [](Operands& o, Kind kind) {
             Case c = BinaryCase(o, kind, '+');
             if (o.Bits() % 4 == 0)  // equal values; zeros of either sign
                 c.b = c.a.significand == 0 ? Outcome{static_cast<std::uint16_t>(
                                                          c.a.signExponent ^ ExtendedBits::SignBit),
                                                      0}
                                            : c.a;
             return c;
         },
         [](const Case& c) { return Of(Soft(c.a) <=> Soft(c.b)); },
         [](const Case& c) { return Of(X87(c.a) <=> X87(c.b)); }, MpfrCompare, true},
    };
}

long CaseCount()
{
    const char* text = std::getenv("BUTTERWORTH3_EXTENDED_CASES");
    return text != nullptr ? std::strtol(text, nullptr, 10) : 1'000'000;
}

class SoftExtendedOperation : public ::testing::TestWithParam<Operation> {
protected:
    static void SetUpTestSuite() { Mpfr::SetX87Range(); }
};

TEST_P(SoftExtendedOperation, GivesTheX87sBitsAndMpfrsValue)
{
    const Operation& operation = GetParam();
    Operands operands(std::hash<std::string>{}(operation.name));
    std::array<long, KindCount> generated{}, againstX87{}, againstMpfr{};
    long differing = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < CaseCount(); ++i) {
        const auto kind = static_cast<Kind>(i % KindCount);
        const Case c = operation.generate(operands, kind);
        const Outcome soft = operation.soft(c);
        const bool nan = c.a.IsNaN() || c.b.IsNaN() || std::isnan(c.d);
        ++generated[kind];
        const auto check = [&](const char* name, const auto& expectedOf, long& count) {
            const Outcome expected = expectedOf(c);
            ++count;
            if (expected != soft && differing++ < 10)
                ADD_FAILURE() << operation.name << " (" << KindNames[kind] << ") of " << Hex(c.a)
                              << ", " << Hex(c.b) << ", double " << c.d << ", int " << c.n << ": "
                              << Hex(soft) << " instead of " << name << "'s " << Hex(expected);
        };
        if (HOST_HAS_X87)
            check("x87", operation.x87, againstX87[kind]);
        if (!nan || operation.mpfrTakesNaN)
            check("MPFR", operation.mpfr, againstMpfr[kind]);
    }
    std::printf("%-11s %ld cases in %.2f s; by kind, cases (against the x87, against MPFR):\n",
                operation.name, CaseCount(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    for (int kind = 0; kind < KindCount; ++kind)
        std::printf("    %-12s %7ld (%7ld, %7ld)\n", KindNames[kind], generated[kind],
                    againstX87[kind], againstMpfr[kind]);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(againstMpfr[Ordinary], 0) << "no reference was asked";
}

INSTANTIATE_TEST_SUITE_P(AllOperations, SoftExtendedOperation, ::testing::ValuesIn(Operations()),
                         [](const ::testing::TestParamInfo<Operation>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

}  // namespace
