// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/behaviour.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace design {

namespace {

using Complex = std::complex<double>;
constexpr double TwoPi = 2 * std::numbers::pi;

// The polynomial without its leading zero coefficients (a model term that vanishes, RO = 0).
Polynomial Trimmed(Polynomial p)
{
    while (p.degree > 0 && p.c[static_cast<std::size_t>(p.degree)] == 0)
        --p.degree;
    return p;
}

struct ValueAndSlope {
    Complex value;
    Complex slope;
};

ValueAndSlope Horner(const Polynomial& p, Complex x)
{
    Complex value = p.c[static_cast<std::size_t>(p.degree)];
    Complex slope = 0;
    for (int k = p.degree - 1; k >= 0; --k) {
        slope = slope * x + value;
        value = value * x + p.c[static_cast<std::size_t>(k)];
    }
    return {value, slope};
}

// Where the transfer function is normalised: x = s / scale.
double ScaleOf(const Parts& parts)
{
    const double product = parts.series[0] * parts.series[1] * parts.series[2] * parts.shunt[0] *
                           parts.shunt[1] * parts.shunt[2];
    return 1 / std::cbrt(product);
}

// The smallest point of f on [a, b] where f is unimodal, by golden section.
template <class F>
double GoldenMinimum(const F& f, double a, double b)
{
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double c = b - ratio * (b - a), d = a + ratio * (b - a);
    double fc = f(c), fd = f(d);
    for (int i = 0; i < 80 && b - a > 1e-13 * (std::fabs(a) + std::fabs(b)); ++i) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = f(d);
        }
    }
    return (a + b) / 2;
}

// The point between `before` (inside(before) is false) and `after` (true) where `inside`
// turns true, by bisection.
template <class F>
double Crossing(const F& inside, double before, double after)
{
    for (int i = 0; i < 80; ++i) {
        const double mid = before + (after - before) / 2;
        if (mid == before || mid == after)
            break;
        (inside(mid) ? after : before) = mid;
    }
    return before + (after - before) / 2;
}

}  // namespace

std::vector<Complex> PolynomialRoots(const Polynomial& polynomial)
{
    const Polynomial p = Trimmed(polynomial);
    const int n = p.degree;
    std::vector<Complex> z(static_cast<std::size_t>(n));
    if (n == 0)
        return z;
    // Start on a circle of the roots' geometric mean size, turned off the real axis.
    const double lead = p.c[static_cast<std::size_t>(n)];
    const double radius = std::pow(std::fabs(p.c[0] / lead), 1.0 / n);
    for (int k = 0; k < n; ++k)
        z[static_cast<std::size_t>(k)] =
            std::polar(radius > 0 ? radius : 1.0, TwoPi * (k + 0.25) / n + 0.4);
    for (int iteration = 0; iteration < 500; ++iteration) {
        double largestStep = 0;
        for (std::size_t k = 0; k < z.size(); ++k) {
            const ValueAndSlope v = Horner(p, z[k]);
            if (v.value == 0.0)
                continue;
            const Complex ratio = v.value / v.slope;
            Complex repulsion = 0;
            for (std::size_t j = 0; j < z.size(); ++j)
                if (j != k)
                    repulsion += 1.0 / (z[k] - z[j]);
            const Complex step = ratio / (1.0 - ratio * repulsion);
            z[k] -= step;
            largestStep = std::max(largestStep, std::abs(step) / std::max(std::abs(z[k]), 1e-300));
        }
        if (largestStep < 1e-15)
            break;
    }
    for (Complex& root : z) {
        for (int step = 0; step < 3; ++step) {
            const ValueAndSlope v = Horner(p, root);
            if (v.slope == 0.0)
                break;
            const Complex next = root - v.value / v.slope;
            if (!(std::abs(Horner(p, next).value) < std::abs(v.value)))
                break;
            root = next;
        }
        if (std::fabs(root.imag()) < 1e-12 * std::abs(root))
            root.imag(0);
    }
    return z;
}

namespace {

// The poles from the roots of a denominator in s / scale (rad/s).
Poles PolesFromRoots(const std::vector<Complex>& roots, double scale)
{
    Poles poles;
    for (const Complex& root : roots) {
        const double f0 = std::abs(root) * scale / TwoPi;
        if (root.imag() > 0)
            poles.pairs.push_back({f0, std::abs(root) / (-2 * root.real())});
        else if (root.imag() == 0)
            poles.real.push_back(f0);
    }
    std::sort(poles.pairs.begin(), poles.pairs.end(),
              [](const PolePair& a, const PolePair& b) { return a.f0 < b.f0; });
    std::sort(poles.real.begin(), poles.real.end());
    return poles;
}

}  // namespace

Poles PolesOf(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp)
{
    const double scale = ScaleOf(parts);
    return PolesFromRoots(
        PolynomialRoots(TransferFunction(circuit, parts, scale, opamp).denominator), scale);
}

Poles TargetPoles(Circuit circuit, ResponseKind response, double f3)
{
    // 1 + a1 x + a2 x^2 + a3 x^3 with x = s / (2 pi f3) for the low-pass; for the high-pass
    // x = 2 pi f3 / s, whose roots in s are the inverses.
    const std::array<double, 3>& a = TargetOf(response).a;
    Polynomial cubic;
    cubic.degree = 3;
    cubic.c = {1, a[0], a[1], a[2]};
    if (circuit == Circuit::HighPass)
        cubic.c = {a[2], a[1], a[0], 1};
    return PolesFromRoots(PolynomialRoots(cubic), TwoPi * f3);
}

namespace {

// The delay of a transfer function normalised to `scale`, exactly.
double DelayOf(const Transfer& t, double scale, double frequency)
{
    const Complex x(0, TwoPi * frequency / scale);
    const ValueAndSlope n = Horner(t.numerator, x);
    const ValueAndSlope d = Horner(t.denominator, x);
    return (d.slope / d.value - n.slope / n.value).real() / scale;
}

}  // namespace

double GroupDelayAt(Circuit circuit, const Parts& parts, double frequency,
                    const std::optional<OpAmp>& opamp)
{
    const double scale = ScaleOf(parts);
    return DelayOf(TransferFunction(circuit, parts, scale, opamp), scale, frequency);
}

std::optional<GroupDelay> GroupDelayOf(Circuit circuit, const Parts& parts, double f,
                                       const std::optional<OpAmp>& opamp)
{
    if (circuit != Circuit::LowPass)
        return std::nullopt;
    const double scale = ScaleOf(parts);
    const Transfer t = TransferFunction(circuit, parts, scale, opamp);
    GroupDelay delay;
    // At DC the delay is d1/d0 - n1/n0 of the unscaled function, in seconds: parts from a
    // series often make it a decimal tie in the text, so it is made of the parts alone, in
    // real arithmetic (no cube root, and no complex quotient, which compilers' run-time
    // libraries round differently).
    const Transfer unscaled = TransferFunction(circuit, parts, 1, opamp);
    delay.dc = unscaled.denominator.c[1] / unscaled.denominator.c[0] -
               unscaled.numerator.c[1] / unscaled.numerator.c[0];
    const auto flat = [&](double logF) {
        return std::fabs(DelayOf(t, scale, std::pow(10.0, logF)) / delay.dc - 1) <= 0.01;
    };
    const double first = std::log10(f / 1000), last = std::log10(100 * f);
    const int steps = 500;
    double previous = first;
    for (int i = 1; i <= steps; ++i) {
        const double logF = first + (last - first) * i / steps;
        if (!flat(logF)) {
            const double edge = Crossing([&](double x) { return !flat(x); }, previous, logF);
            delay.flatTo = std::pow(10.0, edge);
            break;
        }
        previous = logF;
    }
    return delay;
}

StepResponse::StepResponse(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp)
    : scale_(ScaleOf(parts))
{
    const Transfer t = TransferFunction(circuit, parts, scale_, opamp);
    const Polynomial numerator = Trimmed(t.numerator);
    const Polynomial denominator = Trimmed(t.denominator);
    final_ = numerator.c[0] / denominator.c[0];
    poles_ = PolynomialRoots(denominator);
    for (const Complex& pole : poles_) {
        // The residue of H(s) / s at the pole, in the normalised time t scale.
        const Complex n = Horner(numerator, pole).value;
        const Complex slope = Horner(denominator, pole).slope;
        residues_.push_back(n / (pole * slope));
    }
}

double StepResponse::operator()(double t) const
{
    const double time = t * scale_;
    Complex sum = 0;
    for (std::size_t k = 0; k < poles_.size(); ++k)
        sum += residues_[k] * std::exp(poles_[k] * time);
    return final_ + sum.real();
}

double StepResponse::EnvelopeBelow(double level) const
{
    // Each of the n terms below level / n.
    double time = 0;
    const double share = level / static_cast<double>(poles_.size());
    for (std::size_t k = 0; k < poles_.size(); ++k) {
        const double size = std::abs(residues_[k]);
        const double decay = -poles_[k].real();
        if (size > share && decay > 0)
            time = std::max(time, std::log(size / share) / decay);
    }
    return time / scale_;
}

StepFigures StepFiguresOf(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp)
{
    const StepResponse y(circuit, parts, opamp);
    const double final = y.Final();
    const double end = y.EnvelopeBelow(1e-4);
    constexpr int Points = 2000;
    const double dt = end / Points;
    std::array<double, Points + 1> values{};
    for (int i = 0; i <= Points; ++i)
        values[static_cast<std::size_t>(i)] = y(i * dt);
    const auto at = [&](int i) { return values[static_cast<std::size_t>(i)]; };

    StepFigures figures;
    const bool lowPass = circuit == Circuit::LowPass;
    // The extreme past the final value: the peak of the low-pass, the lowest point of the
    // high-pass (which starts at the top and returns to 0).
    const double sign = lowPass ? -1 : 1;
    int extreme = 0;
    for (int i = 1; i <= Points; ++i)
        if (sign * at(i) < sign * at(extreme))
            extreme = i;
    const double t =
        GoldenMinimum([&](double time) { return sign * y(time); }, std::max(0, extreme - 1) * dt,
                      std::min(Points, extreme + 1) * dt);
    figures.overshoot = std::max(0.0, lowPass ? y(t) - final : final - y(t));

    if (lowPass) {
        const auto firstAbove = [&](double level) {
            for (int i = 1; i <= Points; ++i)
                if (at(i) >= level)
                    return Crossing([&](double time) { return y(time) >= level; }, (i - 1) * dt,
                                    i * dt);
            return end;
        };
        figures.riseTime = firstAbove(0.9) - firstAbove(0.1);
    }
    const auto settling = [&](double band) {
        const auto inside = [&](double time) { return std::fabs(y(time) - final) <= band; };
        for (int i = Points; i > 0; --i)
            if (!inside((i - 1) * dt))
                return Crossing(inside, (i - 1) * dt, i * dt);
        return 0.0;
    };
    figures.settling1Percent = settling(0.01);
    figures.settling0_1Percent = settling(0.001);
    return figures;
}

StopBand StopBandOf(Circuit circuit, const Parts& parts, double f, const OpAmp& opamp)
{
    const auto db = [&](double frequency) {
        return 20 * std::log10(std::abs(FrequencyResponse(circuit, parts, frequency, opamp)));
    };
    return {db(100 * f), db(1000 * f), db(10000 * f)};
}

double AlignedShapeErrorDb(Circuit circuit, ResponseKind response, double f3, const Parts& parts,
                           const std::optional<OpAmp>& opamp, double top)
{
    // The network solved once, normalised to f3; each point is then two polynomials.
    const Transfer t = TransferFunction(circuit, parts, TwoPi * f3, opamp);
    const double floor = std::pow(10.0, ShapeFloorDb / 20);
    double lowest = 1, highest = 1;
    for (int k = 0; k < ShapeGridPoints; ++k) {
        const double ratio =
            ShapeGridStart * std::pow(10.0, static_cast<double>(k) / ShapeGridPerDecade);
        if (f3 * ratio > top)
            break;
        const double target = std::abs(TargetResponse(circuit, response, 1, ratio));
        if (!(target >= floor))
            continue;
        const Complex x(0, ratio);
        const double actual =
            std::abs(Horner(t.numerator, x).value / Horner(t.denominator, x).value);
        lowest = std::min(lowest, actual / target);
        highest = std::max(highest, actual / target);
    }
    return 20 * std::log10(std::max(highest, 1 / lowest));
}

std::optional<double> F3FromPassbandEdge(Circuit circuit, ResponseKind response, double edge)
{
    const double normalised = TargetOf(response).rippleEdge;
    if (normalised == 0)
        return std::nullopt;
    return circuit == Circuit::LowPass ? edge / normalised : edge * normalised;
}

}  // namespace design
