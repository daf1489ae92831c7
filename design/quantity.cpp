// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/quantity.h"

#include <array>
#include <cmath>

#include "design/decimal.h"

namespace design {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct Multiplier {
    std::string_view text;
    int exponent;
};

// Longest first, so that "Meg" is not read as "M" followed by "eg".
constexpr std::array<Multiplier, 14> Multipliers = {{
    {"Meg", 6},
    {"MEG", 6},
    {"meg", 6},
    {"\xC2\xB5", -6},  // U+00B5 micro sign
    {"\xCE\xBC", -6},  // U+03BC Greek mu
    {"p", -12},
    {"n", -9},
    {"u", -6},
    {"m", -3},
    {"k", 3},
    {"K", 3},
    {"M", 6},
    {"G", 9},
    {"R", 0},  // resistances only, between digits
}};

std::optional<Multiplier> MultiplierAt(std::string_view rest, Unit unit)
{
    for (const Multiplier& m : Multipliers) {
        if (!rest.starts_with(m.text))
            continue;
        if (m.exponent == 0 && m.text.size() == 1 && unit != Unit::Ohm)
            return std::nullopt;
        return m;
    }
    return std::nullopt;
}

bool IsUnit(std::string_view rest, Unit unit)
{
    switch (unit) {
    case Unit::None: return rest.empty();
    case Unit::Hertz: return rest.empty() || rest == "Hz" || rest == "hz" || rest == "HZ";
    case Unit::Farad: return rest.empty() || rest == "F";
    case Unit::Ohm:
        return rest.empty() || rest == "\xE2\x84\xA6" /* U+2126 */ ||
               rest == "\xCE\xA9" /* U+03A9 */ || rest == "ohm" || rest == "Ohm" ||
               rest == "ohms" || rest == "Ohms" || rest == "OHM";
    }
    return false;
}

// A space between a number and its multiplier or unit, as "1 kHz" and the results write it:
// U+0020, or the no-break spaces U+00A0 and U+202F. Its length in bytes; 0 if none.
std::size_t SpaceAt(std::string_view rest)
{
    for (const std::string_view space : {" ", "\xC2\xA0", "\xE2\x80\xAF"}) {
        if (rest.starts_with(space))
            return space.size();
    }
    return 0;
}

}  // namespace

std::optional<double> ReadQuantity(std::string_view text, Unit unit, bool decimalComma)
{
    // The significant digits and a decimal exponent, so that 4n7 reads as the double
    // nearest to 4.7e-9, as "47e-10" would. Of the digits beyond the first 800 only
    // whether any is not zero can matter: it is kept as one more digit 1.
    constexpr std::size_t KeptDigits = 800;
    std::array<char, KeptDigits + 1> number;
    std::size_t length = 0;
    long exponent = 0;
    bool significant = false;
    bool droppedNonZero = false;
    const auto digit = [&](char c, bool afterPoint) {
        if (c != '0')
            significant = true;
        if (!significant) {
            if (afterPoint)
                --exponent;  // a leading zero after the point
            return;
        }
        if (length < KeptDigits) {
            number[length++] = c;
            if (afterPoint)
                --exponent;
            return;
        }
        droppedNonZero = droppedNonZero || c != '0';
        if (!afterPoint)
            ++exponent;  // an integer digit beyond those kept
    };
    std::size_t i = 0;
    const std::size_t n = text.size();

    const std::size_t integerStart = i;
    while (i < n && IsDigit(text[i]))
        digit(text[i++], false);
    if (i == integerStart)
        return std::nullopt;

    std::optional<Multiplier> multiplier;
    const auto readFraction = [&] {
        const std::size_t start = i;
        while (i < n && IsDigit(text[i]))
            digit(text[i++], true);
        return i > start;
    };
    if (i < n && (text[i] == '.' || (decimalComma && text[i] == ','))) {
        ++i;
        readFraction();  // "1." is 1
    } else if (i < n) {
        // 4k7: a multiplier standing for the decimal separator.
        const std::optional<Multiplier> infix = MultiplierAt(text.substr(i), unit);
        if (infix && i + infix->text.size() < n && IsDigit(text[i + infix->text.size()])) {
            i += infix->text.size();
            multiplier = infix;
            readFraction();
        }
    }

    bool hasExponent = false;
    if (!multiplier && i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        const std::size_t start = i;
        long value = 0;
        while (i < n && IsDigit(text[i])) {
            // Beyond 10^9 only a text of a gigabyte could bring the value back into range;
            // the cap keeps the sum below 2^31, the range of a 32-bit long.
            if (value < 100'000'000)
                value = value * 10 + (text[i] - '0');
            ++i;
        }
        if (i == start)
            return std::nullopt;
        exponent += negative ? -value : value;
        hasExponent = true;
    }
    if (const std::size_t space = SpaceAt(text.substr(i))) {
        i += space;
        if (i == n)
            return std::nullopt;  // a space ending the text
    }
    if (!multiplier && i < n) {
        multiplier = MultiplierAt(text.substr(i), unit);
        if (multiplier) {
            if (hasExponent || multiplier->exponent == 0)
                return std::nullopt;  // 1e3k, or R not between digits
            i += multiplier->text.size();
        }
    }
    if (!IsUnit(text.substr(i), unit))
        return std::nullopt;
    if (multiplier)
        exponent += multiplier->exponent;

    if (!significant)
        return 0.0;
    if (droppedNonZero) {
        number[length++] = '1';
        --exponent;
    }
    const double value = NearestDouble(std::string_view(number.data(), length), exponent);
    if (!std::isfinite(value) || value == 0)
        return std::nullopt;  // too large, or non-zero digits that round to zero
    return value;
}

}  // namespace design
