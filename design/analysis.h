// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a built design does with a real op-amp, how its -3 dB frequency depends on each
// part, and how it spreads with part tolerances.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "design/filter.h"

namespace design {

// The smallest GBW (Hz) from which on, up to 10^5 f, the op-amp moves f3 by at most 1 % or
// 0.1 % (|f3(op-amp) / f3(ideal) - 1|), or adds at most 0.1 dB to the shape error, against
// the same parts with an ideal op-amp. nullopt when even 10^5 f does not do.
struct GbwNeeded {
    std::optional<double> f3Within1Percent;
    std::optional<double> f3Within0_1Percent;
    std::optional<double> shapeWithin0_1Db;
};

struct OpAmpFigures {
    OpAmp opamp;
    std::optional<double> f3;  // Hz
    double shapeErrorDb = 0;
    std::optional<double> upperEdge;  // high-pass only: the band-pass's upper -3 dB edge
    GbwNeeded gbwNeeded;
};

OpAmpFigures AnalyseOpAmp(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                          const OpAmp& opamp);

// GBW needed for an op-amp with the gain and output resistance of `opamp`.
GbwNeeded FindGbwNeeded(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                        const OpAmp& opamp);

// d ln f3 / d ln x for each part (ideal op-amp); each group of three sums to -1.
struct Sensitivities {
    std::array<double, 3> series{};
    std::array<double, 3> shunt{};
};
std::optional<Sensitivities> F3Sensitivities(Circuit circuit, const Parts& parts);

// A small generator defined here in full (SplitMix64), so that a seed gives the same draws with
// any compiler and standard library.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) { }
    std::uint64_t Next();
    double Uniform();                    // [0, 1), 53 bits
    std::array<double, 2> NormalPair();  // two independent N(0, 1), polar Box-Muller

private:
    std::uint64_t state_;
};

struct ToleranceRequest {
    double resistors = 0.01;   // tolerance as a fraction
    double capacitors = 0.01;  // tolerance as a fraction
    long samples = 100000;
    std::uint64_t seed = 0x5EED;
    Distribution distribution = Distribution::Uniform;  // normal: the tolerance is 3 sigma
};
inline constexpr long MaxSamples = 10'000'000;

// The f3 error (f3 / f - 1) over samples whose six parts are drawn independently.
struct ToleranceFigures {
    long samples = 0;
    double sigma = 0;  // standard deviation
    double p0_5 = 0;   // 0.5 % quantile
    double p99_5 = 0;  // 99.5 % quantile
};
ToleranceFigures MonteCarlo(Circuit circuit, double f, const Parts& parts,
                            const ToleranceRequest& request);

// The f3 errors MonteCarlo's figures are made of, in the order drawn. `keepGoing` is asked
// with the number of samples done before the first and after every ToleranceProgressStep
// samples; nullopt when it says stop.
inline constexpr long ToleranceProgressStep = 1024;
std::optional<std::vector<double>> ToleranceErrors(Circuit circuit, double f, const Parts& parts,
                                                   const ToleranceRequest& request,
                                                   const std::function<bool(long done)>& keepGoing);

// MonteCarlo's figures of these errors (reordered by the quantiles).
ToleranceFigures FiguresOf(std::span<double> errors);

// f3 at every one of the 2^6 corners of the six parts' tolerances (ideal op-amp): the lowest
// and highest f3 error (f3 / f - 1) and their corners, +1 or -1 for each part (series, then
// shunt).
struct WorstCase {
    double low = 0;
    double high = 0;
    std::array<int, 6> lowCorner{};
    std::array<int, 6> highCorner{};
};
std::optional<WorstCase> WorstCaseOf(Circuit circuit, double f, const Parts& parts,
                                     const ToleranceRequest& request);

// The parts at a corner of their tolerances.
Parts AtCorner(Circuit circuit, const Parts& parts, const ToleranceRequest& request,
               const std::array<int, 6>& corner);

// The q-quantile of `values` (reordered), interpolated between the neighbouring order
// statistics at (n - 1) q.
double Quantile(std::span<double> values, double q);

}  // namespace design
