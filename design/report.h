// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Everything known about one request: the design and its analyses, as the design command
// prints them and as a netlist, a plot or a report would use them.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "design/analysis.h"
#include "design/behaviour.h"
#include "design/design.h"
#include "design/noise.h"

namespace design {

// What the circuit does with one op-amp model (an ideal follower, or the model given).
struct Behaviour {
    std::optional<double> alignedShapeErrorDb;  // nullopt without f3
    std::optional<GroupDelay> groupDelay;       // low-pass only
    StepFigures step;
    NoiseFigures noise;
    Poles poles;
};

// The noise asked for: the op-amp's own noise, and the band of the rms (by default f/100 to
// 100 f; for a high-pass with an op-amp, up to its upper edge).
struct NoiseRequest {
    std::optional<OpAmpNoise> opamp;
    std::optional<Band> band;
};

// The figures of the op-amp model beside the ideal follower's.
struct OpAmpBehaviour {
    Behaviour behaviour;
    std::optional<StopBand> stopBand;  // low-pass with RO > 0
};

// The gain at a frequency the user names (half a sampling rate, the mains), in dB.
struct GainAt {
    double frequency = 0;           // Hz
    double targetDb = 0;            // the response asked for, its -3 dB point at f
    double circuitDb = 0;           // the parts with an ideal follower
    std::optional<double> opampDb;  // the parts with the op-amp model
};
inline constexpr std::size_t MaxGainFrequencies = 8;

struct Report {
    Design design;                     // holds the request
    std::optional<double> windowF3;    // the window's own values for the same inputs
    std::optional<double> rippleEdge;  // Chebyshev only
    Poles targetPoles;                 // of the response asked for, at f
    std::optional<Sensitivities> sensitivity;
    std::optional<OpAmpFigures> opamp;  // holds the op-amp analysed
    std::optional<ToleranceRequest> toleranceRequest;
    std::optional<ToleranceFigures> tolerance;
    std::optional<WorstCase> worstCase;
    NoiseRequest noiseRequest;
    Behaviour behaviour;  // ideal follower
    std::optional<OpAmpBehaviour> opampBehaviour;
    std::vector<GainAt> gainsAt;  // in the order asked for
};

// Whether the tolerance samples are drawn now, or left to the caller (a window draws them
// on another thread): `tolerance` figures stay empty then, the worst case is there.
enum class Sampling { Now, Later };

// The design of `request`, with the op-amp and tolerance analyses when asked for and the gain
// at each of `gainAt` (Hz). Throws std::invalid_argument as MakeDesign does.
Report MakeReport(const Request& request, const std::optional<OpAmp>& opamp,
                  const std::optional<ToleranceRequest>& tolerance, const NoiseRequest& noise = {},
                  Sampling sampling = Sampling::Now, std::span<const double> gainAt = {});

// The figures of `parts` with an ideal follower (no op-amp) or the op-amp model.
Behaviour BehaviourOf(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                      const std::optional<OpAmp>& opamp, const NoiseRequest& noise);

}  // namespace design
