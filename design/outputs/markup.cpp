// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/markup.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "design/double_text.h"
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

namespace {

// The decimal exponent of `value` rounded to `digits` significant digits, as printf's %g
// rounds it: 3 for 999.9999 at 6 digits.
int RoundedExponent(double value, int digits)
{
    const std::string text = DoubleText(value, DoubleFormat::Scientific, digits - 1);
    const std::size_t e = text.find('e');
    const char* first = text.data() + e + 1;
    if (*first == '+')
        ++first;
    int exponent = 0;
    std::from_chars(first, text.data() + text.size(), exponent);
    return exponent;
}

// The power of 1000 to write `value` in, from `lowest` to `highest`, such that the
// mantissa rounded to `digits` digits is below 1000.
int ThousandsExponent(double value, int digits, int lowest, int highest)
{
    if (value == 0 || !std::isfinite(value))
        return 0;
    int e = static_cast<int>(std::floor(portable::Log10(std::fabs(value)) / 3));
    e = std::clamp(e, lowest, highest);
    const double mantissa = value / portable::Exp10(3.0 * e);
    if (e < highest && RoundedExponent(mantissa, digits) >= 3)
        ++e;  // 999.9999 rounds up to 1000
    return e;
}

}  // namespace

std::string General(double value, int digits)
{
    return DoubleText(value, DoubleFormat::General, digits);
}

std::string Fixed(double value, int decimals)
{
    return DoubleText(value, DoubleFormat::Fixed, decimals);
}

std::string Num(double value, int decimals)
{
    std::string text = DoubleText(value, DoubleFormat::Fixed, decimals);
    if (decimals > 0) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string Capitalised(std::string_view text)
{
    std::string out(text);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

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

std::string WithUnit(double value, std::string_view unit, int digits, Medium medium)
{
    // Exponents -5 ... 3 of 1000; a terminal's text starts at p.
    static constexpr std::array<std::string_view, 9> Symbols = {"f", "p", "n", "µ", "m",
                                                                "",  "k", "M", "G"};
    static constexpr std::array<std::string_view, 9> Ascii = {"f", "p", "n", "u", "m",
                                                              "",  "k", "M", "G"};
    if (!std::isfinite(value))
        return "n/a";  // a figure that does not compute in doubles
    const int lowest = medium == Medium::Document ? -5 : -4;
    const int e = ThousandsExponent(value, digits, lowest, 3);
    const std::string_view prefix = (medium == Medium::Document ? Symbols : Ascii)[e + 5];
    return General(value / portable::Exp10(3.0 * e), digits) + " " + std::string(prefix) +
           std::string(unit);
}

std::string SignedPercent(double fraction, int decimals)
{
    double percent = fraction * 100;
    if (std::fabs(percent) < 0.5 * portable::Exp10(-decimals))
        percent = 0;  // no "-0.000 %"
    const std::string digits = Fixed(percent, decimals);
    return (digits.starts_with('-') ? "" : "+") + digits + " %";
}

std::string F3Text(const std::optional<double>& f3, double f, Medium medium)
{
    if (!f3)
        return medium == Medium::Document ? "none (no −3 dB crossing)" : "none (no -3 dB crossing)";
    return WithUnit(*f3, "Hz", 6, medium) + " (" + SignedPercent(*f3 / f - 1) + ")";
}

std::string GbwNeededText(const std::optional<double>& gbw, double f, Medium medium)
{
    if (!gbw)
        return "more than " + WithUnit(1e5 * f, "Hz", 6, medium);
    const int digits = medium == Medium::Document ? 4 : 6;
    return WithUnit(*gbw, "Hz", digits, medium) + " (" + General(*gbw / f, 3) + " f)";
}

std::string PolesText(const Poles& poles, Medium medium)
{
    std::string text;
    const auto add = [&text](const std::string& item) {
        text += (text.empty() ? "" : ", ") + item;
    };
    for (const PolePair& pair : poles.pairs)
        add("Q " + Fixed(pair.q, 3) + " at " + WithUnit(pair.f0, "Hz", 6, medium));
    for (const double f : poles.real)
        add("real " + WithUnit(f, "Hz", 6, medium));
    return text;
}

}  // namespace design::outputs
