// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/report.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace design {

Behaviour BehaviourOf(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                      const std::optional<OpAmp>& opamp, const NoiseRequest& noise)
{
    Behaviour b;
    const Edges edges =
        opamp ? ResponseEdges(circuit, parts, opamp) : Edges{F3(circuit, parts), std::nullopt};
    if (edges.f3) {
        double top = 100 * *edges.f3;
        if (edges.upper)
            top = std::min(top, *edges.upper / 10);
        b.alignedShapeErrorDb =
            AlignedShapeErrorDb(circuit, response, *edges.f3, parts, opamp, top);
    }
    b.groupDelay = GroupDelayOf(circuit, parts, f, opamp);
    b.step = StepFiguresOf(circuit, parts, opamp);
    b.poles = PolesOf(circuit, parts, opamp);
    const bool lowPass = circuit == Circuit::LowPass;
    Band band{f / 100, 100 * f};
    if (noise.band)
        band = *noise.band;
    else if (edges.upper)
        band.to = *edges.upper;
    b.noise = NoiseOf(circuit, parts, opamp, noise.opamp, lowPass ? f / 10 : 10 * f, band);
    return b;
}

Report MakeReport(const Request& request, const std::optional<OpAmp>& opamp,
                  const std::optional<ToleranceRequest>& tolerance, const NoiseRequest& noise,
                  Sampling sampling, std::span<const double> gainAt)
{
    Report report;
    report.design = MakeDesign(request);
    const Circuit circuit = request.circuit;
    const Parts& parts = report.design.parts;
    const std::array<double, 3> window = IdealParts(
        circuit, ResponseKind::Butterworth, Coefficients::Window, request.frequency, request.value);
    // The window computes the Butterworth response only.
    if (request.response == ResponseKind::Butterworth)
        report.windowF3 = F3(circuit, EqualSeries(request.value, window));
    report.rippleEdge = RippleEdge(circuit, request.response, request.frequency);
    report.targetPoles = TargetPoles(circuit, request.response, request.frequency);
    report.sensitivity = F3Sensitivities(circuit, parts);
    if (opamp)
        report.opamp = AnalyseOpAmp(circuit, request.response, request.frequency, parts, *opamp);
    report.toleranceRequest = tolerance;
    if (tolerance) {
        if (sampling == Sampling::Now)
            report.tolerance = MonteCarlo(circuit, request.frequency, parts, *tolerance);
        report.worstCase = WorstCaseOf(circuit, request.frequency, parts, *tolerance);
    }
    report.noiseRequest = noise;
    report.behaviour =
        BehaviourOf(circuit, request.response, request.frequency, parts, std::nullopt, noise);
    if (opamp) {
        OpAmpBehaviour o;
        o.behaviour =
            BehaviourOf(circuit, request.response, request.frequency, parts, opamp, noise);
        if (circuit == Circuit::LowPass && opamp->ro > 0)
            o.stopBand = StopBandOf(circuit, parts, request.frequency, *opamp);
        report.opampBehaviour = o;
    }
    const auto db = [](std::complex<double> h) { return 20 * std::log10(std::abs(h)); };
    for (const double at : gainAt) {
        GainAt g;
        g.frequency = at;
        g.targetDb = db(TargetResponse(circuit, request.response, request.frequency, at));
        g.circuitDb = db(FrequencyResponse(circuit, parts, at));
        if (opamp)
            g.opampDb = db(FrequencyResponse(circuit, parts, at, opamp));
        report.gainsAt.push_back(g);
    }
    return report;
}

}  // namespace design
