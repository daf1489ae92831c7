// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The noise at the output at 27 °C (SPICE's default temperature): each resistor's thermal
// noise (4kTR, the op-amp's output resistance RO included) and, when given, the op-amp's
// own voltage noise EN (in series with its + input) and current noise IN (into each input,
// independent), carried to the output by the circuit's nodal equations solved at each
// frequency. The op-amp model's A0 resistor of a SPICE netlist adds about
// sqrt(4kT / A0) x 1 ohm at the input, 3e-13 V/sqrt(Hz) for A0 = 200k: left out.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "design/filter.h"

namespace design {

inline constexpr double Boltzmann = 1.380649e-23;   // J/K
inline constexpr double NoiseTemperature = 300.15;  // K, 27 °C

struct OpAmpNoise {
    double voltage = 0;  // EN, V/sqrt(Hz)
    double current = 0;  // IN, A/sqrt(Hz)
};

struct Band {
    double from = 0;  // Hz
    double to = 0;    // Hz
};

struct NoiseShare {
    std::string_view source;  // "Ra", "R2", "RO", "EN", "IN+", "IN-"
    double share = 0;         // of the mean square over the band
};

struct NoiseFigures {
    double densityAt = 0;  // Hz
    double density = 0;    // V/sqrt(Hz) at densityAt
    Band band;
    double rms = 0;  // V over the band
    std::vector<NoiseShare> shares;
};

// The output noise's density (V/sqrt(Hz)) of each source at `frequency`, in the order of
// NoiseSourceNames.
std::vector<double> NoiseDensities(Circuit circuit, const Parts& parts, double frequency,
                                   const std::optional<OpAmp>& opamp,
                                   const std::optional<OpAmpNoise>& opampNoise);
std::vector<std::string_view> NoiseSourceNames(Circuit circuit, const std::optional<OpAmp>& opamp,
                                               const std::optional<OpAmpNoise>& opampNoise);

// The density at `densityAt` and the rms over `band`: Simpson's rule in log f with 64
// intervals a decade (relative error below 1e-6 on these smooth spectra).
NoiseFigures NoiseOf(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp,
                     const std::optional<OpAmpNoise>& opampNoise, double densityAt, Band band);

}  // namespace design
