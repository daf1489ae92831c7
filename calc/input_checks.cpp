// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "calc/input_checks.h"

#include "calc/extended.h"
#include "calc/number_text.h"

namespace calc {

namespace {

struct Limits {
    Extended lower;
    const char* belowText;
    Extended upper;
    const char* aboveText;
};

// 0.1 and 0.01 are the extended values nearest the decimals, so a typed "0,1" (read into
// a double, which lies just above) passes its own lower limit and every corrected text
// but the empty one is accepted by the next Go. A frequency above 99999 Hz empties the
// field instead of writing the limit.
constexpr Limits FrequencyHz = {1.0_ext, "1", 99999.0_ext, ""};
constexpr Limits FrequencyKHz = {0.1_ext, "0,1", 500.0_ext, "500"};
constexpr Limits ResistanceKOhm = {0.1_ext, "0,1", 1000.0_ext, "1000"};
constexpr Limits CapacitanceNF = {0.1_ext, "0,1", 1000.0_ext, "1000"};
constexpr Limits CapacitanceUF = {0.01_ext, "0,01", 10.0_ext, "10"};

// Between the two capacitance multipliers, 1e-9 (nF) and 1e-6 (uF).
constexpr Extended CapacitanceUnitBoundary = 1e-8_ext;

FieldOutcome Check(std::string_view text, const Limits& limits)
{
    if (!FieldTextCheck(text))
        return InputError{};
    const double value = ReadDouble(text);
    if (value < limits.lower)
        return OutOfRange{limits.belowText};
    if (value > limits.upper)
        return OutOfRange{limits.aboveText};
    return Accepted{value};
}

}  // namespace

void SetFrequencyUnit(CalcState& state, FrequencyUnit unit)
{
    state.FreqMultiplier = unit == FrequencyUnit::Hz ? 1.0 : 1000.0;
}

void SetCapacitanceUnit(CalcState& state, CapacitanceUnit unit)
{
    state.CapMultiplier = unit == CapacitanceUnit::nF ? 1e-9 : 1e-6;
}

FieldOutcome CheckFrequency(std::string_view text, double freqMultiplier)
{
    return Check(text, freqMultiplier == 1 ? FrequencyHz : FrequencyKHz);
}

FieldOutcome CheckResistance(std::string_view text)
{
    return Check(text, ResistanceKOhm);
}

FieldOutcome CheckCapacitance(std::string_view text, double capMultiplier)
{
    return Check(text, capMultiplier < CapacitanceUnitBoundary ? CapacitanceNF : CapacitanceUF);
}

FilterInputs FormFilterInputs(double acceptedFrequency, double freqMultiplier,
                              std::string_view resistanceText, std::string_view capacitanceText,
                              double capMultiplier)
{
    // Both texts are read again so that the unit scaling acts on the extended value, not
    // on the double the range check compared.
    FilterInputs inputs;
    inputs.f = acceptedFrequency;
    inputs.FreqMultiplier = freqMultiplier;
    inputs.R = static_cast<double>(ReadNumber(resistanceText) * 1000.0_ext);
    inputs.C = static_cast<double>(ReadNumber(capacitanceText) * capMultiplier);
    return inputs;
}

}  // namespace calc
