// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The one-file HTML report of a design: what was asked (with the command line as typed),
// the schematic with the values at the parts, the parts table, the response, op-amp and
// tolerance figures, the Bode plot, the netlist and the assumptions in plain words.
// No script and no external resource; every text escaped; prints on at most two A4 pages.
// The command line is shown as valid UTF-8 on one line that no control can reorder:
// invalid bytes as U+FFFD, controls and bidirectional controls as escapes (\x1b, \u202e).
#pragma once

#include <string>
#include <string_view>

#include "design/outputs/netlist.h"
#include "design/report.h"

namespace design::outputs {

std::string HtmlReport(const Report& report, std::string_view commandLine, Dialect dialect);

}  // namespace design::outputs
