// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A design: the three computed parts for a frequency and an R (low-pass) or C (high-pass),
// optionally snapped to standard values, with the figures of the result.
#pragma once

#include <array>
#include <optional>

#include "design/eseries.h"
#include "design/filter.h"

namespace design {

struct Request {
    Circuit circuit = Circuit::LowPass;
    ResponseKind response = ResponseKind::Butterworth;
    Coefficients coefficients = Coefficients::Exact;
    double frequency = 100;            // Hz, the -3 dB frequency wanted
    double value = 33e3;               // R in ohms (low-pass) or C in farads (high-pass)
    std::optional<Series> series;      // standard values for the three computed parts
    std::optional<Series> moveSeries;  // let the equal value move too (needs `series`)
    int moveSteps = 2;                 // values of moveSeries either side of the nearest one
    Objective objective = Objective::Balanced;
    // When FREQUENCY named the end of a Chebyshev ripple band: that edge (Hz); `frequency` is
    // then the -3 dB frequency it gives.
    std::optional<double> passbandEdge;
};

struct Design {
    Request request;
    double value = 0;                // the equal value used: request.value, or the chosen one
    std::array<double, 3> ideal{};   // the computed parts for `value`
    std::array<double, 3> chosen{};  // standard values, or `ideal` without a series
    Parts parts;                     // the six parts built: `value` three times and `chosen`
    std::optional<double> f3;        // Hz, ideal op-amp
    double shapeErrorDb = 0;
    int combinations = 0;  // candidates weighed (0 without a series)
};

// Throws std::invalid_argument for window coefficients with another response than
// Butterworth, and for a move without a series.
Design MakeDesign(const Request& request);

// The window's rule for a computed part (a capacitor of the low-pass, a resistor of the
// high-pass) that is impractical to build: a capacitor below 100 pF or above 10 µF, a
// resistor below 100 Ω or above 1 MΩ. The limits are doubles, as the parts are: the window
// compares its own values in 80 bits, where 1e-5L lies below the double 10e-6, and would
// mark a part of exactly 10 µF.
bool Impractical(Circuit circuit, double part);

// f3 / f - 1, or nullopt without f3.
std::optional<double> F3Error(const std::optional<double>& f3, double frequency);

}  // namespace design
