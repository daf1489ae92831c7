// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "design/portable_math.h"

namespace design {

namespace {

constexpr double GbwTop = 1e5;         // the highest GBW considered, times f
constexpr double GbwBottom = 1e-2;     // the lowest, times f
constexpr int GbwStepsPerDecade = 20;  // scan from the top down in these steps

struct OpAmpDeviation {
    double f3Shift;  // |f3(op-amp) / f3(ideal) - 1|, infinite without f3
    double shapeAdded;
};

}  // namespace

GbwNeeded FindGbwNeeded(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                        const OpAmp& opamp)
{
    const CandidateEvaluator evaluator(circuit, response, f);
    const CandidateEvaluator::Figures ideal = evaluator.Evaluate(parts);
    const auto deviation = [&](double gbw) {
        OpAmp real = opamp;
        real.gbw = gbw;
        const CandidateEvaluator::Figures figures = evaluator.Evaluate(parts, real);
        const double shift = figures.f3 && ideal.f3 ? std::fabs(*figures.f3 / *ideal.f3 - 1)
                                                    : std::numeric_limits<double>::infinity();
        return OpAmpDeviation{shift, figures.shapeErrorDb - ideal.shapeErrorDb};
    };
    const std::array<double (*)(const OpAmpDeviation&), 3> excess = {
        [](const OpAmpDeviation& d) { return d.f3Shift - 0.01; },
        [](const OpAmpDeviation& d) { return d.f3Shift - 0.001; },
        [](const OpAmpDeviation& d) { return d.shapeAdded - 0.1; },
    };

    // "From G up": scanning down from the top, the first GBW that fails ends the range;
    // the boundary is then found between it and the step above by bisection (in log GBW).
    std::array<std::optional<double>, 3> needed;
    std::array<bool, 3> settled{};
    const auto gbwAt = [&](double step) {
        return f * GbwTop * portable::Exp10(-step / GbwStepsPerDecade);
    };
    const int steps = static_cast<int>(portable::Log10(GbwTop / GbwBottom) * GbwStepsPerDecade);
    for (int step = 0; step <= steps; ++step) {
        const OpAmpDeviation d = deviation(gbwAt(step));
        for (std::size_t i = 0; i < 3; ++i) {
            if (settled[i] || !(excess[i](d) > 0))
                continue;
            settled[i] = true;
            if (step == 0)
                continue;  // fails even at the top: nothing is enough
            double pass = step - 1, fail = step;
            for (int k = 0; k < 40; ++k) {
                const double mid = (pass + fail) / 2;
                (excess[i](deviation(gbwAt(mid))) > 0 ? fail : pass) = mid;
            }
            needed[i] = gbwAt(pass);
        }
        if (settled[0] && settled[1] && settled[2])
            break;
    }
    for (std::size_t i = 0; i < 3; ++i)
        if (!settled[i])
            needed[i] = gbwAt(steps);  // passes everywhere scanned
    return {needed[0], needed[1], needed[2]};
}

OpAmpFigures AnalyseOpAmp(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                          const OpAmp& opamp)
{
    OpAmpFigures figures;
    figures.opamp = opamp;
    const Edges edges = ResponseEdges(circuit, parts, opamp);
    figures.f3 = edges.f3;
    figures.upperEdge = edges.upper;
    figures.shapeErrorDb = ShapeErrorDb(circuit, response, f, parts, opamp);
    figures.gbwNeeded = FindGbwNeeded(circuit, response, f, parts, opamp);
    return figures;
}

std::optional<Sensitivities> F3Sensitivities(Circuit circuit, const Parts& parts)
{
    // Central differences in ln x: the error is of order h^2 and eps / h, both near 1e-10.
    constexpr double H = 1e-5;
    static const double Up = portable::Exp(H), Down = portable::Exp(-H);
    Parts varied = parts;
    const auto slope = [&](double& part) -> std::optional<double> {
        const double nominal = part;
        part = nominal * Up;
        const std::optional<double> up = F3(circuit, varied);
        part = nominal * Down;
        const std::optional<double> down = F3(circuit, varied);
        part = nominal;
        if (!up || !down)
            return std::nullopt;
        return (portable::Log(*up) - portable::Log(*down)) / (2 * H);
    };
    Sensitivities s;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<double> series = slope(varied.series[i]);
        const std::optional<double> shunt = slope(varied.shunt[i]);
        if (!series || !shunt)
            return std::nullopt;
        s.series[i] = *series;
        s.shunt[i] = *shunt;
    }
    return s;
}

std::uint64_t SplitMix64::Next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double SplitMix64::Uniform()
{
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

std::array<double, 2> SplitMix64::NormalPair()
{
    // The polar form of Box-Muller: a point drawn uniformly in the unit disc gives two
    // independent normal deviates with one logarithm and no sine or cosine.
    for (;;) {
        const double u = 2 * Uniform() - 1;
        const double v = 2 * Uniform() - 1;
        const double s = u * u + v * v;
        if (s >= 1 || s == 0)
            continue;
        const double factor = std::sqrt(-2 * std::log(s) / s);
        return {u * factor, v * factor};
    }
}

double Quantile(std::span<double> values, double q)
{
    const double position = static_cast<double>(values.size() - 1) * q;
    const auto below = static_cast<std::size_t>(std::floor(position));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(below), values.end());
    const double low = values[below];
    if (below + 1 >= values.size())
        return low;
    // The next order statistic is the smallest of those after `below`.
    const double high =
        *std::min_element(values.begin() + static_cast<long>(below) + 1, values.end());
    return low + (high - low) * (position - static_cast<double>(below));
}

Parts AtCorner(Circuit circuit, const Parts& parts, const ToleranceRequest& request,
               const std::array<int, 6>& corner)
{
    const double series = circuit == Circuit::LowPass ? request.resistors : request.capacitors;
    const double shunt = circuit == Circuit::LowPass ? request.capacitors : request.resistors;
    Parts p = parts;
    for (std::size_t i = 0; i < 3; ++i) {
        p.series[i] *= 1 + series * corner[i];
        p.shunt[i] *= 1 + shunt * corner[3 + i];
    }
    return p;
}

std::optional<WorstCase> WorstCaseOf(Circuit circuit, double f, const Parts& parts,
                                     const ToleranceRequest& request)
{
    std::optional<WorstCase> worst;
    for (unsigned bits = 0; bits < 64; ++bits) {
        std::array<int, 6> corner{};
        for (std::size_t i = 0; i < 6; ++i)
            corner[i] = (bits >> i) & 1U ? 1 : -1;
        const std::optional<double> f3 = F3(circuit, AtCorner(circuit, parts, request, corner));
        if (!f3)
            return std::nullopt;
        const double error = *f3 / f - 1;
        if (!worst)
            worst = WorstCase{error, error, corner, corner};
        if (error < worst->low) {
            worst->low = error;
            worst->lowCorner = corner;
        }
        if (error > worst->high) {
            worst->high = error;
            worst->highCorner = corner;
        }
    }
    return worst;
}

std::optional<std::vector<double>> ToleranceErrors(Circuit circuit, double f, const Parts& parts,
                                                   const ToleranceRequest& request,
                                                   const std::function<bool(long done)>& keepGoing)
{
    // The series parts are the resistors of the low-pass and the capacitors of the high-pass.
    // A deviate of 1 is the whole tolerance (uniform) or one sigma, a third of it (normal).
    const double perDeviate = request.distribution == Distribution::Uniform ? 1.0 : 1.0 / 3;
    const double seriesTolerance =
        (circuit == Circuit::LowPass ? request.resistors : request.capacitors) * perDeviate;
    const double shuntTolerance =
        (circuit == Circuit::LowPass ? request.capacitors : request.resistors) * perDeviate;
    SplitMix64 random(request.seed);

    std::array<double, 6> deviates{};
    const auto draw = [&] {
        if (request.distribution == Distribution::Uniform) {
            for (double& d : deviates)
                d = 2 * random.Uniform() - 1;
            return;
        }
        for (std::size_t i = 0; i < 6; i += 2) {
            const std::array<double, 2> z = random.NormalPair();
            deviates[i] = z[0];
            deviates[i + 1] = z[1];
        }
    };

    // Samples lie near the nominal parts: their -3 dB point is where the search starts.
    const double scale = 2 * std::numbers::pi * f;
    const std::optional<double> nominal = CubicHalfPowerPoint(IdealCubic(circuit, parts, scale));
    const double hint = nominal ? *nominal : 1;
    std::vector<double> errors;
    errors.reserve(static_cast<std::size_t>(std::max(request.samples, 0L)));
    for (long n = 0; n < request.samples; ++n) {
        if (n % ToleranceProgressStep == 0 && !keepGoing(n))
            return std::nullopt;
        draw();
        Parts p = parts;
        for (std::size_t i = 0; i < 3; ++i) {
            p.series[i] *= 1 + seriesTolerance * deviates[i];
            p.shunt[i] *= 1 + shuntTolerance * deviates[3 + i];
        }
        const std::optional<double> y = CubicHalfPowerPoint(IdealCubic(circuit, p, scale), hint);
        if (!y)
            continue;  // positive parts always cross -3 dB; kept for safety
        const double ratio = circuit == Circuit::LowPass ? std::sqrt(*y) : 1 / std::sqrt(*y);
        errors.push_back(ratio - 1);
    }
    if (!keepGoing(request.samples))
        return std::nullopt;
    return errors;
}

ToleranceFigures FiguresOf(std::span<double> errors)
{
    ToleranceFigures figures;
    figures.samples = static_cast<long>(errors.size());
    if (errors.empty())
        return figures;
    double sum = 0;
    for (const double e : errors)
        sum += e;
    const double mean = sum / static_cast<double>(errors.size());
    double squares = 0;
    for (const double e : errors)
        squares += (e - mean) * (e - mean);
    figures.sigma =
        errors.size() > 1 ? std::sqrt(squares / static_cast<double>(errors.size() - 1)) : 0;
    figures.p0_5 = Quantile(errors, 0.005);
    figures.p99_5 = Quantile(errors, 0.995);
    return figures;
}

ToleranceFigures MonteCarlo(Circuit circuit, double f, const Parts& parts,
                            const ToleranceRequest& request)
{
    std::optional<std::vector<double>> errors =
        ToleranceErrors(circuit, f, parts, request, [](long) { return true; });
    return FiguresOf(*errors);
}

}  // namespace design
