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
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "calc/soft_extended.h"
#include "extended_references.h"

namespace {

using calc::ExtendedBits;
using calc::SoftExtended;
using reference::Indefinite;

// What an operation gives: an extended value, a double, or an integer, as bits.
struct Outcome {
    std::uint16_t high = 0;
    std::uint64_t low = 0;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome Of(ExtendedBits bits)
{
    return {bits.signExponent, bits.significand};
}
Outcome Of(double d)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return {0, bits};
}
Outcome Of(std::int64_t n)
{
    return {0, static_cast<std::uint64_t>(n)};
}
Outcome Of(std::partial_ordering order)
{
    return {0, order == std::partial_ordering::less         ? 1u
               : order == std::partial_ordering::greater    ? 2u
               : order == std::partial_ordering::equivalent ? 3u
                                                            : 4u};
}

std::string Hex(ExtendedBits bits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04x:%016llx", bits.signExponent,
                  static_cast<unsigned long long>(bits.significand));
    return text;
}
std::string Hex(Outcome outcome)
{
    return Hex(ExtendedBits{outcome.high, outcome.low});
}

enum class Kind { Ordinary, DoubleRange, Overflow, Denormal, Tie, Special };
constexpr std::array<Kind, 6> AllKinds = {Kind::Ordinary, Kind::DoubleRange, Kind::Overflow,
                                          Kind::Denormal, Kind::Tie,         Kind::Special};
const char* KindName(Kind kind)
{
    constexpr const char* names[] = {"ordinary", "double range", "overflow",
                                     "denormal", "tie",          "special"};
    return names[static_cast<int>(kind)];
}

// One case: up to two operands as bits, or a double or an integer to convert.
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

    // A normal value with a random significand and an unbiased exponent in [low, high].
    ExtendedBits Normal(int low, int high)
    {
        const int biased = Between(low, high) + ExtendedBits::Bias;
        return {Signed(static_cast<std::uint16_t>(biased)), random_() | ExtendedBits::IntegerBit};
    }
    // A significand with only its top `bits` bits random: products and sums stay short.
    ExtendedBits Short(int bits, int low, int high)
    {
        ExtendedBits x = Normal(low, high);
        x.significand = (x.significand >> (64 - bits) << (64 - bits)) | ExtendedBits::IntegerBit;
        return x;
    }
    ExtendedBits Denormal() { return {Signed(0), random_() >> Between(1, 63)}; }
    ExtendedBits Tiny() { return Coin() ? Denormal() : Normal(-16382, -16300); }
    ExtendedBits Huge() { return Normal(16300, 16383); }
    ExtendedBits DoubleValue()
    {
        const double d = std::bit_cast<double>(random_());
        return std::isfinite(d) ? SoftExtended(d).Bits() : Normal(-1074, 1023);
    }
    ExtendedBits Special(bool nan)
    {
        const std::array<ExtendedBits, 8> values = {{
            {0, 0},
            {ExtendedBits::MaxExponent, ExtendedBits::IntegerBit},
            {ExtendedBits::MaxExponent - 1, ~std::uint64_t{0}},
            {1, ExtendedBits::IntegerBit},
            {0, 1},
            {0, ExtendedBits::IntegerBit - 1},
            {ExtendedBits::Bias, ExtendedBits::IntegerBit},
            {ExtendedBits::Bias + 63, ExtendedBits::IntegerBit},
        }};
        if (nan && random_() % 9 == 0)  // a quiet NaN with a random payload
            return {Signed(ExtendedBits::MaxExponent), random_() | std::uint64_t{3} << 62};
        ExtendedBits x = values[random_() % values.size()];
        x.signExponent = Signed(x.signExponent);
        return x;
    }
    ExtendedBits Any(bool nan)
    {
        switch (random_() % 4) {
        case 0: return Normal(-80, 80);
        case 1: return Tiny();
        case 2: return Huge();
        default: return Special(nan);
        }
    }

private:
    std::uint16_t Signed(std::uint16_t word)
    {
        return Coin() ? word | ExtendedBits::SignBit : word;
    }

    std::mt19937_64 random_;
};

int UnbiasedExponent(ExtendedBits x)
{
    return x.BiasedExponent() - ExtendedBits::Bias;
}

// A significand whose lowest `bits` bits are 100..0: exactly halfway when they are cut.
ExtendedBits HalfwayBelow(ExtendedBits x, int bits)
{
    const std::uint64_t low = std::uint64_t{1} << (bits - 1);
    x.significand = (x.significand & ~(low * 2 - 1)) | low | ExtendedBits::IntegerBit;
    return x;
}

struct Operation {
    const char* name;
    std::function<Case(Operands&, Kind)> generate;
    std::function<Outcome(const Case&)> soft;
    std::function<std::optional<Outcome>(const Case&)> x87;   // nullopt: not checked
    std::function<std::optional<Outcome>(const Case&)> mpfr;  // nullopt: not checked
};

void PrintTo(const Operation& operation, std::ostream* out)
{
    *out << operation.name;
}

// --- Operand generation ----------------------------------------------------------------

Case BinaryCase(Operands& o, Kind kind, char op)
{
    Case c;
    switch (kind) {
    case Kind::Ordinary:
        c.a = o.Normal(-70, 70);
        c.b = o.Normal(-70, 70);
        if (op == '+' && o.Coin())  // close magnitudes: cancellation
            c.b = {static_cast<std::uint16_t>(c.a.signExponent ^ ExtendedBits::SignBit),
                   c.a.significand ^ (o.Bits() >> o.Between(1, 63))};
        break;
    case Kind::DoubleRange:
        c.a = o.DoubleValue();
        c.b = o.DoubleValue();
        break;
    case Kind::Overflow:
        c.a = o.Huge();
        c.b = op == '/' ? o.Normal(-16382, -16200) : op == '*' ? o.Normal(0, 400) : o.Huge();
        if (op == '*' && o.Coin())
            c.b = o.Huge();
        break;
    case Kind::Denormal:
        c.a = o.Tiny();
        c.b = op == '+' ? o.Tiny() : op == '*' ? o.Normal(-100, 10) : o.Normal(-10, 100);
        if (op == '*' && o.Coin()) {  // two small normals whose product is a denormal
            c.a = o.Normal(-8300, -8100);
            c.b = o.Normal(-8300, -8100);
        }
        break;
    case Kind::Tie:
        if (op == '+') {
            // Half a unit in the last place of a, or an odd multiple of it.
            c.a = o.Normal(-60, 60);
            const int shift = o.Between(64, 66);
            c.b = {static_cast<std::uint16_t>((o.Coin() ? ExtendedBits::SignBit : 0) |
                                              (c.a.BiasedExponent() - shift)),
                   o.Coin() ? ExtendedBits::IntegerBit : std::uint64_t{3} << 62};
        } else if (op == '*' && o.Coin()) {
            // 33-bit by 32-bit significands: 64 or 65 bits of product, often a tie.
            c.a = o.Short(33, -60, 60);
            c.b = o.Short(32, -60, 60);
        } else {
            // A denormal result whose cut bits are exactly a half: a scaled down by 2^k,
            // as a product with 2^-k or a quotient by 2^k.
            const int cut = o.Between(1, 63);
            c.a = HalfwayBelow(o.Normal(-100, 1 - cut), cut);
            if (o.Bits() % 8 == 0)  // all ones: rounding carries, up to the smallest normal
                c.a.significand = ~std::uint64_t{0};
            const int k = UnbiasedExponent(c.a) + 16382 + cut;
            c.b = {static_cast<std::uint16_t>(ExtendedBits::Bias + (op == '*' ? -k : k)),
                   ExtendedBits::IntegerBit};
            if (op == '*' && c.b.BiasedExponent() < 1)
                c.b = {1, ExtendedBits::IntegerBit};
        }
        break;
    case Kind::Special:
        c.a = o.Special(true);
        c.b = o.Coin() ? o.Special(c.a.IsNaN() ? false : true) : o.Any(!c.a.IsNaN());
        if (o.Coin())
            std::swap(c.a, c.b);
        break;
    }
    return c;
}

// Values around the double's range, denormals and halfway points when rounded to double.
Case ToDoubleCase(Operands& o, Kind kind)
{
    Case c;
    switch (kind) {
    case Kind::Ordinary: c.a = o.Normal(-100, 100); break;
    case Kind::DoubleRange: c.a = o.Normal(-1080, 1030); break;
    case Kind::Overflow: c.a = o.Normal(1020, 16383); break;
    case Kind::Denormal: c.a = o.Coin() ? o.Normal(-1140, -1020) : o.Tiny(); break;
    case Kind::Tie: {
        // 11 bits cut for a normal double, more for a denormal one.
        const bool denormal = o.Coin();
        c.a = o.Normal(denormal ? -1085 : -1000, denormal ? -1023 : 1023);
        const int cut = denormal ? 11 + (-1022 - UnbiasedExponent(c.a)) : 11;
        c.a = HalfwayBelow(c.a, std::min(cut, 64));
        break;
    }
    case Kind::Special: c.a = o.Special(true); break;
    }
    return c;
}

Case FromDoubleCase(Operands& o, Kind kind)
{
    Case c;
    switch (kind) {
    case Kind::Special: {
        constexpr double values[] = {0.0,
                                     -0.0,
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::max(),
                                     std::numeric_limits<double>::denorm_min(),
                                     std::numeric_limits<double>::min()};
        c.d = values[o.Bits() % std::size(values)];
        if (o.Bits() % 5 == 0)  // a NaN with a payload
            c.d = std::bit_cast<double>(std::uint64_t{0x7ff8} << 48 | (o.Bits() >> 16));
        break;
    }
    case Kind::Denormal: c.d = std::bit_cast<double>(o.Bits() >> 12 >> o.Between(0, 52)); break;
    case Kind::Overflow:
        c.d =
            std::ldexp(1.0 + static_cast<double>(o.Bits() >> 12) * 0x1p-52, o.Between(1000, 1023));
        break;
    default: c.d = static_cast<double>(SoftExtended::FromBits(o.DoubleValue())); break;
    }
    if (o.Coin())
        c.d = -c.d;
    return c;
}

Case FromIntegerCase(Operands& o, Kind kind)
{
    Case c;
    constexpr std::int64_t extremes[] = {0, 1, -1, std::numeric_limits<std::int64_t>::min(),
                                         std::numeric_limits<std::int64_t>::max()};
    c.n = kind == Kind::Special ? extremes[o.Bits() % std::size(extremes)]
                                : static_cast<std::int64_t>(o.Bits() >> o.Between(0, 63));
    if (kind != Kind::Special && o.Coin())
        c.n = -c.n;
    return c;
}

// Around the integers: fractions, exact halves, and values beyond 2^63.
Case ToIntegerCase(Operands& o, Kind kind, bool inRangeOnly)
{
    Case c;
    switch (kind) {
    case Kind::Ordinary: c.a = o.Normal(-3, 62); break;
    case Kind::DoubleRange: c.a = o.DoubleValue(); break;
    case Kind::Overflow: c.a = o.Normal(62, inRangeOnly ? 62 : 200); break;
    case Kind::Denormal: c.a = o.Tiny(); break;
    case Kind::Tie: {
        c.a = o.Normal(-1, 62);
        const int fractionBits = 63 - UnbiasedExponent(c.a);
        c.a = HalfwayBelow(c.a, fractionBits);
        break;
    }
    case Kind::Special: c.a = o.Special(!inRangeOnly); break;
    }
    if (inRangeOnly && UnbiasedExponent(c.a) >= 63)
        c.a = {0, 0};
    return c;
}

// --- The references ----------------------------------------------------------------------

using reference::X87;

template <typename Function>
std::optional<Outcome> ViaX87([[maybe_unused]] Function function)
{
#if HOST_HAS_X87
    return function();
#else
    return std::nullopt;
#endif
}

using reference::Mpfr;

// An MPFR operation on operands converted exactly, rounded as the x87 rounds. NaN
// operands are left to the x87 reference: MPFR keeps no payload.
std::optional<Outcome> MpfrBinary(const Case& c,
                                  int (*operation)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t))
{
    if (c.a.IsNaN() || c.b.IsNaN())
        return std::nullopt;
    const Mpfr a(c.a);
    const Mpfr b(c.b);
    Mpfr result;
    result.Subnormalize(operation(result.get(), a.get(), b.get(), MPFR_RNDN));
    return Of(result.Bits());
}

template <typename Function>
std::optional<Outcome> ViaMpfr(Function function)
{
    return function();
}

SoftExtended Soft(ExtendedBits bits)
{
    return SoftExtended::FromBits(bits);
}

Operation Binary(const char* name, char op)
{
    const auto soft = [op](const Case& c) {
        const SoftExtended a = Soft(c.a), b = Soft(c.b);
        return Of((op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b : a / b).Bits());
    };
    const auto x87 = [op](const Case& c) {
        return ViaX87([&] {
            const long double a = X87(c.a), b = X87(c.b);
            return Of(reference::Bits(op == '+'   ? a + b
                                      : op == '-' ? a - b
                                      : op == '*' ? a * b
                                                  : a / b));
        });
    };
    const auto mpfr = [op](const Case& c) {
        return ViaMpfr([&]() -> std::optional<Outcome> {
            return MpfrBinary(c, op == '+'   ? mpfr_add
                                 : op == '-' ? mpfr_sub
                                 : op == '*' ? mpfr_mul
                                             : mpfr_div);
        });
    };
    const char generatorOp = op == '-' ? '+' : op;
    return {name,
            [generatorOp](Operands& o, Kind kind) { return BinaryCase(o, kind, generatorOp); },
            soft, x87, mpfr};
}

std::vector<Operation> Operations()
{
    std::vector<Operation> operations = {Binary("add", '+'), Binary("subtract", '-'),
                                         Binary("multiply", '*'), Binary("divide", '/')};

    operations.push_back(
        {"to double", ToDoubleCase,
         [](const Case& c) { return Of(static_cast<double>(Soft(c.a))); },
         [](const Case& c) { return ViaX87([&] { return Of(static_cast<double>(X87(c.a))); }); },
         [](const Case& c) {
             return ViaMpfr([&]() -> std::optional<Outcome> {
                 if (c.a.IsNaN())
                     return std::nullopt;
                 return Of(mpfr_get_d(Mpfr(c.a).get(), MPFR_RNDN));
             });
         }});

    operations.push_back(
        {"from double", FromDoubleCase, [](const Case& c) { return Of(SoftExtended(c.d).Bits()); },
         [](const Case& c) { return ViaX87([&] { return Of(reference::Bits(c.d)); }); },
         [](const Case& c) {
             return ViaMpfr([&]() -> std::optional<Outcome> {
                 if (std::isnan(c.d))
                     return std::nullopt;
                 Mpfr x;
                 mpfr_set_d(x.get(), c.d, MPFR_RNDN);
                 return Of(x.Bits());
             });
         }});

    operations.push_back(
        {"from int64", FromIntegerCase, [](const Case& c) { return Of(SoftExtended(c.n).Bits()); },
         [](const Case& c) {
             return ViaX87([&] { return Of(reference::Bits(static_cast<long double>(c.n))); });
         },
         [](const Case& c) {
             return ViaMpfr([&]() -> std::optional<Outcome> {
                 Mpfr x;
                 mpfr_set_sj(x.get(), c.n, MPFR_RNDN);
                 return Of(x.Bits());
             });
         }});

    operations.push_back(
        {"llrint", [](Operands& o, Kind kind) { return ToIntegerCase(o, kind, false); },
         [](const Case& c) { return Of(llrint(Soft(c.a))); },
         [](const Case& c) {
             return ViaX87([&] { return Of(static_cast<std::int64_t>(std::llrint(X87(c.a)))); });
         },
         [](const Case& c) {
             return ViaMpfr([&]() -> std::optional<Outcome> {
                 if (c.a.IsNaN())
                     return std::nullopt;
                 const Mpfr x(c.a);
                 Mpfr rounded;
                 mpfr_rint(rounded.get(), x.get(), MPFR_RNDN);
                 if (mpfr_inf_p(rounded.get()) || !mpfr_fits_intmax_p(rounded.get(), MPFR_RNDN))
                     return Of(std::numeric_limits<std::int64_t>::min());
                 return Of(static_cast<std::int64_t>(mpfr_get_sj(rounded.get(), MPFR_RNDN)));
             });
         }});

    // The conversion that static_cast<int> makes: towards zero, in range only.
    operations.push_back(
        {"truncate", [](Operands& o, Kind kind) { return ToIntegerCase(o, kind, true); },
         [](const Case& c) { return Of(static_cast<std::int64_t>(Soft(c.a))); },
         [](const Case& c) {
             return ViaX87([&] { return Of(static_cast<std::int64_t>(X87(c.a))); });
         },
         [](const Case& c) {
             return ViaMpfr([&]() -> std::optional<Outcome> {
                 return Of(static_cast<std::int64_t>(mpfr_get_sj(Mpfr(c.a).get(), MPFR_RNDZ)));
             });
         }});

    operations.push_back(
        {"floor", [](Operands& o, Kind kind) { return ToIntegerCase(o, kind, false); },
         [](const Case& c) { return Of(floor(Soft(c.a)).Bits()); },
         [](const Case& c) {
             return ViaX87([&] { return Of(reference::Bits(std::floor(X87(c.a)))); });
         },
         [](const Case& c) {
             return ViaMpfr([&]() -> std::optional<Outcome> {
                 if (c.a.IsNaN())
                     return std::nullopt;
                 Mpfr result;
                 mpfr_floor(result.get(), Mpfr(c.a).get());
                 return Of(result.Bits());
             });
         }});

    operations.push_back({"ilogb",
                          [](Operands& o, Kind kind) { return ToIntegerCase(o, kind, false); },
                          [](const Case& c) { return Of(std::int64_t{ilogb(Soft(c.a))}); },
                          [](const Case& c) {
                              return ViaX87([&] { return Of(std::int64_t{std::ilogb(X87(c.a))}); });
                          },
                          [](const Case& c) {
                              return ViaMpfr([&]() -> std::optional<Outcome> {
                                  const Mpfr x(c.a);
                                  if (mpfr_nan_p(x.get()))
                                      return Of(std::int64_t{FP_ILOGBNAN});
                                  if (mpfr_inf_p(x.get()))
                                      return Of(std::int64_t{INT_MAX});
                                  if (mpfr_zero_p(x.get()))
                                      return Of(std::int64_t{FP_ILOGB0});
                                  return Of(std::int64_t{mpfr_get_exp(x.get()) - 1});
                              });
                          }});

    operations.push_back(
        {"compare",
         [](Operands& o, Kind kind) {
             Case c = BinaryCase(o, kind, '+');
             if (o.Bits() % 4 == 0)  // equal values, zeros of both signs among them
                 c.b = c.a.significand == 0
                           ? ExtendedBits{static_cast<std::uint16_t>(c.a.signExponent ^
                                                                     ExtendedBits::SignBit),
                                          0}
                           : c.a;
             return c;
         },
         [](const Case& c) { return Of(Soft(c.a) <=> Soft(c.b)); },
         [](const Case& c) {
             return ViaX87([&] {
                 const long double a = X87(c.a), b = X87(c.b);
                 return Of(a < b    ? std::partial_ordering::less
                           : a > b  ? std::partial_ordering::greater
                           : a == b ? std::partial_ordering::equivalent
                                    : std::partial_ordering::unordered);
             });
         },
         [](const Case& c) {
             return ViaMpfr([&]() -> std::optional<Outcome> {
                 const Mpfr a(c.a), b(c.b);
                 if (mpfr_unordered_p(a.get(), b.get()))
                     return Of(std::partial_ordering::unordered);
                 const int order = mpfr_cmp(a.get(), b.get());
                 return Of(order < 0   ? std::partial_ordering::less
                           : order > 0 ? std::partial_ordering::greater
                                       : std::partial_ordering::equivalent);
             });
         }});
    return operations;
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
    const long count = CaseCount();
    Operands operands(0x5eed + std::hash<std::string>{}(operation.name));
    std::array<long, AllKinds.size()> generated{}, againstX87{}, againstMpfr{};
    int shown = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        const Kind kind = AllKinds[static_cast<std::size_t>(i) % AllKinds.size()];
        const Case c = operation.generate(operands, kind);
        const Outcome soft = operation.soft(c);
        const auto k = static_cast<std::size_t>(kind);
        ++generated[k];
        for (const auto& [name, check, tally] :
             {std::tuple{"x87", &operation.x87, &againstX87},
              std::tuple{"MPFR", &operation.mpfr, &againstMpfr}}) {
            const std::optional<Outcome> expected = (*check)(c);
            if (!expected)
                continue;
            ++(*tally)[k];
            if (*expected != soft && shown++ < 10)
                ADD_FAILURE() << operation.name << " (" << KindName(kind) << ") of " << Hex(c.a)
                              << ", " << Hex(c.b) << " (double " << c.d << ", int " << c.n
                              << "): " << Hex(soft) << " instead of " << name << "'s "
                              << Hex(*expected);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-12s %ld cases in %.2f s; checked against the x87 %ld, against MPFR %ld\n",
                operation.name, count, seconds,
                std::accumulate(againstX87.begin(), againstX87.end(), 0L),
                std::accumulate(againstMpfr.begin(), againstMpfr.end(), 0L));
    for (const Kind kind : AllKinds) {
        const auto k = static_cast<std::size_t>(kind);
        std::printf("    %-13s %8ld (x87 %8ld, MPFR %8ld)\n", KindName(kind), generated[k],
                    againstX87[k], againstMpfr[k]);
    }
    EXPECT_EQ(shown, 0) << "cases that differ";
    // Without a reference the test proves nothing: at least one must have run.
    EXPECT_GT(againstX87[0] + againstMpfr[0], 0);
}

INSTANTIATE_TEST_SUITE_P(AllOperations, SoftExtendedOperation, ::testing::ValuesIn(Operations()),
                         [](const ::testing::TestParamInfo<Operation>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

}  // namespace
