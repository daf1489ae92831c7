// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A design as one JSON object for a program: figures in SI units and fractions, each double
// written so that it reads back exactly, null for a figure that does not exist.
#pragma once

#include <string>

#include "design/report.h"

namespace design::outputs {

std::string JsonDocument(const Report& report);  // one object and "\n"

}  // namespace design::outputs
