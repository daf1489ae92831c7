// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A design's circuit as SVG, drawn from the window's schematic geometry (resources/), with
// each part's value written at the part.
#pragma once

#include <string>

#include "design/report.h"

namespace design::outputs {

// Inline SVG (no XML declaration) for an HTML page; `scale` pixels a grid unit.
std::string SchematicSvg(const Report& report, double scale = 2.4);

}  // namespace design::outputs
