// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "calc/formulas.h"

#include "calc/extended.h"

namespace calc {

namespace {

// The published coefficients depend on this decimal approximation of 2*pi; using the
// exact value would move every result in its sixth significant digit.
constexpr Extended TwoPi = 6.2832_ext;

// Coefficients scaled by 1000 together with the denominator: 1.411 / (omega * R) is
// written 1411 / (1000 * omega * R), which keeps 1411, 3591 and 4749 exact.
constexpr Extended LowPassC1 = 1411.0_ext;
constexpr Extended LowPassC2 = 3591.0_ext;
constexpr Extended LowPassC3 = 204.5_ext;
constexpr Extended HighPassR1 = 687.8_ext;
constexpr Extended HighPassR2 = 270.4_ext;
constexpr Extended HighPassR3 = 4749.0_ext;

// (1000 * omega) * x, in extended precision; never stored, so never rounded to double.
Extended Denominator(double omega, double x)
{
    return 1000.0_ext * omega * x;
}

}  // namespace

double ComputeOmega(double f, double freqMultiplier)
{
    return static_cast<double>(TwoPi * freqMultiplier * f);
}

void ComputeLowPass(double omega, double r, FilterResults& out)
{
    out.C1 = static_cast<double>(LowPassC1 / Denominator(omega, r));
    out.C2 = static_cast<double>(LowPassC2 / Denominator(omega, r));
    out.C3 = static_cast<double>(LowPassC3 / Denominator(omega, r));
}

void ComputeHighPass(double omega, double c, FilterResults& out)
{
    out.R1 = static_cast<double>(HighPassR1 / Denominator(omega, c));
    out.R2 = static_cast<double>(HighPassR2 / Denominator(omega, c));
    out.R3 = static_cast<double>(HighPassR3 / Denominator(omega, c));
}

}  // namespace calc
