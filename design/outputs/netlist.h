// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designed circuit as a SPICE netlist a user can simulate: the parts as built (the
// standard values when a series was asked for), a 1 V AC source, the op-amp (an ideal
// follower or the single-pole model), an AC sweep and a measurement of the -3 dB point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "design/report.h"

namespace design::outputs {

// ngspice and LTspice disagree on how a measurement reads the magnitude (vm(out) and a
// .save line against mag(V(out))), so one file cannot serve both.
enum class Dialect { Ngspice, LtSpice };
std::optional<Dialect> DialectFromName(std::string_view name);  // "ngspice", "ltspice"

// The level the measurement looks for: 1/sqrt(2) to 7 digits.
inline constexpr std::string_view HalfPowerLevel = "0.7071068";
// Points a decade of the AC sweep: enough that the linear interpolation of a measurement
// between two points stays far below 0.01 % of the frequency.
inline constexpr int SweepPointsPerDecade = 1000;

struct Sweep {
    double from = 0;  // Hz
    double to = 0;    // Hz
};
// f/100 to 100 f, widened to ten times a band-pass's upper edge when the plot of a
// high-pass with a real op-amp must show it.
Sweep SweepOf(const Report& report);

std::string Netlist(const Report& report, Dialect dialect);

// An ngspice deck of the same circuit that runs the checks of the other figures: the total
// output noise over the program's band, a unit step (written to step.txt in the working
// folder), the delay near DC and the stop-band levels (low-pass), and the worst tolerance
// corners (with the ideal follower). The op-amp model's figures when one is given.
std::string CheckDeck(const Report& report);

}  // namespace design::outputs
