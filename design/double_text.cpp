// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/double_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "design/big_integer.h"
#include "design/decimal.h"

namespace design {

namespace {

// The most significant digits a double has are 767, those of the largest subnormal,
// (2^52 - 1) 2^-1074; 774 is whole groups of nine.
constexpr int MaxDigits = 774;

// d1.d2d3...dn 10^exponent with d1 not 0 and no trailing zeros; zero has no digits.
struct Decimal {
    std::array<char, MaxDigits> digits;
    int count = 0;
    int exponent = 0;

    // The digit worth 10^position, '0' outside the digits.
    char DigitAt(int position) const
    {
        const int i = exponent - position;
        return i >= 0 && i < count ? digits[static_cast<std::size_t>(i)] : '0';
    }

    std::string_view Digits() const
    {
        return std::string_view(digits.data(), static_cast<std::size_t>(count));
    }
};

// Every finite double is m 2^e, a finite decimal fraction: m 2^e itself when e >= 0,
// m 5^-e 10^e otherwise. `x` is finite and not negative.
Decimal ExactDecimal(double x)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    long e = -1074;
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075L;
    }
    Decimal d;
    if (m == 0)
        return d;
    while ((m & 1) == 0) {
        m >>= 1;
        ++e;
    }
    BigInteger n(m);
    if (e >= 0)
        n.ShiftLeft(e);
    else
        n.MultiplyByPowerOf5(-e);

    // The integer's digits, nine at a time from the last, at the end of the array.
    int first = MaxDigits;
    while (!n.IsZero()) {
        if (first < 9)
            std::abort();  // more digits than a double has: a fault above
        std::uint32_t group = n.DivideBy(1'000'000'000);
        for (int i = 0; i < 9; ++i, group /= 10)
            d.digits[static_cast<std::size_t>(--first)] = static_cast<char>('0' + group % 10);
    }
    while (d.digits[static_cast<std::size_t>(first)] == '0')
        ++first;
    int last = MaxDigits;
    while (d.digits[static_cast<std::size_t>(last - 1)] == '0')
        --last;
    std::copy(d.digits.begin() + first, d.digits.begin() + last, d.digits.begin());
    d.count = last - first;
    d.exponent = MaxDigits - first - 1 + static_cast<int>(std::min(e, 0L));
    return d;
}

enum class Rounding { NearestEven, Down, Up };

// `d` without its digits below 10^lowest, rounded as `rounding` says.
void Round(Decimal& d, int lowest, Rounding rounding)
{
    const int kept = d.exponent - lowest + 1;
    if (kept >= d.count)
        return;  // nothing to drop
    // What is dropped is not zero: the digits have no trailing zeros.
    bool up = rounding == Rounding::Up;
    if (rounding == Rounding::NearestEven && kept >= 0) {
        const char next = d.digits[static_cast<std::size_t>(kept)];
        const bool beyondHalf = next > '5' || (next == '5' && kept + 1 < d.count);
        const bool half = next == '5' && kept + 1 == d.count;
        const bool odd = kept > 0 && (d.digits[static_cast<std::size_t>(kept - 1)] - '0') % 2 == 1;
        up = beyondHalf || (half && odd);
    }
    if (kept <= 0) {  // all dropped: 0 or one unit of 10^lowest
        d.count = up ? 1 : 0;
        d.digits[0] = '1';
        d.exponent = up ? lowest : 0;
        return;
    }
    d.count = kept;
    if (up) {
        int i = kept - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            --i;
        if (i < 0) {  // 9.99 to 10
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
            d.count = i + 1;
        }
    }
    while (d.count > 0 && d.digits[static_cast<std::size_t>(d.count - 1)] == '0')
        --d.count;
}

void AppendFixed(std::string& out, const Decimal& d, int decimals)
{
    for (int position = std::max(d.exponent, 0); position >= 0; --position)
        out += d.DigitAt(position);
    if (decimals > 0)
        out += '.';
    for (int position = -1; position >= -decimals; --position)
        out += d.DigitAt(position);
}

void AppendScientific(std::string& out, const Decimal& d, int decimals)
{
    out += d.count > 0 ? d.digits[0] : '0';
    if (decimals > 0)
        out += '.';
    for (int i = 1; i <= decimals; ++i)
        out += i < d.count ? d.digits[static_cast<std::size_t>(i)] : '0';
    out += d.exponent < 0 ? "e-" : "e+";
    const int exponent = std::abs(d.exponent);
    if (exponent < 10)
        out += '0';
    out += std::to_string(exponent);
}

// All of `d`'s digits and no more, in either notation.
void AppendAll(std::string& out, const Decimal& d, bool fixed)
{
    if (fixed)
        AppendFixed(out, d, std::max(d.count - 1 - d.exponent, 0));
    else
        AppendScientific(out, d, std::max(d.count - 1, 0));
}

bool ReadsBackAs(const Decimal& d, double x)
{
    return NearestDouble(d.Digits(), d.exponent - d.count + 1) == x;
}

// The fewest significant digits that read back as `x` (not zero), the nearest if two do.
// Only the two neighbours of x with n digits can read back (those further out lie further
// from x than one of them). If some n digits read back, so do n + 1 (the neighbour on
// their side is at least as near), so a bisection finds the fewest; 17 always do.
Decimal ShortestDigits(const Decimal& exact, double x)
{
    const auto neighbour = [&](int n, Rounding rounding) {
        Decimal d = exact;
        Round(d, exact.exponent - n + 1, rounding);
        return d;
    };
    const auto readBack = [&](int n) {
        return ReadsBackAs(neighbour(n, Rounding::Down), x) ||
               ReadsBackAs(neighbour(n, Rounding::Up), x);
    };
    int fewest = 1, enough = std::min(exact.count, 17);
    while (fewest < enough) {
        const int n = (fewest + enough) / 2;
        if (readBack(n))
            enough = n;
        else
            fewest = n + 1;
    }
    const Decimal nearest = neighbour(fewest, Rounding::NearestEven);
    if (ReadsBackAs(nearest, x))
        return nearest;
    const Decimal down = neighbour(fewest, Rounding::Down);
    return ReadsBackAs(down, x) ? down : neighbour(fewest, Rounding::Up);
}

// Characters in each notation of all of `d`'s digits (not zero), sign aside.
int FixedLength(const Decimal& d)
{
    if (d.exponent < 0)
        return d.count + 1 - d.exponent;  // "0.00" and the digits
    return d.count > d.exponent + 1 ? d.count + 1 : d.exponent + 1;
}

int ScientificLength(const Decimal& d)
{
    return d.count + (d.count > 1 ? 1 : 0) + (std::abs(d.exponent) >= 100 ? 5 : 4);
}

// The sign, and true for a finite value; "inf" or "nan" written otherwise.
bool AppendSign(std::string& out, double value)
{
    if (std::signbit(value))
        out += '-';
    if (std::isinf(value))
        out += "inf";
    else if (std::isnan(value))
        out += "nan";
    return std::isfinite(value);
}

}  // namespace

std::string DoubleText(double value, DoubleFormat format, int precision)
{
    std::string out;
    if (!AppendSign(out, value))
        return out;
    if (precision < 0)
        precision = 6;
    Decimal d = ExactDecimal(std::fabs(value));
    switch (format) {
    case DoubleFormat::Fixed:
        Round(d, -precision, Rounding::NearestEven);
        AppendFixed(out, d, precision);
        break;
    case DoubleFormat::Scientific:
        Round(d, d.exponent - precision, Rounding::NearestEven);
        AppendScientific(out, d, precision);
        break;
    case DoubleFormat::General: {
        const int digits = std::max(precision, 1);
        Round(d, d.exponent - digits + 1, Rounding::NearestEven);
        AppendAll(out, d, d.exponent >= -4 && d.exponent < digits);
        break;
    }
    }
    return out;
}

std::string ShortestDoubleText(double value)
{
    std::string out;
    if (!AppendSign(out, value))
        return out;
    const double magnitude = std::fabs(value);
    const Decimal exact = ExactDecimal(magnitude);
    if (exact.count == 0)
        return out + "0";
    const Decimal digits = ShortestDigits(exact, magnitude);
    const bool fixed = FixedLength(digits) <= ScientificLength(digits);
    // An integer in fixed notation is written exactly, as printf writes it: the same length.
    AppendAll(out, fixed && digits.count <= digits.exponent + 1 ? exact : digits, fixed);
    return out;
}

}  // namespace design
