// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/report.h"

namespace design {

Report MakeReport(const Request& request, const std::optional<OpAmp>& opamp,
                  const std::optional<ToleranceRequest>& tolerance)
{
    Report report;
    report.design = MakeDesign(request);
    const Circuit circuit = request.circuit;
    const Parts& parts = report.design.parts;
    const std::array<double, 3> window = IdealParts(
        circuit, ResponseKind::Butterworth, Coefficients::Window, request.frequency, request.value);
    report.windowF3 = F3(circuit, EqualSeries(request.value, window));
    report.rippleEdge = RippleEdge(circuit, request.response, request.frequency);
    report.sensitivity = F3Sensitivities(circuit, parts);
    if (opamp)
        report.opamp = AnalyseOpAmp(circuit, request.response, request.frequency, parts, *opamp);
    report.toleranceRequest = tolerance;
    if (tolerance)
        report.tolerance = MonteCarlo(circuit, request.frequency, parts, *tolerance);
    return report;
}

}  // namespace design
