// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a built circuit does beyond its -3 dB point, for an ideal follower or the op-amp
// model: the group delay, the response to a unit step, the stop-band's floor and the
// shape error against the target moved to the realised f3. All from the transfer function
// of filter.h in closed form (no time stepping, no sampled spectra).
#pragma once

#include <array>
#include <complex>
#include <optional>
#include <vector>

#include "design/filter.h"

namespace design {

// Roots of a real polynomial of degree 1 to 7 (Aberth iterations, each root then polished
// by Newton steps on the polynomial itself): relative error near 1e-14 for simple roots,
// the square root of that for a double root.
std::vector<std::complex<double>> PolynomialRoots(const Polynomial& p);

// Poles as filter tables give them: each complex pair by its natural frequency f0 = |s| / 2 pi
// and quality factor Q = |s| / (-2 Re s), each real pole by its frequency |s| / 2 pi; each
// list in ascending frequency. A high-pass's poles are those of its 1/H in s, which for the
// target are the low-pass's mirrored about f3 (f0 -> f3^2 / f0, Q unchanged).
struct PolePair {
    double f0 = 0;  // Hz
    double q = 0;
};
struct Poles {
    std::vector<PolePair> pairs;
    std::vector<double> real;  // Hz
};

// The circuit's, from its transfer function (an ideal follower: three; the op-amp model:
// its own as well), to the relative error of PolynomialRoots.
Poles PolesOf(Circuit circuit, const Parts& parts,
              const std::optional<OpAmp>& opamp = std::nullopt);

// The target response's with its -3 dB point at f3.
Poles TargetPoles(Circuit circuit, ResponseKind response, double f3);

// -d(phase)/d(omega) in seconds at `frequency` (Hz), exact: Re(D'/D - N'/N) at j omega.
double GroupDelayAt(Circuit circuit, const Parts& parts, double frequency,
                    const std::optional<OpAmp>& opamp = std::nullopt);

struct GroupDelay {
    double dc = 0;                 // s
    std::optional<double> flatTo;  // Hz: where the delay first leaves 1 % of `dc`
};
// Low-pass only (nullopt for the high-pass, whose delay has no DC value). flatTo is found on
// a grid of 100 points a decade from f/1000 to 100 f, then by bisection to 1e-9 relative.
std::optional<GroupDelay> GroupDelayOf(Circuit circuit, const Parts& parts, double f,
                                       const std::optional<OpAmp>& opamp = std::nullopt);

// The output for a unit step at the input at t = 0, from the poles p_k by partial fractions:
// y(t) = H(0) + sum_k N(p_k) / (p_k D'(p_k)) e^(p_k t). Assumes simple poles (the circuits'
// poles are distinct for any positive parts); relative error near 1e-12.
class StepResponse {
public:
    StepResponse(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp);
    double operator()(double t) const;  // V, t in seconds
    double Final() const { return final_; }
    // The time (s) after which every term together is below `level`, by the terms' envelope.
    double EnvelopeBelow(double level) const;

private:
    double scale_;  // rad/s: t scale_ is the time of the normalised poles
    double final_;
    std::vector<std::complex<double>> poles_;
    std::vector<std::complex<double>> residues_;
};

// The step's height is the input's, 1 V. overshoot: (peak - final) for the low-pass,
// (final - lowest) for the high-pass, as fractions of the height; riseTime 10-90 % (low-pass
// only); settling: from the step until the output stays within 1 % / 0.1 % of the height
// around the final value. Found on 2000 points to where the envelope is below 1e-4, then by
// golden section or bisection to 1e-12 of that span.
struct StepFigures {
    double overshoot = 0;
    std::optional<double> riseTime;  // s
    double settling1Percent = 0;     // s
    double settling0_1Percent = 0;   // s
};
StepFigures StepFiguresOf(Circuit circuit, const Parts& parts,
                          const std::optional<OpAmp>& opamp = std::nullopt);

// |H| in dB at 100 f, 1000 f and 10000 f: where a low-pass with an op-amp whose output
// resistance is not zero stops falling (its output leaks through C2 into RO).
struct StopBand {
    double at100fDb = 0;
    double at1000fDb = 0;
    double at10000fDb = 0;
};
StopBand StopBandOf(Circuit circuit, const Parts& parts, double f, const OpAmp& opamp);

// The largest |20 log10 |H| - 20 log10 |H_target|| with the target's -3 dB point at f3
// (the realised one): the shape alone, without the f3 error. On the points
// 0.01 f3 10^(k/400) up to `top` (Hz) where the target is at or above -20 dB.
double AlignedShapeErrorDb(Circuit circuit, ResponseKind response, double f3, const Parts& parts,
                           const std::optional<OpAmp>& opamp, double top);

// The -3 dB frequency of a Chebyshev response whose ripple band ends at `edge` (Hz); nullopt
// for the responses without a ripple band.
std::optional<double> F3FromPassbandEdge(Circuit circuit, ResponseKind response, double edge);

}  // namespace design
