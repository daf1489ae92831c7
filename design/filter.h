// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The two single-op-amp third-order circuits as linear networks: their transfer functions
// for any six parts and an ideal or real op-amp, the target responses, the exact part
// values of a target, and the response figures (-3 dB frequency, shape error).
//
// Both circuits have three series parts from In to the + input and three parts to the
// nodes between them: the first to ground, the second to the output, the third (at the
// + input) to ground. The op-amp is a follower.
#pragma once

#include <array>
#include <complex>
#include <optional>
#include <string_view>
#include <vector>

#include "design/vocabulary.h"

namespace design {

// The six parts of one circuit, in ohms and farads.
// LowPass: series = Ra, Rb, Rc; shunt = C1 (to ground), C2 (to the output), C3 (to ground).
// HighPass: series = Ca, Cb, Cc; shunt = R1, R2, R3 in the same places.
// Ra/Ca is the series part at In, Rc/Cc the one at the + input.
struct Parts {
    std::array<double, 3> series{};
    std::array<double, 3> shunt{};
};

// Three equal series parts of `value` and the three shunt parts given.
Parts EqualSeries(double value, const std::array<double, 3>& shunt);

// A(s) = a0 / (1 + s a0 / (2 pi gbw)), with `ro` in series with its output.
struct OpAmp {
    double gbw = 1e6;  // Hz
    double a0 = 200e3;
    double ro = 0;  // ohms
};

// A real polynomial, coefficient k of s^k; degree at most 7.
struct Polynomial {
    std::array<double, 8> c{};
    int degree = 0;
};

// H(s) = numerator(s / scale) / denominator(s / scale), with `scale` in rad/s chosen by
// the caller (2 pi f keeps the coefficients near 1 for any f).
struct Transfer {
    Polynomial numerator;
    Polynomial denominator;
};

// The network solved by nodal analysis, in closed form. No op-amp means an ideal one
// (output = + input).
Transfer TransferFunction(Circuit circuit, const Parts& parts, double scale,
                          const std::optional<OpAmp>& opamp = std::nullopt);

// H(j 2 pi f) of the circuit.
std::complex<double> FrequencyResponse(Circuit circuit, const Parts& parts, double frequency,
                                       const std::optional<OpAmp>& opamp = std::nullopt);

// With an ideal op-amp, 1/H is a cubic: 1 + d1 x + d2 x^2 + d3 x^3 with x = s / scale
// (low-pass) or x = scale / s (high-pass). Returns d1, d2, d3.
std::array<double, 3> IdealCubic(Circuit circuit, const Parts& parts, double scale);

// A normalised target 1/H = 1 + a1 x + a2 x^2 + a3 x^3 (x = s for the low-pass, 1/s for the
// high-pass) with its -3 dB point at |s| = 1. rippleEdge: for Chebyshev, the end of the
// ripple band in the same units (below 1); 0 otherwise.
struct Target {
    std::array<double, 3> a{};
    double rippleEdge = 0;
};
const Target& TargetOf(ResponseKind response);

// The target response of the circuit with its -3 dB point at f3, at `frequency` (Hz).
std::complex<double> TargetResponse(Circuit circuit, ResponseKind response, double f3,
                                    double frequency);

// The end of the ripple band in Hz of a Chebyshev target with its -3 dB point at f;
// nullopt for the other responses.
std::optional<double> RippleEdge(Circuit circuit, ResponseKind response, double f);

// Normalised exact values with equal series parts of 1 and the -3 dB point at 1 rad/s:
// C1, C2, C3 for the low-pass, R1, R2, R3 (= 1/Ci) for the high-pass. nullopt when the
// target cannot be built with this circuit (a1 a2 <= 2 a3).
std::optional<std::array<double, 3>> NormalisedValues(Circuit circuit,
                                                      const std::array<double, 3>& target);

// NormalisedValues of the four targets, stored to the bit: the closed-form root behind
// them rests on a cube root and a cosine, and each design of a response scales these three
// numbers, so every processor designs from the same ones.
std::array<double, 3> StoredNormalisedValues(Circuit circuit, ResponseKind response);

// The three computed parts for the -3 dB frequency f (Hz) and the equal series value
// (R in ohms for the low-pass, C in farads for the high-pass). Window: the window's own
// coefficients and arithmetic (Butterworth only).
std::array<double, 3> IdealParts(Circuit circuit, ResponseKind response, Coefficients coefficients,
                                 double f, double value);

// The first frequency (Hz), coming from the passband, where |H| = 1/sqrt(2); nullopt when
// the response never reaches or never leaves that level.
std::optional<double> F3(Circuit circuit, const Parts& parts,
                         const std::optional<OpAmp>& opamp = std::nullopt);

// The -3 dB edges of a response with a real op-amp. The high-pass becomes a band-pass:
// `upper` is its upper edge (nullopt for the low-pass).
struct Edges {
    std::optional<double> f3;
    std::optional<double> upper;
};
Edges ResponseEdges(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp);

// Shape error grid: the points 0.01 f 10^(k/400), k = 0 ... 1600, at which the target
// (with its -3 dB point at f) is at or above -20 dB.
inline constexpr int ShapeGridPoints = 1601;
inline constexpr double ShapeGridStart = 0.01;
inline constexpr int ShapeGridPerDecade = 400;
inline constexpr double ShapeFloorDb = -20;

// The largest |20 log10 |H| - 20 log10 |H_target|| over the shape error grid, in dB.
double ShapeErrorDb(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                    const std::optional<OpAmp>& opamp = std::nullopt);

// f3 and shape error of many sets of parts with an ideal op-amp against one target: the
// grid and the target's |H|^2 are computed once, so that one evaluation is a few
// multiplications a grid point.
class CandidateEvaluator {
public:
    CandidateEvaluator(Circuit circuit, ResponseKind response, double f);

    struct Figures {
        std::optional<double> f3;  // Hz
        double shapeErrorDb = 0;
    };
    Figures Evaluate(const Parts& parts) const;
    // The same figures with a real op-amp (slower: a rational function of higher degree).
    Figures Evaluate(const Parts& parts, const OpAmp& opamp) const;
    std::optional<double> F3(const Parts& parts) const;

    Circuit circuit() const { return circuit_; }
    double frequency() const { return f_; }

private:
    Circuit circuit_;
    double f_;
    double scale_;
    std::vector<double> t_;            // grid points as (w / 2 pi f)^2
    std::vector<double> x_;            // grid points as x^2 (|x| of IdealCubic)
    std::vector<double> targetPower_;  // |H_target|^2 at those points
};

// The -3 dB point of a normalised cubic 1 + d1 x + d2 x^2 + d3 x^3: the smallest y > 0 with
// |D(j sqrt(y))|^2 = 2, where y is x^2 in the variable of IdealCubic.
std::optional<double> CubicHalfPowerPoint(const std::array<double, 3>& d);
// The same, found faster by Newton steps from a nearby `hint` (> 0) when they converge
// to the smallest positive root.
std::optional<double> CubicHalfPowerPoint(const std::array<double, 3>& d, double hint);

}  // namespace design
