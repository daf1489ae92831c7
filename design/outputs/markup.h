// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Small text helpers the writers share: escaping for HTML and SVG, and numbers as a
// reader of a netlist, a plot or a report expects them.
#pragma once

#include <string>
#include <string_view>

namespace design::outputs {

// & < > " ' replaced by entities, so that any text can sit in an element or an attribute.
std::string Escape(std::string_view text);

// 6 significant digits with a SPICE multiplier: 33k, 67.1656n, 1Meg (M is milli in SPICE),
// 4.7u (never µ). Outside f ... T: plain exponent notation (1e-18).
std::string SpiceNumber(double value);

// `digits` significant digits with an SI prefix and a space before the unit: "67.17 nF",
// "33 kΩ", "1 MHz". Trailing zeros dropped.
std::string WithUnit(double value, std::string_view unit, int digits = 6);

// A fraction as a signed percentage: "+0.326 %", "-0.912 %" (no "-0.000 %").
std::string SignedPercent(double fraction, int decimals = 3);

// The text with its first letter a capital: "low-pass" -> "Low-pass" (ASCII letters only).
std::string Capitalised(std::string_view text);

// printf("%.*f") and printf("%.*g").
std::string Fixed(double value, int decimals);
std::string General(double value, int digits);

}  // namespace design::outputs
