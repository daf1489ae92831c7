// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// How each computed value is shown: a number text with its unit text, or nothing when
// the value lies below every display range, and whether its warning marker is shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/extended.h"

namespace calc {

struct DisplayTexts {
    std::string number;  // "68,05"
    std::string unit;    // "nF", or "kOhm / кОм" (UTF-8)
};

// Nothing to write (std::nullopt) below every display range; the marker is decided anyway.
struct ComponentDisplay {
    std::optional<DisplayTexts> texts;
    bool marker = false;
};

inline constexpr const char* MarkerText = " <--- !";

// Round half to even to a signed 64-bit integer: the processor's default rounding.
std::int64_t RoundToInteger(Extended x);

// The general 15-significant-digit number text with "," as the decimal separator:
// 0.17 -> "0,17", 43.0 -> "43", 109.5 -> "109,5". Digits are taken to 18 places (ties to
// even), cut to 15 with the 16th rounding half away from zero, trailing zeros stripped.
// Values of 1e15 and above or below 1e-4 are written with an exponent ("1E15", "1,5E-5").
std::string NumberText(Extended x);

// pF below 1 nF (whole picofarads), nF below 100 nF and uF above (two decimals).
std::optional<DisplayTexts> FormatCapacitance(double farads);
// "Ohm / Ом" below 1000 ohms (whole ohms), "kOhm / кОм" above (one decimal).
std::optional<DisplayTexts> FormatResistance(double ohms);

// Impractical values: a capacitor below 100 pF or above 10 uF, a resistor below 100 Ohm
// or above 1 MOhm.
bool CapacitanceMarker(double farads);
bool ResistanceMarker(double ohms);

ComponentDisplay DisplayCapacitance(double farads);
ComponentDisplay DisplayResistance(double ohms);

}  // namespace calc
