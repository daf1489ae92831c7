// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Everything known about one request: the design and its analyses, as the design command
// prints them and as a netlist, a plot or a report would use them.
#pragma once

#include <optional>

#include "design/analysis.h"
#include "design/design.h"

namespace design {

struct Report {
    Design design;                     // holds the request
    std::optional<double> windowF3;    // the window's own values for the same inputs
    std::optional<double> rippleEdge;  // Chebyshev only
    std::optional<Sensitivities> sensitivity;
    std::optional<OpAmpFigures> opamp;  // holds the op-amp analysed
    std::optional<ToleranceRequest> toleranceRequest;
    std::optional<ToleranceFigures> tolerance;
};

// The design of `request`, with the op-amp and tolerance analyses when asked for. Throws
// std::invalid_argument as MakeDesign does.
Report MakeReport(const Request& request, const std::optional<OpAmp>& opamp,
                  const std::optional<ToleranceRequest>& tolerance);

}  // namespace design
