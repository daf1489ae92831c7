// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The Bode plot of a design as SVG: magnitude, phase and the deviation from the target
// response over f/100 ... 100 f, the target dashed and the designed circuit solid (with
// the op-amp model when one was given), a marker at f and a dot at the realised -3 dB
// point. Self-contained: presentation attributes only, no script, no external reference.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/report.h"

namespace design::outputs {

// Standalone: an XML declaration first, for a .svg file. Inline (for HTML): without it.
// `idPrefix` keeps the clip paths' ids unique in a page that holds more than one plot.
std::string BodePlot(const Report& report, bool standalone, std::string_view idPrefix = "bode");

// Curve points from f/100 to 100 f.
inline constexpr int PlotPointsPerDecade = 50;
inline constexpr int PlotDecades = 4;

// The plot's curves: at f/100 10^(i / pointsPerDecade), i = 0 ... 4 pointsPerDecade, the
// designed circuit (with the op-amp model when one was given) and the target, phases
// unwrapped, and the designed magnitude's deviation from the target's.
struct BodeCurves {
    double f = 0;              // Hz, the target's -3 dB point
    std::optional<double> f3;  // the realised -3 dB point (with the op-amp when given)
    std::vector<double> freq;  // Hz
    std::vector<double> designDb;
    std::vector<double> targetDb;
    std::vector<double> designPhase;  // degrees
    std::vector<double> targetPhase;
    std::vector<double> deviation;  // dB, designDb - targetDb
    double largestDeviation = 0;    // dB, where the target is at or above ShapeFloorDb
};
BodeCurves BodeCurvesOf(const Report& report, int pointsPerDecade = PlotPointsPerDecade);

}  // namespace design::outputs
