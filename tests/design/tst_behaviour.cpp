// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The figures beyond f3: the step response against a time-stepped state-space model, the
// group delay against the phase's numerical slope, the noise against its DC limits, the
// stop-band, the worst corners, the aligned shape error and the passband edge.
#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <optional>

#include <gtest/gtest.h>

#include "design/analysis.h"
#include "design/behaviour.h"
#include "design/noise.h"
#include "design/report.h"
#include "tests/design/param_name.h"

namespace {

using design::Circuit;
using design::OpAmp;
using design::Parts;
using design::ResponseKind;
constexpr double TwoPi = 2 * std::numbers::pi;

struct CircuitRow {
    const char* name;
    Circuit circuit;
    ResponseKind response;
    std::optional<OpAmp> opamp;
};

const CircuitRow Circuits[] = {
    {"lowpassButterworth", Circuit::LowPass, ResponseKind::Butterworth, std::nullopt},
    {"lowpassBessel", Circuit::LowPass, ResponseKind::Bessel, std::nullopt},
    {"lowpassChebyshev1", Circuit::LowPass, ResponseKind::Chebyshev1, std::nullopt},
    {"lowpassOpAmpWithRo", Circuit::LowPass, ResponseKind::Butterworth, OpAmp{100e3, 200e3, 100}},
    {"lowpassChebyshevOpAmp", Circuit::LowPass, ResponseKind::Chebyshev05, OpAmp{50e3, 1e5, 0}},
    {"highpassButterworth", Circuit::HighPass, ResponseKind::Butterworth, std::nullopt},
    {"highpassBessel", Circuit::HighPass, ResponseKind::Bessel, std::nullopt},
    {"highpassChebyshevOpAmp", Circuit::HighPass, ResponseKind::Chebyshev1,
     OpAmp{100e3, 200e3, 50}},
};

constexpr double F = 1000;

Parts PartsOf(const CircuitRow& row)
{
    const double value = row.circuit == Circuit::LowPass ? 10e3 : 10e-9;
    return design::EqualSeries(value, design::IdealParts(row.circuit, row.response,
                                                         design::Coefficients::Exact, F, value));
}

// y(t) for a unit step by RK4 on the controllable canonical form of N(x)/D(x), x = s / (2 pi F).
std::vector<double> SteppedResponse(const CircuitRow& row, double dt, int steps)
{
    const design::Transfer t =
        design::TransferFunction(row.circuit, PartsOf(row), TwoPi * F, row.opamp);
    int n = t.denominator.degree;
    while (t.denominator.c[static_cast<std::size_t>(n)] == 0)
        --n;
    std::vector<double> a(static_cast<std::size_t>(n)), b(static_cast<std::size_t>(n) + 1);
    const double lead = t.denominator.c[static_cast<std::size_t>(n)];
    for (int i = 0; i <= n; ++i) {
        if (i < n)
            a[static_cast<std::size_t>(i)] = t.denominator.c[static_cast<std::size_t>(i)] / lead;
        b[static_cast<std::size_t>(i)] =
            i <= t.numerator.degree ? t.numerator.c[static_cast<std::size_t>(i)] / lead : 0;
    }
    const auto derivative = [&](const std::vector<double>& x) {
        std::vector<double> dx(x.size());
        for (std::size_t i = 0; i + 1 < x.size(); ++i)
            dx[i] = x[i + 1];
        double last = 1;  // the unit step
        for (std::size_t i = 0; i < x.size(); ++i)
            last -= a[i] * x[i];
        dx.back() = last;
        return dx;
    };
    const auto output = [&](const std::vector<double>& x) {
        const double direct = b[static_cast<std::size_t>(n)];
        double y = direct;
        for (std::size_t i = 0; i < x.size(); ++i)
            y += (b[i] - direct * a[i]) * x[i];
        return y;
    };
    std::vector<double> x(static_cast<std::size_t>(n)), y;
    const auto plus = [](std::vector<double> u, const std::vector<double>& v, double h) {
        for (std::size_t i = 0; i < u.size(); ++i)
            u[i] += h * v[i];
        return u;
    };
    for (int k = 0; k <= steps; ++k) {
        y.push_back(output(x));
        const auto k1 = derivative(x);
        const auto k2 = derivative(plus(x, k1, dt / 2));
        const auto k3 = derivative(plus(x, k2, dt / 2));
        const auto k4 = derivative(plus(x, k3, dt));
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] += dt / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
    }
    return y;
}

class Behaviour : public testing::TestWithParam<CircuitRow> { };

TEST_P(Behaviour, StepFromThePolesFollowsTheTimeSteppedModel)
{
    const CircuitRow& row = GetParam();
    const design::StepResponse closedForm(row.circuit, PartsOf(row), row.opamp);
    const double dt = 2e-4;  // normalised time, well inside RK4's range for every pole here
    const std::vector<double> stepped = SteppedResponse(row, dt, 100000);
    double worst = 0;
    for (std::size_t k = 1; k < stepped.size(); k += 97)
        worst = std::max(
            worst, std::fabs(closedForm(static_cast<double>(k) * dt / (TwoPi * F)) - stepped[k]));
    EXPECT_LT(worst, 1e-7);
}

TEST_P(Behaviour, StepFiguresDescribeTheWaveform)
{
    const CircuitRow& row = GetParam();
    const design::StepResponse y(row.circuit, PartsOf(row), row.opamp);
    const design::StepFigures figures = design::StepFiguresOf(row.circuit, PartsOf(row), row.opamp);
    const bool lowPass = row.circuit == Circuit::LowPass;
    double extreme = lowPass ? -1e9 : 1e9;
    const double end = 3 * figures.settling0_1Percent;
    for (int k = 1; k <= 30000; ++k) {
        const double t = end * k / 30000;
        extreme = lowPass ? std::max(extreme, y(t)) : std::min(extreme, y(t));
        for (const auto& [band, settling] : {std::pair{0.01, figures.settling1Percent},
                                             std::pair{0.001, figures.settling0_1Percent}}) {
            if (t > settling * (1 + 1e-9)) {
                ASSERT_LE(std::fabs(y(t) - y.Final()), band * (1 + 1e-9)) << t;
            }
        }
    }
    // The sampled extreme lies a little inside the true one.
    const double sampled = lowPass ? extreme - y.Final() : y.Final() - extreme;
    EXPECT_GE(figures.overshoot, sampled - 1e-12);
    EXPECT_LT(figures.overshoot, sampled + 1e-6);
    for (const double band : {0.01, 0.001}) {
        const double settling =
            band == 0.01 ? figures.settling1Percent : figures.settling0_1Percent;
        EXPECT_NEAR(std::fabs(y(settling) - y.Final()), band, 1e-9);
    }
    EXPECT_EQ(figures.riseTime.has_value(), lowPass);
    if (lowPass) {
        // 10 % at the start of the rise time, 90 % at its end: find the start by bisection.
        double lo = 0, hi = figures.settling1Percent;
        for (int i = 0; i < 100; ++i)
            ((y((lo + hi) / 2) < 0.1) ? lo : hi) = (lo + hi) / 2;
        EXPECT_NEAR(y(lo + *figures.riseTime), 0.9, 1e-9);
    }
}

TEST_P(Behaviour, GroupDelayIsThePhasesSlope)
{
    const CircuitRow& row = GetParam();
    const Parts parts = PartsOf(row);
    for (const double f : {F / 10, F / 2, F, 3 * F}) {
        const double h = f * 1e-5;
        const auto phase = [&](double frequency) {
            return std::arg(design::FrequencyResponse(row.circuit, parts, frequency, row.opamp));
        };
        double dphase = phase(f + h) - phase(f - h);
        dphase -= TwoPi * std::round(dphase / TwoPi);
        const double numeric = -dphase / (2 * TwoPi * h);
        EXPECT_NEAR(design::GroupDelayAt(row.circuit, parts, f, row.opamp) / numeric, 1, 1e-6) << f;
    }
    const std::optional<design::GroupDelay> delay =
        design::GroupDelayOf(row.circuit, parts, F, row.opamp);
    ASSERT_EQ(delay.has_value(), row.circuit == Circuit::LowPass);
    if (delay) {
        ASSERT_TRUE(delay->flatTo);
        const double ratio =
            design::GroupDelayAt(row.circuit, parts, *delay->flatTo, row.opamp) / delay->dc;
        EXPECT_NEAR(std::fabs(ratio - 1), 0.01, 1e-7);
        for (int k = 1; k < 100; ++k)
            ASSERT_LT(std::fabs(design::GroupDelayAt(row.circuit, parts, *delay->flatTo * k / 100,
                                                     row.opamp) /
                                    delay->dc -
                                1),
                      0.01)
                << k;
    }
}

TEST_P(Behaviour, ShapeAlignedToItsOwnF3IsNoWorseThanAgainstTheRequestedOne)
{
    const CircuitRow& row = GetParam();
    design::Request request;
    request.circuit = row.circuit;
    request.response = row.response;
    request.frequency = F;
    request.value = PartsOf(row).series[0];
    const design::Report report = design::MakeReport(request, row.opamp, std::nullopt);
    const design::Behaviour& b = row.opamp ? report.opampBehaviour->behaviour : report.behaviour;
    const double shape = row.opamp ? report.opamp->shapeErrorDb : report.design.shapeErrorDb;
    ASSERT_TRUE(b.alignedShapeErrorDb);
    EXPECT_LE(*b.alignedShapeErrorDb, shape + 1e-9);
    if (!row.opamp) {
        EXPECT_LT(*b.alignedShapeErrorDb, 1e-6);  // exact parts: the target itself
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Behaviour, testing::ValuesIn(Circuits),
                         [](const auto& info) { return ParamName(info.index, info.param.name); });

TEST(Step, ButterworthAndBesselOvershootsAreTheTextbooks)
{
    EXPECT_NEAR(design::StepFiguresOf(Circuit::LowPass, PartsOf(Circuits[0])).overshoot, 0.0815,
                0.00005);
    EXPECT_NEAR(design::StepFiguresOf(Circuit::LowPass, PartsOf(Circuits[1])).overshoot, 0.0075,
                0.00005);
}

TEST(Step, OpAmpsWithOutputResistanceStillSettle)
{
    // Designs whose op-amp transfer function once had a fifth pole made of rounding noise,
    // far out in the right half-plane: their steps read "overshoot 0 %, rise 0 s".
    struct Row {
        double r;
        std::array<double, 3> c;
        OpAmp opamp;
    };
    // clang-format off
    const Row rows[] = {
        {884e3, {5.62e-08, 1.47e-07, 9.09e-09},                               {765e3, 435e3, 10}},
        {20e3,  {1.83179024205781e-11, 4.665236867890748e-11, 2.662899914457182e-12}, {2e6, 1.1e6, 100}},
        {6.9e3, {1e-07, 1.5e-07, 2.2e-08},                                    {121e3, 535e3, 250}},
    };
    // clang-format on
    for (const Row& row : rows) {
        const Parts parts = design::EqualSeries(row.r, row.c);
        const design::Transfer t =
            design::TransferFunction(Circuit::LowPass, parts, 1e4, row.opamp);
        EXPECT_EQ(t.denominator.degree, 4);
        for (const std::complex<double>& pole : design::PolynomialRoots(t.denominator))
            EXPECT_LT(pole.real(), 0) << "R " << row.r;
        const design::StepFigures step = design::StepFiguresOf(Circuit::LowPass, parts, row.opamp);
        const design::StepFigures ideal = design::StepFiguresOf(Circuit::LowPass, parts);
        EXPECT_GT(*step.riseTime, 0.5 * *ideal.riseTime) << "R " << row.r;
        EXPECT_GT(step.overshoot, 0.5 * ideal.overshoot) << "R " << row.r;
    }
}

TEST(GroupDelay, ButterworthDcDelayIsTwoOverOmega)
{
    const design::GroupDelay delay =
        *design::GroupDelayOf(Circuit::LowPass, PartsOf(Circuits[0]), F);
    EXPECT_NEAR(delay.dc * TwoPi * F, 2, 1e-12);
}

TEST(Roots, FoundForClosePairsAndWidelySpreadRoots)
{
    // (x + 1)(x^2 + x + 1)(x + 1e4): Butterworth poles and a far op-amp pole.
    design::Polynomial p;
    p.degree = 4;
    p.c = {1e4, 2e4 + 1, 2e4 + 2, 1e4 + 2, 1};
    std::vector<std::complex<double>> roots = design::PolynomialRoots(p);
    ASSERT_EQ(roots.size(), 4u);
    const std::complex<double> expected[] = {
        -1e4, -1, {-0.5, std::sqrt(3.0) / 2}, {-0.5, -std::sqrt(3.0) / 2}};
    for (const auto& e : expected) {
        double nearest = 1e300;
        for (const auto& r : roots)
            nearest = std::min(nearest, std::abs(r - e) / std::abs(e));
        EXPECT_LT(nearest, 1e-11) << e;
    }
}

TEST(Noise, LowPassAtDcIsTheSeriesResistorsAndTheOpAmpsOwn)
{
    const Parts parts = PartsOf(Circuits[0]);
    const double fourKT = 4 * design::Boltzmann * design::NoiseTemperature;
    const design::OpAmpNoise own{10e-9, 1e-12};
    const std::vector<double> d =
        design::NoiseDensities(Circuit::LowPass, parts, 1e-6, std::nullopt, own);
    ASSERT_EQ(d.size(), 6u);  // Ra Rb Rc EN IN+ IN-
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(d[i] / std::sqrt(fourKT * parts.series[i]), 1, 1e-9);
    EXPECT_NEAR(d[3] / own.voltage, 1, 1e-9);
    EXPECT_NEAR(d[4] / (own.current * 3 * parts.series[0]), 1, 1e-9);
    EXPECT_LT(d[5], 1e-20);  // into an ideal output
    // A real op-amp's RO appears at the output only where the loop gain is gone.
    const OpAmp opamp{1e6, 200e3, 100};
    const std::vector<double> low = design::NoiseDensities(Circuit::LowPass, parts, 10, opamp, {});
    const std::vector<double> high =
        design::NoiseDensities(Circuit::LowPass, parts, 1e7, opamp, {});
    EXPECT_LT(low[3], 1e-3 * std::sqrt(fourKT * 100));
    EXPECT_NEAR(high[3] / std::sqrt(fourKT * 100), 1, 0.2);
}

TEST(Noise, RmsIsTheDensityIntegratedAndTheSharesAddUp)
{
    const Parts parts = PartsOf(Circuits[5]);
    const design::NoiseFigures n =
        design::NoiseOf(Circuit::HighPass, parts, OpAmp{1e6, 2e5, 50},
                        design::OpAmpNoise{5e-9, 2e-12}, 10 * F, {F / 100, 100 * F});
    double squares = 0, shares = 0;
    const int points = 200000;
    for (int i = 0; i < points; ++i) {
        const double f = F / 100 + (100 * F - F / 100) * (i + 0.5) / points;
        for (const double d : design::NoiseDensities(
                 Circuit::HighPass, parts, f, OpAmp{1e6, 2e5, 50}, design::OpAmpNoise{5e-9, 2e-12}))
            squares += d * d * (100 * F - F / 100) / points;
    }
    EXPECT_NEAR(n.rms / std::sqrt(squares), 1, 1e-4);
    for (const design::NoiseShare& s : n.shares)
        shares += s.share;
    EXPECT_NEAR(shares, 1, 1e-12);
}

TEST(StopBand, LowPassLeaksThroughRoOnceTheOpAmpRunsOutOfGain)
{
    const Parts parts =
        design::EqualSeries(10e3, design::IdealParts(Circuit::LowPass, ResponseKind::Butterworth,
                                                     design::Coefficients::Exact, 1000, 10e3));
    const design::StopBand leak =
        design::StopBandOf(Circuit::LowPass, parts, 1000, OpAmp{1e6, 200e3, 100});
    EXPECT_GT(leak.at100fDb, -104);
    EXPECT_LT(leak.at100fDb, -102);
    EXPECT_GT(leak.at1000fDb, -107);
    EXPECT_LT(leak.at1000fDb, -105);
    EXPECT_NEAR(leak.at10000fDb - leak.at1000fDb, -20, 3);  // 20 dB a decade beyond
    EXPECT_LT(20 * std::log10(std::abs(design::FrequencyResponse(Circuit::LowPass, parts, 1e6))),
              -170);
}

TEST(WorstCase, CornersBoundEveryDrawAndFollowTheSensitivities)
{
    const Parts parts = PartsOf(Circuits[0]);
    design::ToleranceRequest t;
    t.resistors = 0.01;
    t.capacitors = 0.02;
    t.samples = 20000;
    const design::WorstCase worst = *design::WorstCaseOf(Circuit::LowPass, F, parts, t);
    const double nominal = *design::F3(Circuit::LowPass, parts) / F - 1;
    const design::ToleranceFigures spread = design::MonteCarlo(Circuit::LowPass, F, parts, t);
    EXPECT_LE(worst.low, spread.p0_5);
    EXPECT_GE(worst.high, spread.p99_5);
    // To first order each corner moves f3 by the sum of |sensitivity| x tolerance.
    const design::Sensitivities s = *design::F3Sensitivities(Circuit::LowPass, parts);
    double firstOrder = 0;
    for (std::size_t i = 0; i < 3; ++i)
        firstOrder += std::fabs(s.series[i]) * t.resistors + std::fabs(s.shunt[i]) * t.capacitors;
    EXPECT_NEAR(worst.high - nominal, firstOrder, 0.1 * firstOrder);
    EXPECT_NEAR(nominal - worst.low, firstOrder, 0.1 * firstOrder);
    EXPECT_EQ(worst.lowCorner, (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(worst.highCorner, (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));
}

TEST(AlignedShape, TheWindowsValuesAreFlatOnceTheirF3ErrorIsTakenOut)
{
    for (const Circuit circuit : {Circuit::LowPass, Circuit::HighPass}) {
        const double value = circuit == Circuit::LowPass ? 33e3 : 10e-9;
        const Parts parts = design::EqualSeries(
            value, design::IdealParts(circuit, ResponseKind::Butterworth,
                                      design::Coefficients::Window, 100, value));
        const double f3 = *design::F3(circuit, parts);
        const double aligned = design::AlignedShapeErrorDb(circuit, ResponseKind::Butterworth, f3,
                                                           parts, std::nullopt, 100 * f3);
        EXPECT_LT(aligned, 0.013);
        EXPECT_GT(design::ShapeErrorDb(circuit, ResponseKind::Butterworth, 100, parts), 0.05);
    }
}

TEST(PassbandEdge, ChebyshevEdgeGivesTheF3WhoseRippleBandEndsThere)
{
    struct Row {
        Circuit circuit;
        ResponseKind response;
        double f3OverEdge;  // an edge typed as f3 ends up 8.7 % (1 dB) or 14.4 % (0.5 dB) low
    };
    for (const Row& row : {Row{Circuit::LowPass, ResponseKind::Chebyshev1, 1 / (1 - 0.0869)},
                           Row{Circuit::LowPass, ResponseKind::Chebyshev05, 1 / (1 - 0.1438)},
                           Row{Circuit::HighPass, ResponseKind::Chebyshev1, 1 - 0.0869}}) {
        const double f3 = *design::F3FromPassbandEdge(row.circuit, row.response, 1000);
        EXPECT_NEAR(f3 / 1000, row.f3OverEdge, 0.001);
        EXPECT_NEAR(*design::RippleEdge(row.circuit, row.response, f3), 1000, 1e-9);
    }
    EXPECT_FALSE(design::F3FromPassbandEdge(Circuit::LowPass, ResponseKind::Butterworth, 1000));
    EXPECT_FALSE(design::F3FromPassbandEdge(Circuit::HighPass, ResponseKind::Bessel, 1000));
}

// The target's poles against their closed forms, each normalised as filter tables give it:
// Butterworth and Bessel to the -3 dB point, Chebyshev to the ripple band's edge. A high-pass
// mirrors each frequency about f3 and keeps each Q.
struct PoleForm {
    ResponseKind response;
    std::complex<double> pair;  // the upper pole of the pair, rad/s of the normalisation
    double real;                // its real pole, rad/s
};

// The roots of the Bessel polynomial s^3 + 6 s^2 + 15 s + 15 (checked below), at its own
// -3 dB point.
std::complex<double> BesselPole(std::complex<double> root)
{
    const auto gain = [](double w) {
        const std::complex<double> s(0, w);
        return std::abs(15.0 / (((s + 6.0) * s + 15.0) * s + 15.0));
    };
    double low = 1, high = 3;
    for (int i = 0; i < 200; ++i)
        (gain((low + high) / 2) > std::sqrt(0.5) ? low : high) = (low + high) / 2;
    return root / low;
}

// Chebyshev poles at the ripple band's edge of 1 rad/s, for a ripple in dB.
PoleForm ChebyshevForm(ResponseKind response, double rippleDb)
{
    const double epsilon = std::sqrt(std::pow(10.0, rippleDb / 10) - 1);
    const double a = std::asinh(1 / epsilon) / 3;
    const double theta = std::numbers::pi / 6;
    return {
        response, {-std::sinh(a) * std::sin(theta), std::cosh(a) * std::cos(theta)}, std::sinh(a)};
}

TEST(Poles, TheTargetsAreTheTablesClosedForms)
{
    const std::complex<double> besselPair(-1.8389073227, 1.7543809598);
    const double besselReal = 2.3221853546;
    for (const std::complex<double> root : {besselPair, std::complex<double>(-besselReal)}) {
        const std::complex<double> d = ((root + 6.0) * root + 15.0) * root + 15.0;
        ASSERT_LT(std::abs(d), 1e-8) << "a root of the Bessel polynomial";
    }
    const double sqrt3 = std::sqrt(3.0);
    const PoleForm forms[] = {
        {ResponseKind::Butterworth, {-0.5, sqrt3 / 2}, 1},
        {ResponseKind::Bessel, BesselPole(besselPair), std::abs(BesselPole(besselReal))},
        ChebyshevForm(ResponseKind::Chebyshev05, 0.5),
        ChebyshevForm(ResponseKind::Chebyshev1, 1),
    };
    for (const PoleForm& form : forms) {
        // The normalisation's unit, in Hz of an f3 of 1 kHz.
        const double f3 = 1e3;
        const double unit = design::TargetOf(form.response).rippleEdge == 0
                                ? f3
                                : *design::RippleEdge(Circuit::LowPass, form.response, f3);
        const double f0 = std::abs(form.pair) * unit,
                     q = std::abs(form.pair) / (-2 * form.pair.real());
        const double real = form.real * unit;
        for (const Circuit circuit : {Circuit::LowPass, Circuit::HighPass}) {
            const design::Poles poles = design::TargetPoles(circuit, form.response, f3);
            ASSERT_EQ(poles.pairs.size(), 1u);
            ASSERT_EQ(poles.real.size(), 1u);
            const auto mirrored = [&](double f) {
                return circuit == Circuit::LowPass ? f : f3 * f3 / f;
            };
            const std::string what = std::string(design::Id(form.response)) +
                                     (circuit == Circuit::LowPass ? " low-pass" : " high-pass");
            EXPECT_NEAR(poles.pairs[0].f0, mirrored(f0), 1e-9 * f0) << what;
            EXPECT_NEAR(poles.pairs[0].q, q, 1e-9 * q) << what;
            EXPECT_NEAR(poles.real[0], mirrored(real), 1e-9 * real) << what;
        }
    }
}

}  // namespace
