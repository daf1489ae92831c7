// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The Bode plot of a design as SVG: magnitude, phase and the deviation from the target
// response over f/100 ... 100 f, the target dashed and the designed circuit solid (with
// the op-amp model when one was given), a marker at f and a dot at the realised -3 dB
// point. Self-contained: presentation attributes only, no script, no external reference.
#pragma once

#include <string>
#include <string_view>

#include "design/report.h"

namespace design::outputs {

// Standalone: an XML declaration first, for a .svg file. Inline (for HTML): without it.
// `idPrefix` keeps the clip paths' ids unique in a page that holds more than one plot.
std::string BodePlot(const Report& report, bool standalone, std::string_view idPrefix = "bode");

// Curve points from f/100 to 100 f.
inline constexpr int PlotPointsPerDecade = 50;

}  // namespace design::outputs
