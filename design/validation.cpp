// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/validation.h"

#include <cmath>

#include "design/double_text.h"
#include "design/eseries.h"
#include "design/filter.h"
#include "design/vocabulary.h"

namespace design {

namespace {

bool InRange(double x)
{
    return x >= Smallest && x <= Largest;
}

std::optional<Problem> ProblemIf(bool wrong, Subject subject, Circuit circuit = Circuit::LowPass)
{
    if (!wrong)
        return std::nullopt;
    return Problem{subject, Expected(subject, circuit)};
}

// The computed parts of every value of R (or C) the search may take stay in range.
bool PartsInRange(const Request& request)
{
    std::vector<double> values = {request.value};
    if (request.moveSeries) {
        const long nearest = NearestIndex(*request.moveSeries, request.value);
        values.push_back(StandardValue(*request.moveSeries, nearest - request.moveSteps));
        values.push_back(StandardValue(*request.moveSeries, nearest + request.moveSteps));
    }
    for (const double value : values) {
        if (!InRange(value))
            return false;
        for (const double part : IdealParts(request.circuit, request.response, request.coefficients,
                                            request.frequency, value))
            if (!InRange(part))
                return false;
    }
    return true;
}

}  // namespace

std::string Expected(Subject subject, Circuit circuit)
{
    // The limits in these texts are Smallest, Largest, MaxMoveSteps, MaxTolerancePercent and
    // MaxSamples.
    switch (subject) {
    case Subject::Frequency:
        return "expected a frequency in Hz from 1e-30 to 1e30, such as 100, 2.5k or 1kHz";
    case Subject::Value:
        return circuit == Circuit::LowPass
                   ? "expected a resistance R in ohms, such as 33k, 4k7 or 33kOhm, from 1e-30 "
                     "to 1e30"
                   : "expected a capacitance C in farads, such as 10n, 4n7 or 10nF, from 1e-30 "
                     "to 1e30";
    case Subject::MoveSteps:
        return "expected SERIES[:STEPS], a series " + std::string(Id(All<Series>.front())) +
               " to " + std::string(Id(All<Series>.back())) + " and 0 to " +
               std::to_string(MaxMoveSteps) + " steps, such as E24 or E24:3";
    case Subject::OpAmp:
        return "expected GBW[,A0[,RO]] with a decimal point, such as 1Meg or 1.5Meg,200k,100 "
               "(GBW from 1e-30 to 1e30, A0 from 1 to 1e30, RO zero or up to 1e30)";
    case Subject::Tolerance:
        return "expected R%,C% with a decimal point, each from 0 to " +
               ShortestDoubleText(MaxTolerancePercent) + ", such as 1,5 or 0.5%,1%";
    case Subject::Samples:
        return "expected a whole number of samples from 1 to " + std::to_string(MaxSamples);
    case Subject::MoveWithoutSeries: return "expected --series as well";
    case Subject::WindowCoefficients:
        return "expected --response butterworth (the window's coefficients are Butterworth "
               "only)";
    case Subject::Parts: return "expected a pair that keeps the computed parts from 1e-30 to 1e30";
    case Subject::OpAmpGbw: return "expected a GBW above the frequency";
    }
    return {};
}

std::optional<Problem> CheckFrequency(double frequency)
{
    return ProblemIf(!InRange(frequency), Subject::Frequency);
}

std::optional<Problem> CheckValue(Circuit circuit, double value)
{
    return ProblemIf(!InRange(value), Subject::Value, circuit);
}

std::optional<Problem> CheckMoveSteps(int steps)
{
    return ProblemIf(steps < 0 || steps > MaxMoveSteps, Subject::MoveSteps);
}

std::optional<Problem> CheckOpAmp(const OpAmp& opamp)
{
    // A gain below 1 cannot make a follower: its output never reaches the input's level.
    return ProblemIf(!InRange(opamp.gbw) || !(opamp.a0 >= 1) || opamp.a0 > Largest ||
                         !(opamp.ro >= 0) || opamp.ro > Largest,
                     Subject::OpAmp);
}

std::optional<Problem> CheckTolerance(double fraction)
{
    return ProblemIf(!(fraction >= 0) || fraction > MaxTolerancePercent / 100, Subject::Tolerance);
}

std::optional<Problem> CheckSamples(double samples)
{
    return ProblemIf(!(samples >= 1) || samples > static_cast<double>(MaxSamples) ||
                         samples != std::floor(samples),
                     Subject::Samples);
}

std::vector<Problem> CheckSettings(const Request& request)
{
    std::vector<Problem> problems;
    if (request.moveSeries && !request.series)
        problems.push_back(*ProblemIf(true, Subject::MoveWithoutSeries));
    if (request.coefficients == Coefficients::Window && !TakesWindowCoefficients(request.response))
        problems.push_back(*ProblemIf(true, Subject::WindowCoefficients));
    return problems;
}

std::optional<Problem> CheckBuildable(const Request& request, const std::optional<OpAmp>& opamp)
{
    if (!PartsInRange(request))
        return ProblemIf(true, Subject::Parts);
    // An op-amp no faster than the filter leaves no filter; most often a comma meant as a
    // decimal point, so that the GBW is the digits before it.
    if (opamp && opamp->gbw <= request.frequency)
        return Problem{Subject::OpAmpGbw, Expected(Subject::OpAmpGbw, request.circuit) + " of " +
                                              ShortestDoubleText(request.frequency) + " Hz"};
    return std::nullopt;
}

std::vector<Problem> Validate(const Request& request, const std::optional<OpAmp>& opamp,
                              const std::optional<ToleranceRequest>& tolerance)
{
    std::vector<Problem> problems;
    const auto add = [&problems](std::optional<Problem> problem) {
        if (problem)
            problems.push_back(std::move(*problem));
    };
    add(CheckFrequency(request.frequency));
    add(CheckValue(request.circuit, request.value));
    if (request.moveSeries)
        add(CheckMoveSteps(request.moveSteps));
    if (opamp)
        add(CheckOpAmp(*opamp));
    if (tolerance) {
        add(CheckTolerance(tolerance->resistors));
        add(CheckTolerance(tolerance->capacitors));
        add(CheckSamples(static_cast<double>(tolerance->samples)));
    }
    for (Problem& problem : CheckSettings(request))
        problems.push_back(std::move(problem));
    if (problems.empty())
        add(CheckBuildable(request, opamp));
    return problems;
}

}  // namespace design
