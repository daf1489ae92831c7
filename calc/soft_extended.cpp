// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Compiled wherever unsigned __int128 exists, so that its tests run beside the x87 too.
#ifdef __SIZEOF_INT128__

#include "calc/soft_extended.h"

#include <bit>
#include <climits>
#include <cmath>
#include <cstring>

namespace calc {

namespace {

using Wide = unsigned __int128;

constexpr std::uint64_t Half = std::uint64_t{1} << 63;
constexpr int MinExponent = 1 - ExtendedBits::Bias;  // of the smallest normal value
constexpr ExtendedBits Indefinite = {0xffff, std::uint64_t{3} << 62};  // the x87's NaN
constexpr std::uint64_t QuietBit = std::uint64_t{1} << 62;

std::uint16_t SignWord(bool negative)
{
    return negative ? ExtendedBits::SignBit : 0;
}

ExtendedBits Zero(bool negative)
{
    return {SignWord(negative), 0};
}

ExtendedBits Infinity(bool negative)
{
    return {static_cast<std::uint16_t>(SignWord(negative) | ExtendedBits::MaxExponent),
            ExtendedBits::IntegerBit};
}

bool IsZero(ExtendedBits x)
{
    return x.BiasedExponent() == 0 && x.significand == 0;
}

// A finite non-zero value as significand * 2^(exponent - 63), the significand's top bit
// set: denormals are normalised, so the exponent may lie below MinExponent.
struct Unpacked {
    bool negative;
    int exponent;
    std::uint64_t significand;
};

Unpacked Unpack(ExtendedBits x)
{
    if (x.BiasedExponent() == 0) {
        const int shift = std::countl_zero(x.significand);
        return {x.Negative(), MinExponent - shift, x.significand << shift};
    }
    return {x.Negative(), x.BiasedExponent() - ExtendedBits::Bias, x.significand};
}

// x >> shift, with every bit shifted out or-ed into the lowest bit: rounding then still
// sees whether anything lay below.
Wide ShiftRightJam(Wide x, int shift)
{
    if (shift <= 0)
        return x;
    if (shift >= 128)
        return x != 0 ? 1 : 0;
    return (x >> shift) | ((x << (128 - shift)) != 0 ? 1 : 0);
}

int LeadingZeros(Wide x)
{
    const auto high = static_cast<std::uint64_t>(x >> 64);
    return high != 0 ? std::countl_zero(high)
                     : 64 + std::countl_zero(static_cast<std::uint64_t>(x));
}

// Rounds significand * 2^(exponent - 127) (top bit of the significand set, anything lost
// before jammed into its lowest bit) to the nearest value of the format, ties to even:
// a denormal below the normal range, infinity above it.
ExtendedBits Round(bool negative, int exponent, Wide significand)
{
    int biased = exponent + ExtendedBits::Bias;
    if (biased < 1)
        significand = ShiftRightJam(significand, 1 - biased);
    auto kept = static_cast<std::uint64_t>(significand >> 64);
    const auto rest = static_cast<std::uint64_t>(significand);
    if (rest > Half || (rest == Half && (kept & 1) != 0)) {
        ++kept;
        if (kept == 0) {  // carried out of the significand
            kept = ExtendedBits::IntegerBit;
            ++biased;
        }
    }
    if (biased < 1)  // a denormal, or the smallest normal value that rounding reached
        biased = (kept & ExtendedBits::IntegerBit) != 0 ? 1 : 0;
    if (biased >= ExtendedBits::MaxExponent)
        return Infinity(negative);
    return {static_cast<std::uint16_t>(SignWord(negative) | biased), kept};
}

// The x87's choice among NaN operands: the one with the larger significand, made quiet.
ExtendedBits PropagateNaN(ExtendedBits a, ExtendedBits b)
{
    ExtendedBits nan = a;
    if (!a.IsNaN() || (b.IsNaN() && b.significand > a.significand))
        nan = b;
    nan.significand |= QuietBit;
    return nan;
}

}  // namespace

SoftExtended::SoftExtended(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const auto exponent = static_cast<int>(bits >> 52 & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0x7ff) {
        bits_ = Infinity(negative);
        if (fraction != 0)
            bits_.significand |= fraction << 11 | QuietBit;
    } else if (exponent == 0 && fraction == 0) {
        bits_ = Zero(negative);
    } else if (exponent == 0) {  // a double's denormal is a normal extended value
        const int shift = std::countl_zero(fraction);
        bits_ = {
            static_cast<std::uint16_t>(SignWord(negative) | (ExtendedBits::Bias - 1011 - shift)),
            fraction << shift};
    } else {
        bits_ = {
            static_cast<std::uint16_t>(SignWord(negative) | (exponent - 1023 + ExtendedBits::Bias)),
            ExtendedBits::IntegerBit | fraction << 11};
    }
}

SoftExtended::operator double() const
{
    const bool negative = bits_.Negative();
    std::uint64_t bits = negative ? std::uint64_t{1} << 63 : 0;
    if (bits_.BiasedExponent() == ExtendedBits::MaxExponent) {
        bits |= std::uint64_t{0x7ff} << 52;
        if (bits_.IsNaN())
            bits |= (bits_.significand >> 11 & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1}
                                                                                     << 51;
    } else if (!IsZero(bits_)) {
        const Unpacked x = Unpack(bits_);
        if (x.exponent > 1023) {
            bits |= std::uint64_t{0x7ff} << 52;
        } else {
            // 53 bits are kept, fewer for a double's denormal; exponent 0 is the denormals'.
            const int biased = x.exponent + 1023;
            const Wide shifted =
                ShiftRightJam(Wide{x.significand} << 64, 11 + (biased < 1 ? 1 - biased : 0));
            auto kept = static_cast<std::uint64_t>(shifted >> 64);
            const auto rest = static_cast<std::uint64_t>(shifted);
            if (rest > Half || (rest == Half && (kept & 1) != 0))
                ++kept;
            // The integer bit adds one to the exponent field, and a carry out of the
            // fraction another, so both fall into place; 2047 is infinity.
            bits += (static_cast<std::uint64_t>(biased < 1 ? 0 : biased - 1) << 52) + kept;
        }
    }
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

SoftExtended SoftExtended::Add(SoftExtended a, SoftExtended b, bool subtract)
{
    const ExtendedBits x = a.bits_;
    ExtendedBits y = b.bits_;
    if (x.IsNaN() || y.IsNaN())  // a NaN keeps its sign, even subtracted
        return FromBits(PropagateNaN(x, y));
    if (subtract)
        y.signExponent ^= ExtendedBits::SignBit;
    if (x.IsInfinity())
        return FromBits(y.IsInfinity() && y.Negative() != x.Negative() ? Indefinite : x);
    if (y.IsInfinity())
        return FromBits(y);
    if (IsZero(x))
        return FromBits(IsZero(y) ? Zero(x.Negative() && y.Negative()) : y);
    if (IsZero(y))
        return FromBits(x);

    Unpacked big = Unpack(x);
    Unpacked small = Unpack(y);
    if (big.exponent < small.exponent ||
        (big.exponent == small.exponent && big.significand < small.significand))
        std::swap(big, small);
    // Both at bit 126, one bit of headroom for the carry of a sum.
    const Wide bigPart = Wide{big.significand} << 63;
    const Wide smallPart =
        ShiftRightJam(Wide{small.significand} << 63, big.exponent - small.exponent);
    const Wide sum = big.negative == small.negative ? bigPart + smallPart : bigPart - smallPart;
    if (sum == 0)
        return FromBits(Zero(false));
    const int shift = LeadingZeros(sum);
    return FromBits(Round(big.negative, big.exponent + 1 - shift, sum << shift));
}

SoftExtended SoftExtended::Multiply(SoftExtended a, SoftExtended b)
{
    const ExtendedBits x = a.bits_;
    const ExtendedBits y = b.bits_;
    const bool negative = x.Negative() != y.Negative();
    if (x.IsNaN() || y.IsNaN())
        return FromBits(PropagateNaN(x, y));
    if (x.IsInfinity() || y.IsInfinity())
        return FromBits(IsZero(x) || IsZero(y) ? Indefinite : Infinity(negative));
    if (IsZero(x) || IsZero(y))
        return FromBits(Zero(negative));

    const Unpacked u = Unpack(x);
    const Unpacked v = Unpack(y);
    const Wide product = Wide{u.significand} * v.significand;  // top bit 127 or 126
    const int shift = LeadingZeros(product);
    return FromBits(Round(negative, u.exponent + v.exponent + 1 - shift, product << shift));
}

SoftExtended SoftExtended::Divide(SoftExtended a, SoftExtended b)
{
    const ExtendedBits x = a.bits_;
    const ExtendedBits y = b.bits_;
    const bool negative = x.Negative() != y.Negative();
    if (x.IsNaN() || y.IsNaN())
        return FromBits(PropagateNaN(x, y));
    if (x.IsInfinity())
        return FromBits(y.IsInfinity() ? Indefinite : Infinity(negative));
    if (y.IsInfinity())
        return FromBits(Zero(negative));
    if (IsZero(y))
        return FromBits(IsZero(x) ? Indefinite : Infinity(negative));
    if (IsZero(x))
        return FromBits(Zero(negative));

    const Unpacked u = Unpack(x);
    const Unpacked v = Unpack(y);
    // A 64-bit quotient with its top bit set, then one more bit and whether any remain.
    const bool smaller = u.significand < v.significand;
    const Wide numerator = Wide{u.significand} << (smaller ? 64 : 63);
    const auto quotient = static_cast<std::uint64_t>(numerator / v.significand);
    const Wide remainder = (numerator - Wide{quotient} * v.significand) << 1;
    const bool half = remainder >= v.significand;
    const bool more = (half ? remainder - v.significand : remainder) != 0;
    const Wide significand = Wide{quotient} << 64 | Wide{half} << 63 | Wide{more};
    return FromBits(Round(negative, u.exponent - v.exponent - (smaller ? 1 : 0), significand));
}

std::partial_ordering SoftExtended::Compare(SoftExtended a, SoftExtended b)
{
    const ExtendedBits x = a.bits_;
    const ExtendedBits y = b.bits_;
    if (x.IsNaN() || y.IsNaN())
        return std::partial_ordering::unordered;
    if (IsZero(x) && IsZero(y))
        return std::partial_ordering::equivalent;
    if (x.Negative() != y.Negative())
        return x.Negative() ? std::partial_ordering::less : std::partial_ordering::greater;
    // Exponent and significand together order the magnitudes of canonical encodings.
    const Wide magnitudeX =
        Wide{static_cast<std::uint64_t>(x.BiasedExponent())} << 64 | x.significand;
    const Wide magnitudeY =
        Wide{static_cast<std::uint64_t>(y.BiasedExponent())} << 64 | y.significand;
    return x.Negative() ? magnitudeY <=> magnitudeX : magnitudeX <=> magnitudeY;
}

SoftExtended SoftExtended::Floor(SoftExtended x)
{
    const ExtendedBits bits = x.bits_;
    if (bits.IsNaN())
        return FromBits(PropagateNaN(bits, bits));
    if (bits.IsInfinity() || IsZero(bits))
        return x;
    const Unpacked u = Unpack(bits);
    if (u.exponent >= 63)  // no fraction bits
        return x;
    if (u.exponent < 0)
        return u.negative ? SoftExtended(-1) : SoftExtended(0);
    std::uint64_t whole = u.significand >> (63 - u.exponent);
    const bool fraction = (u.significand << (u.exponent + 1)) != 0;
    if (u.negative && fraction)
        ++whole;
    return FromInteger(u.negative, whole);
}

int SoftExtended::ILogB(SoftExtended x)
{
    const ExtendedBits bits = x.bits_;
    if (bits.IsNaN())
        return FP_ILOGBNAN;
    if (bits.IsInfinity())
        return INT_MAX;
    if (IsZero(bits))
        return FP_ILOGB0;
    return Unpack(bits).exponent;
}

std::int64_t SoftExtended::RoundToInt64(SoftExtended x)
{
    constexpr auto indefinite = std::numeric_limits<std::int64_t>::min();
    const ExtendedBits bits = x.bits_;
    if (bits.BiasedExponent() == ExtendedBits::MaxExponent)
        return indefinite;
    if (IsZero(bits))
        return 0;
    const Unpacked u = Unpack(bits);
    if (u.exponent >= 63)
        return indefinite;  // -2^63 itself is the same bits
    if (u.exponent < -1)
        return 0;
    const int shift = 63 - u.exponent;  // 1 to 64
    std::uint64_t whole = shift == 64 ? 0 : u.significand >> shift;
    const std::uint64_t rest = u.significand << (64 - shift);
    if (rest > Half || (rest == Half && (whole & 1) != 0))
        ++whole;
    if (whole >= Half)
        return indefinite;  // -2^63 itself is the same bits
    const auto magnitude = static_cast<std::int64_t>(whole);
    return u.negative ? -magnitude : magnitude;
}

std::int64_t SoftExtended::Truncate() const
{
    constexpr auto indefinite = std::numeric_limits<std::int64_t>::min();
    if (bits_.BiasedExponent() == ExtendedBits::MaxExponent)
        return indefinite;
    if (IsZero(bits_))
        return 0;
    const Unpacked u = Unpack(bits_);
    if (u.exponent >= 63)
        return indefinite;
    if (u.exponent < 0)
        return 0;
    const auto magnitude = static_cast<std::int64_t>(u.significand >> (63 - u.exponent));
    return u.negative ? -magnitude : magnitude;
}

}  // namespace calc

#endif  // __SIZEOF_INT128__
