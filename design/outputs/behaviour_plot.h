// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The design's time and delay behaviour as one SVG of small panels side by side: the group
// delay over f/100 ... 100 f (low-pass), the unit step response to three times its 0.1 %
// settling time, and for a low-pass with an op-amp whose RO is above 0 the stop-band from
// f to 10^4 f, where the op-amp's output resistance sets a floor. The ideal follower dashed,
// the op-amp model solid when one was given. Presentation attributes only, no script.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/report.h"

namespace design::outputs {

// One panel's curves over its x values (Hz on a log scale, or seconds): the ideal follower's,
// then the op-amp model's when one was given. A value that does not compute is not finite.
struct BehaviourPanel {
    enum class Kind { GroupDelay, Step, StopBand } kind;
    std::string title;
    std::string yUnit;  // "s", "V", or "" for dB
    bool logX = false;
    std::vector<double> x;
    std::vector<std::vector<double>> curves;
};

// The panels the report draws, in its order: the group delay (low-pass), the step response,
// the stop-band (low-pass with RO above 0). `points` per curve (the report's 200 by default).
std::vector<BehaviourPanel> BehaviourPanelsOf(const Report& report, int points = 200);

// Inline SVG for the report; `idPrefix` keeps its clip paths' ids unique in the page.
std::string BehaviourPlot(const Report& report, std::string_view idPrefix = "behaviour");

}  // namespace design::outputs
