// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Small text helpers the writers share: escaping for HTML and SVG, numbers as a reader of
// a netlist, a plot, a report or a terminal expects them, and the sentences of figures
// that more than one of them prints. Numbers are written as std::to_chars writes them
// (design/double_text.h): the same digits under any locale and on every target.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "design/behaviour.h"

namespace design::outputs {

// Where a text is read: a terminal gets ASCII only (u for micro, "-" for minus, "Ohm"
// spelt by the caller), a document its symbols (µ, the minus sign) and femto too.
enum class Medium { Terminal, Document };

// & < > " ' replaced by entities, so that any text can sit in an element or an attribute.
std::string Escape(std::string_view text);

// 6 significant digits with a SPICE multiplier: 33k, 67.1656n, 1Meg (M is milli in SPICE),
// 4.7u (never µ). Outside f ... T: plain exponent notation (1e-18).
std::string SpiceNumber(double value);

// `digits` significant digits with an SI prefix and a space before the unit: "67.17 nF",
// "33 kΩ", "1 MHz". Trailing zeros dropped. Prefixes f (p in a terminal) to G.
std::string WithUnit(double value, std::string_view unit, int digits = 6,
                     Medium medium = Medium::Document);

// A fraction as a signed percentage: "+0.326 %", "-0.912 %" (no "-0.000 %").
std::string SignedPercent(double fraction, int decimals = 3);

// The text with its first letter a capital: "low-pass" -> "Low-pass" (ASCII letters only).
std::string Capitalised(std::string_view text);

// printf("%.*f") and printf("%.*g") in the C locale.
std::string Fixed(double value, int decimals);
std::string General(double value, int digits);

// At most `decimals` decimals, trailing zeros and a bare point dropped, never "-0":
// coordinates in a drawing ("12.5", "40", "-3.25").
std::string Num(double value, int decimals);

// The -3 dB frequency and its error against f: "98.8697 Hz (-1.130 %)", or that there is
// none.
std::string F3Text(const std::optional<double>& f3, double f, Medium medium);

// The GBW an op-amp needs and its ratio to f: "8.28 kHz (82.8 f)", or "more than" the
// largest GBW searched (10^5 f). A document's narrow table shows 4 digits, a terminal 6.
std::string GbwNeededText(const std::optional<double>& gbw, double f, Medium medium);

// The poles as a filter table gives them, pairs first: "Q 1.000 at 100 Hz, real 100 Hz".
std::string PolesText(const Poles& poles, Medium medium);

}  // namespace design::outputs
