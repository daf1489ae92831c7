// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Numbers as the window shows them, in its figures, parts, hints and plots alike, and alike
// in every language: as the companion's report writes them, with a full stop and SI symbols
// ("67.1656 nF", "−3.14"), so that a figure reads the same on screen, in a report and in a
// netlist. A frequency below 1 Hz has no prefix on screen ("0.5 Hz"): "500 mHz" reads as MHz.
#pragma once

#include <string_view>

#include <QtCore/QString>

namespace designer {

// `digits` significant digits with an SI prefix and the unit: "1 kHz", "98.87 Hz", "0.5 Hz".
QString ShownQuantity(double value, std::string_view unit, int digits = 6);

// `decimals` decimals, with a minus sign, never "−0".
QString ShownDecimal(double value, int decimals);

// `digits` significant digits, never in exponent form: "5710", "12.3", "0.0512".
QString ShownNumber(double value, int digits);

}  // namespace designer
