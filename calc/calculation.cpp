// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "calc/calculation.h"

#include <cstddef>

#include "calc/x87_precision.h"

namespace calc {

const char* ComponentName(Component component)
{
    constexpr const char* names[] = {"C1", "C2", "C3", "R1", "R2", "R3"};
    return names[static_cast<std::size_t>(component)];
}

double ComponentValue(const FilterResults& results, Component component)
{
    switch (component) {
    case Component::C1: return results.C1;
    case Component::C2: return results.C2;
    case Component::C3: return results.C3;
    case Component::R1: return results.R1;
    case Component::R2: return results.R2;
    case Component::R3: return results.R3;
    }
    return 0;
}

namespace {

bool IsCapacitor(Component component)
{
    return component <= Component::C3;
}

}  // namespace

Calculation Calculate(CalcState& state, const FieldTexts& texts)
{
    [[maybe_unused]] const X87PrecisionGuard precision;
    const FieldOutcome frequency = CheckFrequency(texts.frequency, state.FreqMultiplier);
    if (!std::holds_alternative<Accepted>(frequency))
        return Rejected{Field::Frequency, frequency};
    const FieldOutcome resistance = CheckResistance(texts.resistance);
    if (!std::holds_alternative<Accepted>(resistance))
        return Rejected{Field::Resistance, resistance};
    const FieldOutcome capacitance = CheckCapacitance(texts.capacitance, state.CapMultiplier);
    if (!std::holds_alternative<Accepted>(capacitance))
        return Rejected{Field::Capacitance, capacitance};

    state.inputs = FormFilterInputs(std::get<Accepted>(frequency).value, state.FreqMultiplier,
                                    texts.resistance, texts.capacitance, state.CapMultiplier);
    state.Omega = ComputeOmega(state.inputs.f, state.inputs.FreqMultiplier);
    ComputeLowPass(state.Omega, state.inputs.R, state.results);
    ComputeHighPass(state.Omega, state.inputs.C, state.results);

    Computed computed{state.results, {}};
    for (std::size_t i = 0; i < AllComponents.size(); ++i) {
        const Component component = AllComponents[i];
        const double value = ComponentValue(state.results, component);
        computed.components[i] =
            IsCapacitor(component) ? DisplayCapacitance(value) : DisplayResistance(value);
    }
    return computed;
}

}  // namespace calc
