// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Whether each input field may enter a calculation, and with which value: the range
// limits of each field in each unit, the corrected texts, and the unit multipliers.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "calc/formulas.h"

namespace calc {

enum class FrequencyUnit { Hz, kHz };
enum class CapacitanceUnit { nF, uF };

// The calculation's program-lifetime state: the two unit multipliers that the unit
// radio buttons set, the Backspace flag that the fields' key-downs set, and the inputs
// and results of the last successful calculation (kept, but read by nobody else).
struct CalcState {
    double FreqMultiplier = 1;    // only ever 1 (Hz) or 1000 (kHz)
    double CapMultiplier = 1e-9;  // only ever 1e-9 (nF) or 1e-6 (uF)
    bool BackspaceFlag = false;   // the last key-down in a field was Backspace
    FilterInputs inputs;
    double Omega = 0;
    FilterResults results;
};

void SetFrequencyUnit(CalcState& state, FrequencyUnit unit);      // 1 or 1000
void SetCapacitanceUnit(CalcState& state, CapacitanceUnit unit);  // 1e-9 or 1e-6

// Outcomes of checking one field.
struct Accepted {
    double value;  // the number as typed, before unit scaling
};
struct InputError { };  // malformed text; the field keeps it
struct OutOfRange {
    std::string replacement;  // the field's corrected text; may be empty
};
using FieldOutcome = std::variant<Accepted, InputError, OutOfRange>;

// The banners that tell the user about a field that was not accepted (UTF-8).
inline constexpr const char* InputErrorBanner = "Input error / Ошибка ввода";
inline constexpr const char* OutOfRangeBanner = "Data is outrange / Данные выходят из диапазона";

// Each check runs FieldTextCheck, reads the number (throwing EConvertError or EOverflow),
// then compares it with the lower limit and then the upper one:
//   frequency   Hz: 1 .. 99999 (above: the empty text)   kHz: 0.1 .. 500
//   resistance  kOhm: 0.1 .. 1000
//   capacitance nF: 0.1 .. 1000                          uF: 0.01 .. 10
// A value equal to a limit is accepted; out of range gives the limit's own text.
FieldOutcome CheckFrequency(std::string_view text, double freqMultiplier);
FieldOutcome CheckResistance(std::string_view text);
FieldOutcome CheckCapacitance(std::string_view text, double capMultiplier);

// The inputs of a calculation once all three fields are accepted: f as accepted; R is the
// resistance text read again times 1000 (ohms), C the capacitance text read again times
// capMultiplier (farads), each rounded once to double.
FilterInputs FormFilterInputs(double acceptedFrequency, double freqMultiplier,
                              std::string_view resistanceText, std::string_view capacitanceText,
                              double capMultiplier);

}  // namespace calc
