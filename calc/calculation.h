// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// One press of Go, without the window: the three field checks in order (the first field
// that is not accepted ends it), the formulas, and the six display texts and markers.
// The window and the command-line companion both run it, and turn its outcome into what
// the user sees.
#pragma once

#include <array>
#include <string>
#include <variant>

#include "calc/formulas.h"
#include "calc/input_checks.h"
#include "calc/result_display.h"

namespace calc {

enum class Field { Frequency, Resistance, Capacitance };

struct FieldTexts {
    std::string frequency;    // Hz or kHz, as FreqMultiplier says
    std::string resistance;   // kOhm
    std::string capacitance;  // nF or uF, as CapMultiplier says
};

// Go does nothing at all when a field is empty, and the window offers Go only when none
// is. Any text type with size() will do: the window asks with its own strings.
template <typename Text>
bool AnyFieldEmpty(const Text& frequency, const Text& resistance, const Text& capacitance)
{
    return frequency.size() == 0 || resistance.size() == 0 || capacitance.size() == 0;
}
inline bool AnyFieldEmpty(const FieldTexts& texts)
{
    return AnyFieldEmpty(texts.frequency, texts.resistance, texts.capacitance);
}

// The six components in display order.
enum class Component { C1, C2, C3, R1, R2, R3 };
inline constexpr std::array<Component, 6> AllComponents = {
    Component::C1, Component::C2, Component::C3, Component::R1, Component::R2, Component::R3};
const char* ComponentName(Component component);  // "C1" .. "R3"
double ComponentValue(const FilterResults& results, Component component);

struct Rejected {
    Field field;           // the first field that was not accepted
    FieldOutcome outcome;  // InputError or OutOfRange, never Accepted
};
struct Computed {
    FilterResults values;
    std::array<ComponentDisplay, 6> components;  // in AllComponents order
};
using Calculation = std::variant<Rejected, Computed>;

// Checks frequency, resistance and capacitance in that order and, when all are accepted,
// computes and formats both circuits, keeping the inputs and results in `state`.
// The fields must not be empty (see AnyFieldEmpty). Throws EConvertError or EOverflow
// from the number reading, in which case `state` is unchanged.
Calculation Calculate(CalcState& state, const FieldTexts& texts);

}  // namespace calc
