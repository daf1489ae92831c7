// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The component values of the two third-order circuits, from the accepted inputs.
// Fixed coefficients, extended arithmetic, results rounded once to double when stored.
#pragma once

namespace calc {

// The inputs of one calculation, formed once all three fields are accepted.
struct FilterInputs {
    double f = 0;               // frequency as typed, in the unit FreqMultiplier selects
    double FreqMultiplier = 1;  // 1 for Hz, 1000 for kHz
    double R = 0;               // low-pass resistor, ohms
    double C = 0;               // high-pass capacitor, farads
};

// C1, C2, C3 of the low-pass circuit in farads; R1, R2, R3 of the high-pass in ohms.
struct FilterResults {
    double C1 = 0, C2 = 0, C3 = 0;
    double R1 = 0, R2 = 0, R3 = 0;
};

// Angular cut-off frequency, rad/s: (6.2832 * freqMultiplier) * f, rounded to double.
// 6.2832 is the decimal constant, not 2*pi.
double ComputeOmega(double f, double freqMultiplier);

// C1 = 1411 / D, C2 = 3591 / D, C3 = 204.5 / D with D = (1000 * omega) * r formed anew in
// extended precision for each quotient. Writes C1..C3 of `out`; leaves R1..R3 alone.
void ComputeLowPass(double omega, double r, FilterResults& out);

// R1 = 687.8 / D, R2 = 270.4 / D, R3 = 4749 / D with D = (1000 * omega) * c.
// Writes R1..R3 of `out`; leaves C1..C3 alone.
void ComputeHighPass(double omega, double c, FilterResults& out);

}  // namespace calc
