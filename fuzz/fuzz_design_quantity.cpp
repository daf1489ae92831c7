// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Fuzz target for the design command's number reading. Each input is read as a quantity
// and checked against an independent description: a regular expression for the grammar
// and strtod for the value. A violated property aborts.
//
// Input layout: byte 0 holds the unit (bits 0-1: none, Hz, ohm, F) and bit 2 allows the
// decimal comma; the rest is the text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "design/quantity.h"
#include "fuzz/fuzz_check.h"

namespace {

const char* UnitPattern(design::Unit unit)
{
    switch (unit) {
    case design::Unit::None: return "()";
    case design::Unit::Hertz: return "(Hz|hz|HZ)?";
    case design::Unit::Ohm: return "(\xE2\x84\xA6|\xCE\xA9|ohm|Ohm|ohms|Ohms|OHM)?";
    case design::Unit::Farad: return "(F)?";
    }
    return "()";
}

// Groups: 1 integer digits, 2 fraction digits, 3 exponent, 4 multiplier (suffix form);
// 5 integer digits, 6 multiplier, 7 fraction digits (4k7 form).
std::regex Grammar(design::Unit unit, bool decimalComma)
{
    const std::string separator = decimalComma ? "[.,]" : "[.]";
    const std::string multiplier = "(Meg|MEG|meg|\xC2\xB5|\xCE\xBC|p|n|u|m|k|K|M|G)";
    const std::string infix = unit == design::Unit::Ohm
                                  ? "(Meg|MEG|meg|\xC2\xB5|\xCE\xBC|p|n|u|m|k|K|M|G|R)"
                                  : multiplier;
    // One space before a multiplier or unit, never ending the text.
    const std::string space = "(?:(?: |\xC2\xA0|\xE2\x80\xAF)(?=.))?";
    const std::string pattern = "(?:([0-9]+)(?:" + separator + "([0-9]*))?(?:[eE]([+-]?[0-9]+)" +
                                space + "|" + space + multiplier + "?)|([0-9]+)" + infix +
                                "([0-9]+)" + space + ")" + UnitPattern(unit);
    return std::regex(pattern);
}

int MultiplierExponent(const std::string& m)
{
    if (m == "Meg" || m == "MEG" || m == "meg" || m == "M")
        return 6;
    if (m == "\xC2\xB5" || m == "\xCE\xBC" || m == "u")
        return -6;
    if (m == "p")
        return -12;
    if (m == "n")
        return -9;
    if (m == "m")
        return -3;
    if (m == "k" || m == "K")
        return 3;
    if (m == "G")
        return 9;
    return 0;  // R
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > 4096)
        return 0;  // the regular expression is slow on long texts; the reader is not
    const auto unit = static_cast<design::Unit>(data[0] & 3);
    const bool decimalComma = (data[0] & 4) != 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::optional<double> value = design::ReadQuantity(text, unit, decimalComma);
    if (value)
        BUTTERWORTH3_FUZZ_CHECK(std::isfinite(*value) && *value >= 0, text);

    std::smatch match;
    // Built once for each of the eight unit and comma combinations.
    static const std::regex grammars[8] = {
        Grammar(design::Unit::None, false), Grammar(design::Unit::Hertz, false),
        Grammar(design::Unit::Ohm, false),  Grammar(design::Unit::Farad, false),
        Grammar(design::Unit::None, true),  Grammar(design::Unit::Hertz, true),
        Grammar(design::Unit::Ohm, true),   Grammar(design::Unit::Farad, true)};
    const bool grammatical = std::regex_match(text, match, grammars[data[0] & 7]);
    if (!grammatical) {
        BUTTERWORTH3_FUZZ_CHECK(!value, text);
        return 0;
    }
    // The same number written for strtod: digits, point, digits, exponent.
    std::string plain;
    int significantDigits = 0;
    long exponent = 0;
    std::string exponentText;
    if (match[1].matched) {
        plain = match[1].str() + "." + match[2].str();
        if (match[3].matched)
            exponentText = match[3].str();
        else if (match[4].matched)
            exponent = MultiplierExponent(match[4].str());
    } else {
        plain = match[5].str() + "." + match[7].str();
        exponent = MultiplierExponent(match[6].str());
    }
    bool leading = true;
    for (const char c : plain) {
        if (c >= '1' && c <= '9')
            leading = false;
        if (!leading && c != '.')
            ++significantDigits;
    }
    plain += "e" + (exponentText.empty() ? std::to_string(exponent) : exponentText);
    const double expected = std::strtod(plain.c_str(), nullptr);

    if (!std::isfinite(expected) || (expected == 0 && significantDigits > 0)) {
        BUTTERWORTH3_FUZZ_CHECK(!value, text);  // overflow, or rounding to zero
        return 0;
    }
    BUTTERWORTH3_FUZZ_CHECK(value.has_value(), text);
    // Up to 40 significant digits the reading is exact; beyond, within one unit in the
    // last place (the digits past the fortieth are not read).
    if (significantDigits <= 40)
        BUTTERWORTH3_FUZZ_CHECK(*value == expected, text);
    else
        BUTTERWORTH3_FUZZ_CHECK(std::fabs(*value - expected) <= std::fabs(expected) * 0x1p-52,
                                text);
    return 0;
}
