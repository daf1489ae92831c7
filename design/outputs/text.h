// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A design as a short text for a terminal: what was asked, the parts, and each figure with
// its unit, in ASCII.
#pragma once

#include <string>

#include "design/report.h"

namespace design::outputs {

std::string TerminalText(const Report& report);

}  // namespace design::outputs
