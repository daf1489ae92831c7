// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a request must be before it is designed, for every front end: the limits of its
// numbers and how its settings go together. A problem is a value that says what was
// expected; the front end shows it after the input it names, as typed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/analysis.h"
#include "design/design.h"

namespace design {

// Numbers and parts are kept within this range so that the response polynomials and their
// squares stay far from the limits of a double.
inline constexpr double Smallest = 1e-30;
inline constexpr double Largest = 1e30;
inline constexpr double MaxTolerancePercent = 30;  // uniform and 3-sigma normal draws stay positive
inline constexpr int MaxMoveSteps = 50;

// The input a problem is about.
enum class Subject {
    Frequency,
    Value,
    MoveSteps,
    OpAmp,
    Tolerance,  // either of the two
    Samples,
    MoveWithoutSeries,
    WindowCoefficients,
    Parts,     // frequency and value together
    OpAmpGbw,  // the op-amp's GBW against the frequency
};

struct Problem {
    Subject subject;
    std::string expected;  // "expected ...", one line
};

// What a number must be, also to say when its text could not be read at all.
std::string Expected(Subject subject, Circuit circuit);

// Each number alone, so that a front end can report them in the order they were entered.
std::optional<Problem> CheckFrequency(double frequency);
std::optional<Problem> CheckValue(Circuit circuit, double value);
std::optional<Problem> CheckMoveSteps(int steps);
std::optional<Problem> CheckOpAmp(const OpAmp& opamp);
std::optional<Problem> CheckTolerance(double fraction);
std::optional<Problem> CheckSamples(double samples);  // a whole number from 1 to MaxSamples

// The settings that only go together: a move needs a series, the window's coefficients
// are Butterworth only. These make MakeDesign throw.
std::vector<Problem> CheckSettings(const Request& request);

// Which responses a setting applies to, for a front end to offer it only there: the
// window's coefficients are Butterworth's; only a Chebyshev response has a ripple band.
constexpr bool TakesWindowCoefficients(ResponseKind response)
{
    return response == ResponseKind::Butterworth;
}
constexpr bool HasRippleBand(ResponseKind response)
{
    return response == ResponseKind::Chebyshev05 || response == ResponseKind::Chebyshev1;
}

// What valid numbers build: the computed parts of every value the search may take within
// Smallest to Largest, and an op-amp faster than the frequency. Only for a request with
// no problem above.
std::optional<Problem> CheckBuildable(const Request& request, const std::optional<OpAmp>& opamp);

// Every problem above, in that order (the numbers, the settings, then what they build when
// nothing else is wrong). Empty: MakeReport takes the request.
std::vector<Problem> Validate(const Request& request, const std::optional<OpAmp>& opamp,
                              const std::optional<ToleranceRequest>& tolerance);

}  // namespace design
