// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/markup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "design/portable_math.h"

namespace design::outputs {

std::string Escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += ch;
        }
    }
    return out;
}

std::string General(double value, int digits)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

std::string Fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

namespace {

// The power of 1000 to write `value` in, from `lowest` to `highest`, such that the
// mantissa rounded to `digits` digits is below 1000.
int ThousandsExponent(double value, int digits, int lowest, int highest)
{
    if (value == 0 || !std::isfinite(value))
        return 0;
    int e = static_cast<int>(std::floor(portable::Log10(std::fabs(value)) / 3));
    e = std::clamp(e, lowest, highest);
    const double mantissa = value / portable::Exp10(3.0 * e);
    if (e < highest && std::fabs(std::stod(General(mantissa, digits))) >= 1000)
        ++e;  // 999.9999 rounds up to 1000
    return e;
}

}  // namespace

std::string SpiceNumber(double value)
{
    // f p n u m (none) k Meg G T: exponents -5 ... 4 of 1000.
    static constexpr std::array<std::string_view, 10> Multipliers = {"f", "p", "n",   "u", "m",
                                                                     "",  "k", "Meg", "G", "T"};
    if (value == 0)
        return "0";
    const double magnitude = std::fabs(value);
    if (magnitude < 1e-15 || magnitude >= 999999.5e12)
        return General(value, 6);
    const int e = ThousandsExponent(value, 6, -5, 4);
    return General(value / portable::Exp10(3.0 * e), 6) + std::string(Multipliers[e + 5]);
}

std::string WithUnit(double value, std::string_view unit, int digits)
{
    static constexpr std::array<std::string_view, 9> Prefixes = {"f", "p", "n", "µ", "m",
                                                                 "",  "k", "M", "G"};
    const int e = ThousandsExponent(value, digits, -5, 3);
    return General(value / portable::Exp10(3.0 * e), digits) + " " + std::string(Prefixes[e + 5]) +
           std::string(unit);
}

std::string SignedPercent(double fraction, int decimals)
{
    double percent = fraction * 100;
    if (std::fabs(percent) < 0.5 * portable::Exp10(-decimals))
        percent = 0;  // no "-0.000 %"
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%+.*f %%", decimals, percent);
    return buffer;
}

}  // namespace design::outputs
