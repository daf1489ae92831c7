// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The results of one Go as one sentence, for a screen reader to say at once: the value
// labels change silently for it, and the markers alone do not say which value they mark.
#pragma once

#include <string>

#include "calc/calculation.h"

namespace behaviour {

// "Low-pass: C1 68,05 nF, C2 0,17 uF, C3 9,86 nF. High-pass: R1 109,5 kOhm, R2 43 kOhm,
// R3 755,8 kOhm." Numbers as the labels show them, units in Latin letters only, ",
// impractical" after a value whose marker shows, and "0" for a value below every display
// range (what its label shows). UTF-8.
std::string SpokenResults(const calc::Computed& computed);

}  // namespace behaviour
