// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/design.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace design {

namespace {

struct Candidate {
    double value;
    std::array<double, 3> ideal;
    std::array<double, 3> chosen;
    CandidateEvaluator::Figures figures;

    double AbsF3Error(double f) const
    {
        return figures.f3 ? std::fabs(*figures.f3 / f - 1)
                          : std::numeric_limits<double>::infinity();
    }
};

// Ties: the smaller shape error, then the lower R or C, then the lower parts.
bool BeforeOnTies(const Candidate& a, const Candidate& b)
{
    return std::tie(a.figures.shapeErrorDb, a.value, a.chosen) <
           std::tie(b.figures.shapeErrorDb, b.value, b.chosen);
}

std::vector<double> EqualValues(const Request& request)
{
    if (!request.moveSeries)
        return {request.value};
    const long nearest = NearestIndex(*request.moveSeries, request.value);
    std::vector<double> values;
    for (long i = nearest - request.moveSteps; i <= nearest + request.moveSteps; ++i)
        values.push_back(StandardValue(*request.moveSeries, i));
    return values;
}

}  // namespace

std::optional<double> F3Error(const std::optional<double>& f3, double frequency)
{
    if (!f3)
        return std::nullopt;
    return *f3 / frequency - 1;
}

Design MakeDesign(const Request& request)
{
    if (request.moveSeries && !request.series)
        throw std::invalid_argument("moving the equal value needs a series");
    const CandidateEvaluator evaluator(request.circuit, request.response, request.frequency);

    Design design;
    design.request = request;
    if (!request.series) {
        design.value = request.value;
        design.ideal = IdealParts(request.circuit, request.response, request.coefficients,
                                  request.frequency, request.value);
        design.chosen = design.ideal;
        design.parts = EqualSeries(design.value, design.chosen);
        const CandidateEvaluator::Figures figures = evaluator.Evaluate(design.parts);
        design.f3 = figures.f3;
        design.shapeErrorDb = figures.shapeErrorDb;
        return design;
    }

    // Every value of R (or C) with its own ideal parts, each part from the two standard
    // values at or below its ideal value and the two above.
    std::vector<Candidate> candidates;
    for (const double value : EqualValues(request)) {
        const std::array<double, 3> ideal = IdealParts(
            request.circuit, request.response, request.coefficients, request.frequency, value);
        std::array<std::array<double, 4>, 3> options;
        for (std::size_t i = 0; i < 3; ++i)
            options[i] = Neighbours(*request.series, ideal[i]);
        for (const double a : options[0])
            for (const double b : options[1])
                for (const double c : options[2]) {
                    const std::array<double, 3> chosen{a, b, c};
                    candidates.push_back(
                        {value, ideal, chosen, evaluator.Evaluate(EqualSeries(value, chosen))});
                }
    }

    double bestShape = std::numeric_limits<double>::infinity();
    for (const Candidate& c : candidates)
        bestShape = std::min(bestShape, c.figures.shapeErrorDb);
    const Candidate* best = nullptr;
    for (const Candidate& c : candidates) {
        if (request.objective == Objective::Shape) {
            if (!best || BeforeOnTies(c, *best))
                best = &c;
            continue;
        }
        // Balanced: the smallest |f3 error| among those within 0.1 dB of the best shape.
        if (!(c.figures.shapeErrorDb <= bestShape + 0.1))
            continue;
        if (!best) {
            best = &c;
            continue;
        }
        const double e = c.AbsF3Error(request.frequency);
        const double bestE = best->AbsF3Error(request.frequency);
        if (e < bestE || (e == bestE && BeforeOnTies(c, *best)))
            best = &c;
    }
    design.value = best->value;
    design.ideal = best->ideal;
    design.chosen = best->chosen;
    design.parts = EqualSeries(best->value, best->chosen);
    design.f3 = best->figures.f3;
    design.shapeErrorDb = best->figures.shapeErrorDb;
    design.combinations = static_cast<int>(candidates.size());
    return design;
}

bool Impractical(Circuit circuit, double part)
{
    switch (circuit) {
    case Circuit::LowPass: return part < 100e-12 || part > 10e-6;
    case Circuit::HighPass: return part < 100 || part > 1e6;
    }
    return false;
}

}  // namespace design
