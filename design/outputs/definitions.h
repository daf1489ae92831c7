// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What each figure means, in plain words and in one place: the report lists those its figures
// rest on among its assumptions, the designer shows each beside its figure (translated there;
// the texts are English here).
#pragma once

#include <string>
#include <string_view>

namespace design::outputs {

enum class Term {
    F3,
    ShapeError,  // %1: the response's name
    AlignedShapeError,
    Step,
    MovedValue,
    CombinationsWeighed,
    CalculatorF3,
    RippleEdge,
    GbwForF3,
    GbwForShape,
    UpperEdge,
    StopBand,
    Sensitivity,
    Poles,
    GroupDelay,
    Noise,
    ToleranceSpread,
    WorstCase,
    GainAt,
};

// The definition of `term`, with "%1" where ShapeError names the response.
std::string_view Definition(Term term);

// The definition with its "%1" filled in.
std::string Definition(Term term, std::string_view response);

}  // namespace design::outputs
