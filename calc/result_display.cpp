// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "calc/result_display.h"

#include <cmath>
#include <string>
#include <string_view>

#include "calc/powers_of_ten.h"

namespace calc {

namespace {

constexpr const char* UnitPicofarad = "pF";
constexpr const char* UnitNanofarad = "nF";
constexpr const char* UnitMicrofarad = "uF";
constexpr const char* UnitOhm = "Ohm / Ом";
constexpr const char* UnitKiloOhm = "kOhm / кОм";

constexpr std::int64_t TenPow15 = 1'000'000'000'000'000;
constexpr std::int64_t TenPow17 = 100'000'000'000'000'000;
constexpr std::int64_t TenPow18 = 1'000'000'000'000'000'000;

// Plain notation is used from 1e-4 up to below 1e15.
constexpr int PlainExponentLow = -4;
constexpr int PlainExponentHigh = 15;

// The 18 significant digits of x > 0 as an integer in [1e17, 1e18), and the decimal
// exponent of its first digit.
std::int64_t EighteenDigits(Extended x, int& exponent)
{
    // log10(2) estimate from the binary exponent, then corrected by at most a step or two.
    exponent = static_cast<int>(floor(ilogb(x) * 0.30102999566398119521_ext));
    for (;;) {
        const std::int64_t digits = RoundToInteger(ScaleByPowerOfTen(x, 17 - exponent));
        if (digits >= TenPow18)
            ++exponent;
        else if (digits < TenPow17)
            --exponent;
        else
            return digits;
    }
}

std::string DecimalText(Extended x)
{
    return std::to_string(RoundToInteger(x));
}

std::string DividedText(std::int64_t count, Extended divisor)
{
    return NumberText(count / divisor);
}

}  // namespace

std::int64_t RoundToInteger(Extended x)
{
    return llrint(x);
}

std::string NumberText(Extended x)
{
    if (x == 0)
        return "0";
    std::string text;
    if (x < 0) {
        text.push_back('-');
        x = -x;
    }

    int exponent = 0;
    const std::int64_t eighteen = EighteenDigits(x, exponent);
    // Cut to 15 digits; only the 16th digit decides, rounding half away from zero.
    std::int64_t fifteen = eighteen / 1000;
    if (eighteen / 100 % 10 >= 5)
        ++fifteen;
    if (fifteen == TenPow15) {
        fifteen /= 10;
        ++exponent;
    }
    std::string digits = std::to_string(fifteen);
    digits.erase(digits.find_last_not_of('0') + 1);
    const std::string_view all = digits;

    if (exponent < PlainExponentLow || exponent >= PlainExponentHigh) {
        text.append(all.substr(0, 1));
        if (all.size() > 1)
            text.append(",").append(all.substr(1));
        text.append("E").append(std::to_string(exponent));
    } else if (exponent < 0) {
        text.append("0,").append(static_cast<std::size_t>(-exponent - 1), '0').append(all);
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (all.size() <= integerDigits)
            text.append(all).append(integerDigits - all.size(), '0');
        else
            text.append(all.substr(0, integerDigits)).append(",").append(all.substr(integerDigits));
    }
    return text;
}

// The range is chosen on the value before rounding, and a rounded value is never moved to
// the next range: 9.9999e-8 F shows as "100" nF, not "0,1" uF.
std::optional<DisplayTexts> FormatCapacitance(double farads)
{
    const Extended c = farads;
    if (c >= 1e-12_ext && c < 1e-9_ext)
        return DisplayTexts{DecimalText(c * 1e12_ext), UnitPicofarad};
    if (c >= 1e-9_ext && c < 1e-7_ext)
        return DisplayTexts{DividedText(RoundToInteger(c * 1e9_ext * 100), 100), UnitNanofarad};
    if (c >= 1e-7_ext)
        return DisplayTexts{DividedText(RoundToInteger(c * 1e6_ext * 100), 100), UnitMicrofarad};
    return std::nullopt;
}

std::optional<DisplayTexts> FormatResistance(double ohms)
{
    const Extended r = ohms;
    if (r >= 1 && r < 1000)
        return DisplayTexts{DecimalText(r), UnitOhm};
    if (r >= 1000)
        return DisplayTexts{DividedText(RoundToInteger(r / 100), 10), UnitKiloOhm};
    return std::nullopt;
}

bool CapacitanceMarker(double farads)
{
    return farads < 1e-10_ext || farads > 1e-5_ext;
}

bool ResistanceMarker(double ohms)
{
    return ohms < 100 || ohms > 1e6;
}

ComponentDisplay DisplayCapacitance(double farads)
{
    return {FormatCapacitance(farads), CapacitanceMarker(farads)};
}

ComponentDisplay DisplayResistance(double ohms)
{
    return {FormatResistance(ohms), ResistanceMarker(ohms)};
}

}  // namespace calc
