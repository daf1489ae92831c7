// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/filter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

#include "calc/formulas.h"
#include "design/portable_math.h"

namespace design {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

Polynomial Poly(std::initializer_list<double> coefficients)
{
    Polynomial p;
    int k = 0;
    for (const double c : coefficients)
        p.c[static_cast<std::size_t>(k++)] = c;
    p.degree = k - 1;
    return p;
}

Polynomial operator*(const Polynomial& a, const Polynomial& b)
{
    Polynomial p;
    p.degree = a.degree + b.degree;
    for (int i = 0; i <= a.degree; ++i)
        for (int j = 0; j <= b.degree; ++j)
            p.c[static_cast<std::size_t>(i + j)] +=
                a.c[static_cast<std::size_t>(i)] * b.c[static_cast<std::size_t>(j)];
    return p;
}

Polynomial operator+(const Polynomial& a, const Polynomial& b)
{
    Polynomial p;
    p.degree = std::max(a.degree, b.degree);
    for (std::size_t k = 0; k < p.c.size(); ++k)
        p.c[k] = a.c[k] + b.c[k];
    return p;
}

template <class T>
T Evaluate(const Polynomial& p, T x)
{
    T sum = p.c[static_cast<std::size_t>(p.degree)];
    for (int k = p.degree - 1; k >= 0; --k)
        sum = sum * x + p.c[static_cast<std::size_t>(k)];
    return sum;
}

// |p(j w)|^2 as a polynomial in t = w^2.
struct EvenPolynomial {
    std::array<double, 8> c{};
    int degree = 0;
    double operator()(double t) const
    {
        double sum = c[static_cast<std::size_t>(degree)];
        for (int k = degree - 1; k >= 0; --k)
            sum = sum * t + c[static_cast<std::size_t>(k)];
        return sum;
    }
};

// The coefficient of t^m is the sum over i + j = 2m of c_i c_j (-1)^(m + j); the odd
// cross terms cancel.
EvenPolynomial MagnitudeSquared(const Polynomial& p)
{
    EvenPolynomial m;
    m.degree = p.degree;
    for (int i = 0; i <= p.degree; ++i)
        for (int j = 0; j <= p.degree; ++j) {
            if ((i + j) % 2 != 0)
                continue;
            const int half = (i + j) / 2;
            const double sign = (half + j) % 2 == 0 ? 1.0 : -1.0;
            m.c[static_cast<std::size_t>(half)] +=
                sign * p.c[static_cast<std::size_t>(i)] * p.c[static_cast<std::size_t>(j)];
        }
    return m;
}

// Up to three real roots, without allocating: candidates are evaluated by the million.
struct Roots {
    std::array<double, 3> x{};
    int count = 0;
    void push_back(double r) { x[static_cast<std::size_t>(count++)] = r; }
    const double* begin() const { return x.data(); }
    const double* end() const { return x.data() + count; }
    double* begin() { return x.data(); }
    double* end() { return x.data() + count; }
};

// Real roots of c3 x^3 + c2 x^2 + c1 x + c0 (c3 != 0), each polished by Newton steps.
Roots RealCubicRoots(double c3, double c2, double c1, double c0)
{
    const double b = c2 / c3, c = c1 / c3, d = c0 / c3;
    const double shift = b / 3;
    const double p = c - b * b / 3;
    const double q = 2 * b * b * b / 27 - b * c / 3 + d;
    const double disc = q * q / 4 + p * p * p / 27;
    Roots roots;
    if (disc > 0) {
        // One real root: the larger Cardano term first, the other from their product.
        const double u = portable::Cbrt(-q / 2 - std::copysign(std::sqrt(disc), q));
        roots.push_back((u != 0 ? u - p / (3 * u) : 0) - shift);
    } else if (p == 0) {
        roots.push_back(-shift);
    } else {
        const double r = std::sqrt(-p / 3);
        const double cosine = std::clamp(3 * q / (2 * p) * std::sqrt(-3 / p), -1.0, 1.0);
        const double phi = portable::Acos(cosine);
        for (int k = 0; k < 3; ++k)
            roots.push_back(2 * r * portable::Cos(phi / 3 - TwoPi * k / 3) - shift);
    }
    for (double& x : roots) {
        for (int step = 0; step < 2; ++step) {
            const double value = ((c3 * x + c2) * x + c1) * x + c0;
            const double slope = (3 * c3 * x + 2 * c2) * x + c1;
            if (slope == 0)
                break;
            const double next = x - value / slope;
            const double nextValue = ((c3 * next + c2) * next + c1) * next + c0;
            if (!(std::fabs(nextValue) < std::fabs(value)))
                break;
            x = next;
        }
    }
    return roots;
}

// 1 + a1 x + a2 x^2 + a3 x^3 with its -3 dB point moved to |x| = 1.
Target Normalised(std::array<double, 3> a, double rippleEdge)
{
    const double y = *CubicHalfPowerPoint(a);
    const double w = std::sqrt(y);
    a = {a[0] * w, a[1] * w * w, a[2] * w * w * w};
    return {a, rippleEdge / w};
}

Target ChebyshevTarget(double rippleDb)
{
    // Poles of the third-order Chebyshev type I response with its ripple band ending at 1:
    // (s + sigma)(s^2 + 2 alpha s + alpha^2 + beta^2).
    const double epsilon = std::sqrt(portable::Exp10(rippleDb / 10) - 1);
    const double v = portable::Asinh(1 / epsilon) / 3;
    const double sigma = portable::Sinh(v);
    const double alpha = portable::Sinh(v) / 2;
    const double beta = portable::Cosh(v) * std::sqrt(3.0) / 2;
    const double pair0 = alpha * alpha + beta * beta;
    const double c0 = sigma * pair0;
    return Normalised({(pair0 + 2 * alpha * sigma) / c0, (2 * alpha + sigma) / c0, 1 / c0}, 1);
}

// The natural frequency of the ideal circuit (rad/s): a scale that keeps the normalised
// polynomials near 1.
double NaturalScale(const Parts& parts)
{
    const double product = parts.series[0] * parts.series[1] * parts.series[2] * parts.shunt[0] *
                           parts.shunt[1] * parts.shunt[2];
    return 1 / portable::Cbrt(product);
}

// The t where g changes sign between `inside` (g >= 0) and `outside` (g < 0), by bisection.
template <class G>
double Bisect(const G& g, double inside, double outside)
{
    for (int i = 0; i < 200; ++i) {
        const double mid = inside + (outside - inside) / 2;
        if (mid == inside || mid == outside)
            break;
        (g(mid) >= 0 ? inside : outside) = mid;
    }
    return inside + (outside - inside) / 2;
}

// Grid point k of the shape error grid as t = (w / 2 pi f)^2; the same for every f, so
// computed once.
double ShapeGridT(int k)
{
    static const std::array<double, ShapeGridPoints> grid = [] {
        std::array<double, ShapeGridPoints> t{};
        for (int i = 0; i < ShapeGridPoints; ++i) {
            const double w =
                ShapeGridStart * portable::Exp10(static_cast<double>(i) / ShapeGridPerDecade);
            t[static_cast<std::size_t>(i)] = w * w;
        }
        return t;
    }();
    return grid[static_cast<std::size_t>(k)];
}

// The grid on which ResponseEdges looks for crossings: t = (w / scale)^2 over 20 decades,
// 20 points a decade.
constexpr int EdgeGridPoints = 401;
double EdgeGridT(int i)
{
    static const std::array<double, EdgeGridPoints> grid = [] {
        std::array<double, EdgeGridPoints> t{};
        for (int k = 0; k < EdgeGridPoints; ++k)
            t[static_cast<std::size_t>(k)] = 1e-8 * portable::Exp10(k / 20.0);
        return t;
    }();
    return grid[static_cast<std::size_t>(i)];
}

double TargetPower(Circuit circuit, const std::array<double, 3>& a, double t)
{
    // |D(j w)|^2 = 1 + (a1^2 - 2 a2) y + (a2^2 - 2 a1 a3) y^2 + a3^2 y^3, y = w^2 or 1/w^2.
    const double y = circuit == Circuit::LowPass ? t : 1 / t;
    const double p1 = a[0] * a[0] - 2 * a[1];
    const double p2 = a[1] * a[1] - 2 * a[0] * a[2];
    const double p3 = a[2] * a[2];
    return 1 / (1 + y * (p1 + y * (p2 + y * p3)));
}

constexpr double FloorPower = 0.01;  // -20 dB as |H|^2

}  // namespace

Parts EqualSeries(double value, const std::array<double, 3>& shunt)
{
    return {{value, value, value}, shunt};
}

std::array<double, 3> IdealCubic(Circuit circuit, const Parts& parts, double scale)
{
    const auto& [a, b, c] = parts.series;
    if (circuit == Circuit::LowPass) {
        const double c1 = parts.shunt[0] * scale, c2 = parts.shunt[1] * scale,
                     c3 = parts.shunt[2] * scale;
        return {c1 * a + c3 * (a + b + c), c2 * c3 * c * (a + b) + c1 * c3 * a * (b + c),
                c1 * c2 * c3 * a * b * c};
    }
    // 1/H = 1 + Y3 (Za + Zb + Zc) + Y1 Za + Y1 Y3 Za (Zb + Zc) + Y2 Y3 Zc (Za + Zb)
    //         + Y1 Y2 Y3 Za Zb Zc, with Z = 1 / (s C) and Y = 1 / R.
    const double za = 1 / (a * scale), zb = 1 / (b * scale), zc = 1 / (c * scale);
    const double y1 = 1 / parts.shunt[0], y2 = 1 / parts.shunt[1], y3 = 1 / parts.shunt[2];
    return {y3 * (za + zb + zc) + y1 * za, y1 * y3 * za * (zb + zc) + y2 * y3 * zc * (za + zb),
            y1 * y2 * y3 * za * zb * zc};
}

Transfer TransferFunction(Circuit circuit, const Parts& parts, double scale,
                          const std::optional<OpAmp>& opamp)
{
    const std::array<double, 3> d = IdealCubic(circuit, parts, scale);
    if (!opamp) {
        if (circuit == Circuit::LowPass)
            return {Poly({1}), Poly({1, d[0], d[1], d[2]})};
        return {Poly({0, 0, 0, 1}), Poly({d[2], d[1], d[0], 1})};
    }
    // With the op-amp's source E = A (Vp - Vo) behind RO, Vo = k Vp and
    // 1/H = [D (RO Y2 (1 + s tau) + 1 + s tau + A0) + (1 - RO Y2 Y3 Zc) W (1 + s tau)]
    //       / (RO Y2 (1 + Y3 Zc)(1 + s tau) + A0),   W = Y2 (Za + Zb + Y1 Za Zb),
    // D the ideal 1/H and tau = A0 / (2 pi GBW).
    const double a0 = opamp->a0, ro = opamp->ro;
    const double tau = a0 / (TwoPi * opamp->gbw) * scale;
    const Polynomial lag = Poly({1, tau});
    if (circuit == Circuit::LowPass) {
        const auto& [ra, rb, rc] = parts.series;
        const double c1 = parts.shunt[0] * scale, c2 = parts.shunt[1] * scale,
                     c3 = parts.shunt[2] * scale;
        const Polynomial ideal = Poly({1, d[0], d[1], d[2]});
        const Polynomial b = Poly({1 + a0, tau + ro * c2, ro * c2 * tau});
        const Polynomial w = Poly({0, c2 * (ra + rb), c1 * c2 * ra * rb});
        const Polynomial loss = Poly({1, 0, -ro * c2 * c3 * rc});
        Polynomial denominator = ideal * b + loss * w * lag;
        // The two s^5 terms, RO C2 tau C1 C2 C3 Ra Rb Rc from D B and its negative from the
        // loss, cancel exactly. Summed, they leave rounding noise that can put a pole far out
        // in the right half-plane (a step response that grows without end).
        denominator.c[5] = 0;
        denominator.degree = 4;
        const Polynomial numerator = Poly({a0}) + Poly({0, ro * c2}) * Poly({1, c3 * rc}) * lag;
        return {numerator, denominator};
    }
    // High-pass: numerator and denominator times s^3.
    const double ca = parts.series[0] * scale, cb = parts.series[1] * scale,
                 cc = parts.series[2] * scale;
    const double g1 = 1 / parts.shunt[0], g2 = 1 / parts.shunt[1], g3 = 1 / parts.shunt[2];
    const Polynomial ideal = Poly({d[2], d[1], d[0], 1});
    const Polynomial b = Poly({1 + a0 + ro * g2, tau * (1 + ro * g2)});
    const Polynomial loss = Poly({-ro * g2 * g3 / cc, 1});
    const Polynomial w = Poly({g2 * g1 / (ca * cb), g2 * (1 / ca + 1 / cb)});
    const Polynomial denominator = ideal * b + loss * w * lag;
    const Polynomial numerator =
        Poly({0, 0, 0, a0}) + Poly({0, 0, ro * g2}) * Poly({g3 / cc, 1}) * lag;
    return {numerator, denominator};
}

std::complex<double> FrequencyResponse(Circuit circuit, const Parts& parts, double frequency,
                                       const std::optional<OpAmp>& opamp)
{
    const Transfer t = TransferFunction(circuit, parts, TwoPi * frequency, opamp);
    const std::complex<double> j(0, 1);
    return Evaluate(t.numerator, j) / Evaluate(t.denominator, j);
}

const Target& ButterworthTarget()
{
    static const Target butterworth{{2, 2, 1}, 0};
    return butterworth;
}

const Target& BesselTarget()
{
    // 15 / (s^3 + 6 s^2 + 15 s + 15), moved to its -3 dB point.
    static const Target bessel = Normalised({1, 6.0 / 15, 1.0 / 15}, 0);
    return bessel;
}

const Target& Chebyshev05Target()
{
    static const Target chebyshev05 = ChebyshevTarget(0.5);
    return chebyshev05;
}

const Target& Chebyshev1Target()
{
    static const Target chebyshev1 = ChebyshevTarget(1);
    return chebyshev1;
}

const Target& TargetOf(ResponseKind response)
{
    return TermOf(response).target();
}

std::complex<double> TargetResponse(Circuit circuit, ResponseKind response, double f3,
                                    double frequency)
{
    const std::array<double, 3>& a = TargetOf(response).a;
    const std::complex<double> s(0, frequency / f3);
    const std::complex<double> x = circuit == Circuit::LowPass ? s : 1.0 / s;
    return 1.0 / (1.0 + x * (a[0] + x * (a[1] + x * a[2])));
}

std::optional<double> RippleEdge(Circuit circuit, ResponseKind response, double f)
{
    const double edge = TargetOf(response).rippleEdge;
    if (edge == 0)
        return std::nullopt;
    return circuit == Circuit::LowPass ? f * edge : f / edge;
}

std::optional<std::array<double, 3>> NormalisedValues(Circuit circuit,
                                                      const std::array<double, 3>& target)
{
    const auto [a1, a2, a3] = target;
    if (!(a1 * a2 > 2 * a3))
        return std::nullopt;
    // C3 = x solves 9x^3 - 6 a1 x^2 + (a1^2 + 1.5 a2) x - (a1 a2 / 2 - a3) = 0 in (0, a1/3):
    // the cubic is negative at 0 and a3 > 0 at a1/3. Of several roots there, the smallest
    // that leaves C1 and C2 positive.
    std::optional<std::array<double, 3>> best;
    for (const double x : RealCubicRoots(9, -6 * a1, a1 * a1 + 1.5 * a2, -(a1 * a2 / 2 - a3))) {
        const double c1 = a1 - 3 * x;
        const double c2 = a2 / (2 * x) - c1;
        if (x > 0 && c1 > 0 && c2 > 0 && (!best || x < (*best)[2]))
            best = std::array<double, 3>{c1, c2, x};
    }
    if (best && circuit == Circuit::HighPass)
        for (double& v : *best)
            v = 1 / v;
    return best;
}

std::array<double, 3> IdealParts(Circuit circuit, ResponseKind response, Coefficients coefficients,
                                 double f, double value)
{
    if (coefficients == Coefficients::Window) {
        if (response != ResponseKind::Butterworth)
            throw std::invalid_argument("the window's coefficients are Butterworth only");
        calc::FilterResults results;
        const double omega = calc::ComputeOmega(f, 1);
        if (circuit == Circuit::LowPass) {
            calc::ComputeLowPass(omega, value, results);
            return {results.C1, results.C2, results.C3};
        }
        calc::ComputeHighPass(omega, value, results);
        return {results.R1, results.R2, results.R3};
    }
    const std::array<double, 3> n = StoredNormalisedValues(circuit, response);
    const double denominator = TwoPi * f * value;
    return {n[0] / denominator, n[1] / denominator, n[2] / denominator};
}

std::array<double, 3> StoredNormalisedValues(Circuit circuit, ResponseKind response)
{
    // NormalisedValues(Circuit::LowPass, TargetOf(response).a) as computed on x86-64 with
    // glibc when the design assistant was written; its results have kept them since.
    std::array<double, 3> values;
    switch (response) {
    case ResponseKind::Butterworth:
        values = {0x1.64847fde4ae0ep+0, 0x1.c5fe242c093e1p+1, 0x1.9e9eab048da86p-3};
        break;
    case ResponseKind::Bessel:
        values = {0x1.fb97b08e9adebp-1, 0x1.6dae4cac5d538p+0, 0x1.04dfddb390c8ep-2};
        break;
    case ResponseKind::Chebyshev05:
        values = {0x1.1e50e8c95e302p+1, 0x1.656e49fbf3126p+3, 0x1.6c827d640f0f5p-4};
        break;
    case ResponseKind::Chebyshev1:
        values = {0x1.48902d3fd340cp+1, 0x1.02ff3d077eadap+4, 0x1.0755cd8b862p-4};
        break;
    }
    if (circuit == Circuit::HighPass)
        for (double& v : values)
            v = 1 / v;
    return values;
}

std::optional<double> CubicHalfPowerPoint(const std::array<double, 3>& d, double hint)
{
    const double p1 = d[0] * d[0] - 2 * d[1];
    const double p2 = d[1] * d[1] - 2 * d[0] * d[2];
    const double p3 = d[2] * d[2];
    // Halley steps on g(y) = p3 y^3 + p2 y^2 + p1 y - 1 from the hint (the error is cubed
    // at each step); any trouble, and any sign of a smaller positive root, leaves it to the
    // closed form.
    double y = hint;
    bool converged = false;
    for (int i = 0; i < 12 && !converged; ++i) {
        const double g = ((p3 * y + p2) * y + p1) * y - 1;
        const double slope = (3 * p3 * y + 2 * p2) * y + p1;
        const double curvature = 6 * p3 * y + 2 * p2;
        const double denominator = 2 * slope * slope - g * curvature;
        if (!(slope > 0) || !(denominator > 0))
            break;
        const double step = 2 * g * slope / denominator;
        // After a step below 1e-5 the error left is of the order of its cube.
        converged = std::fabs(step) <= 1e-5 * y;
        y -= step;
        if (!(y > 0))
            return CubicHalfPowerPoint(d);
    }
    if (converged) {
        // g(y) / (y - root) = q(u) = p3 u^2 + b u + c: a smaller positive root is one of
        // its roots. With c < 0 it has one positive root, below y exactly when q(y) > 0;
        // with b >= 0 and c >= 0 none; otherwise the closed form settles it.
        const double b = p2 + p3 * y;
        const double c = p1 + b * y;
        if (c >= 0 && b >= 0)
            return y;
        if (c < 0 && !((p3 * y + b) * y + c > 0))
            return y;
    }
    return CubicHalfPowerPoint(d);
}

std::optional<double> CubicHalfPowerPoint(const std::array<double, 3>& d)
{
    const double p1 = d[0] * d[0] - 2 * d[1];
    const double p2 = d[1] * d[1] - 2 * d[0] * d[2];
    const double p3 = d[2] * d[2];
    if (!(p3 > 0) || !std::isfinite(p3))
        return std::nullopt;
    std::optional<double> smallest;
    for (const double y : RealCubicRoots(p3, p2, p1, -1))
        if (y > 0 && (!smallest || y < *smallest))
            smallest = y;
    return smallest;
}

Edges ResponseEdges(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp)
{
    const double scale = NaturalScale(parts);
    const Transfer transfer = TransferFunction(circuit, parts, scale, opamp);
    const EvenPolynomial m2 = MagnitudeSquared(transfer.numerator);
    const EvenPolynomial n2 = MagnitudeSquared(transfer.denominator);
    // |H|^2 >= 1/2 exactly where g >= 0.
    const auto g = [&](double t) { return 2 * m2(t) - n2(t); };
    const auto hz = [&](double t) { return std::sqrt(t) * scale / TwoPi; };

    // The grid reaches a hundred times past a fast op-amp's GBW, where the high-pass's
    // upper edge lies.
    int Points = EdgeGridPoints;
    if (opamp) {
        const double top = 100 * TwoPi * opamp->gbw / scale;
        if (top * top > EdgeGridT(EdgeGridPoints - 1))
            Points = static_cast<int>(std::ceil(20 * portable::Log10(top * top / 1e-8))) + 1;
    }
    const auto gridT = [](int i) {
        return i < EdgeGridPoints ? EdgeGridT(i) : 1e-8 * portable::Exp10(i / 20.0);
    };
    Edges edges;
    if (circuit == Circuit::LowPass) {
        // The passband starts at DC, where g > 0 for any gain above 2.4.
        if (!(g(0) >= 0))
            return edges;
        double previous = 0;
        for (int i = 0; i < Points; ++i) {
            const double t = gridT(i);
            if (g(t) < 0) {
                edges.f3 = hz(Bisect(g, previous, t));
                break;
            }
            previous = t;
        }
        return edges;
    }
    // High-pass: from the grid point of the largest |H| down and up to the crossings.
    int peak = 0;
    double peakValue = -1;
    for (int i = 0; i < Points; ++i) {
        const double t = gridT(i);
        const double h2 = m2(t) / n2(t);
        if (h2 > peakValue) {
            peakValue = h2;
            peak = i;
        }
    }
    if (!(peakValue >= 0.5))
        return edges;
    for (int i = peak - 1; i >= 0; --i)
        if (g(gridT(i)) < 0) {
            edges.f3 = hz(Bisect(g, gridT(i + 1), gridT(i)));
            break;
        }
    if (!opamp)
        return edges;
    for (int i = peak + 1; i < Points; ++i)
        if (g(gridT(i)) < 0) {
            edges.upper = hz(Bisect(g, gridT(i - 1), gridT(i)));
            break;
        }
    return edges;
}

std::optional<double> F3(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp)
{
    if (!opamp) {
        const double scale = NaturalScale(parts);
        const std::optional<double> y = CubicHalfPowerPoint(IdealCubic(circuit, parts, scale));
        if (!y)
            return std::nullopt;
        const double w = circuit == Circuit::LowPass ? std::sqrt(*y) : 1 / std::sqrt(*y);
        return w * scale / TwoPi;
    }
    return ResponseEdges(circuit, parts, opamp).f3;
}

double ShapeErrorDb(Circuit circuit, ResponseKind response, double f, const Parts& parts,
                    const std::optional<OpAmp>& opamp)
{
    const Transfer transfer = TransferFunction(circuit, parts, TwoPi * f, opamp);
    const EvenPolynomial m2 = MagnitudeSquared(transfer.numerator);
    const EvenPolynomial n2 = MagnitudeSquared(transfer.denominator);
    const std::array<double, 3>& a = TargetOf(response).a;
    double lowest = 1, highest = 1;
    for (int k = 0; k < ShapeGridPoints; ++k) {
        const double t = ShapeGridT(k);
        const double target = TargetPower(circuit, a, t);
        if (!(target >= FloorPower))
            continue;
        const double ratio = m2(t) / n2(t) / target;
        lowest = std::min(lowest, ratio);
        highest = std::max(highest, ratio);
    }
    return 10 * portable::Log10(std::max(highest, 1 / lowest));
}

CandidateEvaluator::CandidateEvaluator(Circuit circuit, ResponseKind response, double f)
    : circuit_(circuit), f_(f), scale_(TwoPi * f)
{
    const std::array<double, 3>& a = TargetOf(response).a;
    for (int k = 0; k < ShapeGridPoints; ++k) {
        const double t = ShapeGridT(k);
        const double target = TargetPower(circuit, a, t);
        if (!(target >= FloorPower))
            continue;
        t_.push_back(t);
        x_.push_back(circuit == Circuit::LowPass ? t : 1 / t);
        targetPower_.push_back(target);
    }
    // Padding for the four-point steps of Evaluate: y = 0 and a target of 1 give ratio 1.
    while (x_.size() % 4 != 0) {
        x_.push_back(0);
        targetPower_.push_back(1);
    }
}

std::optional<double> CandidateEvaluator::F3(const Parts& parts) const
{
    // Candidates lie near the target, whose -3 dB point is y = 1.
    const std::optional<double> y = CubicHalfPowerPoint(IdealCubic(circuit_, parts, scale_), 1);
    if (!y)
        return std::nullopt;
    return circuit_ == Circuit::LowPass ? f_ * std::sqrt(*y) : f_ / std::sqrt(*y);
}

CandidateEvaluator::Figures CandidateEvaluator::Evaluate(const Parts& parts) const
{
    const std::array<double, 3> d = IdealCubic(circuit_, parts, scale_);
    const double p1 = d[0] * d[0] - 2 * d[1];
    const double p2 = d[1] * d[1] - 2 * d[0] * d[2];
    const double p3 = d[2] * d[2];
    // ratio = |H_target|^2 / |H|^2 = |D|^2 |H_target|^2, at every grid point; the
    // logarithm is taken once, of the extremes. The grid is padded to a multiple of four
    // with points where the ratio is 1.
    const std::size_t n = x_.size();
    const double* x = x_.data();
    const double* target = targetPower_.data();
    double lowest = 1, highest = 1;
#if defined(__GNUC__)
    // Two lanes of two doubles (SSE2 on x86-64, NEON on ARM): the loop is bound by the
    // multiplications, and the minimum and maximum have no vector form in the language.
    using V2 = double __attribute__((vector_size(16)));
    const V2 q1 = {p1, p1}, q2 = {p2, p2}, q3 = {p3, p3}, one = {1, 1};
    V2 lo0 = one, lo1 = one, hi0 = one, hi1 = one;
    for (std::size_t k = 0; k < n; k += 4) {
        V2 y0, y1, t0, t1;
        std::memcpy(&y0, x + k, sizeof y0);
        std::memcpy(&y1, x + k + 2, sizeof y1);
        std::memcpy(&t0, target + k, sizeof t0);
        std::memcpy(&t1, target + k + 2, sizeof t1);
        const V2 r0 = (one + y0 * (q1 + y0 * (q2 + y0 * q3))) * t0;
        const V2 r1 = (one + y1 * (q1 + y1 * (q2 + y1 * q3))) * t1;
        lo0 = r0 < lo0 ? r0 : lo0;
        lo1 = r1 < lo1 ? r1 : lo1;
        hi0 = r0 > hi0 ? r0 : hi0;
        hi1 = r1 > hi1 ? r1 : hi1;
    }
    lowest = std::min(std::min(lo0[0], lo0[1]), std::min(lo1[0], lo1[1]));
    highest = std::max(std::max(hi0[0], hi0[1]), std::max(hi1[0], hi1[1]));
#else
    for (std::size_t k = 0; k < n; ++k) {
        const double y = x[k];
        const double r = (1 + y * (p1 + y * (p2 + y * p3))) * target[k];
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
#endif
    Figures figures;
    figures.shapeErrorDb = 10 * portable::Log10(std::max(highest, 1 / lowest));
    figures.f3 = F3(parts);
    return figures;
}

CandidateEvaluator::Figures CandidateEvaluator::Evaluate(const Parts& parts,
                                                         const OpAmp& opamp) const
{
    const Transfer transfer = TransferFunction(circuit_, parts, scale_, opamp);
    const EvenPolynomial m2 = MagnitudeSquared(transfer.numerator);
    const EvenPolynomial n2 = MagnitudeSquared(transfer.denominator);
    double lowest = 1, highest = 1;
    for (std::size_t k = 0; k < t_.size(); ++k) {  // t_ has no padding
        const double ratio = m2(t_[k]) / n2(t_[k]) / targetPower_[k];
        lowest = std::min(lowest, ratio);
        highest = std::max(highest, ratio);
    }
    Figures figures;
    figures.shapeErrorDb = 10 * portable::Log10(std::max(highest, 1 / lowest));
    figures.f3 = ResponseEdges(circuit_, parts, opamp).f3;
    return figures;
}

}  // namespace design
