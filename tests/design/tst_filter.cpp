// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The circuits' responses: the closed forms against a direct nodal solution, the exact
// values against their targets, and the worked figures.
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

#include <gtest/gtest.h>

#include "design/analysis.h"
#include "design/behaviour.h"
#include "design/filter.h"
#include "tests/design/param_name.h"

namespace {

using design::Circuit;
using design::Coefficients;
using design::OpAmp;
using design::Parts;
using design::ResponseKind;
using Complex = std::complex<double>;

constexpr double TwoPi = 2 * std::numbers::pi;

// H = Vo / Vin at s (rad/s) from the four node equations (n1, n2, + input, output) solved
// by Gaussian elimination: no closed form involved.
Complex NodalResponseAt(Circuit circuit, const Parts& p, Complex s,
                        const std::optional<OpAmp>& opamp)
{
    const auto series = [&](double x) {
        return circuit == Circuit::LowPass ? Complex(1 / x) : s * x;
    };
    const auto shunt = [&](double x) {
        return circuit == Circuit::LowPass ? s * x : Complex(1 / x);
    };
    const Complex ya = series(p.series[0]), yb = series(p.series[1]), yc = series(p.series[2]);
    const Complex y1 = shunt(p.shunt[0]), y2 = shunt(p.shunt[1]), y3 = shunt(p.shunt[2]);
    // Unknowns V1, V2, Vp, Vo; Vin = 1.
    Complex m[4][5] = {
        {ya + y1 + yb, -yb, 0, 0, ya},
        {-yb, yb + y2 + yc, -yc, -y2, 0},
        {0, -yc, yc + y3, 0, 0},
        {0, 0, -1, 1, 0},  // ideal follower: Vo = Vp
    };
    if (opamp) {
        // Source A (Vp - Vo) behind RO feeds the output node, whose only load is C2 / R2:
        // (Vo - A (Vp - Vo)) / RO + Y2 (Vo - V2) = 0, multiplied by RO.
        const Complex a = opamp->a0 / (1.0 + s * opamp->a0 / (TwoPi * opamp->gbw));
        const Complex ro = opamp->ro;
        m[3][0] = 0;
        m[3][1] = -ro * y2;
        m[3][2] = -a;
        m[3][3] = 1.0 + a + ro * y2;
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::abs(m[r][c]) > std::abs(m[pivot][c]))
                pivot = r;
        std::swap(m[c], m[pivot]);
        for (int r = 0; r < 4; ++r)
            if (r != c) {
                const Complex factor = m[r][c] / m[c][c];
                for (int k = c; k < 5; ++k)
                    m[r][k] -= factor * m[c][k];
            }
    }
    return m[3][4] / m[3][3];
}

Complex NodalResponse(Circuit circuit, const Parts& p, double f, const std::optional<OpAmp>& opamp)
{
    return NodalResponseAt(circuit, p, Complex(0, TwoPi * f), opamp);
}

// Unequal parts, as tolerances leave them.
const Parts LowPassParts{{33e3, 36e3, 30e3}, {68e-9, 160e-9, 10e-9}};
const Parts HighPassParts{{10e-9, 11e-9, 9.1e-9}, {120e3, 47e3, 750e3}};

struct NodalRow {
    Circuit circuit;
    std::optional<OpAmp> opamp;
};

class ClosedForm : public testing::TestWithParam<NodalRow> { };

TEST_P(ClosedForm, MatchesTheNodalSolution)
{
    const auto& [circuit, opamp] = GetParam();
    const Parts& parts = circuit == Circuit::LowPass ? LowPassParts : HighPassParts;
    for (const double f : {1.0, 30.0, 100.0, 250.0, 3e3, 1e5, 3e6}) {
        const Complex expected = NodalResponse(circuit, parts, f, opamp);
        const Complex actual = design::FrequencyResponse(circuit, parts, f, opamp);
        // A gain of 1e4 to 2e5 costs some digits in either solution; a wrong term costs all.
        EXPECT_LT(std::abs(actual - expected), 1e-7 * std::abs(expected)) << "f = " << f;
    }
}

// Each pole found makes the nodal equations singular: approached ten thousand times closer,
// the gain grows ten thousand times (a pole off by 1e-7 of its size would stop it near 1e3).
TEST_P(ClosedForm, PolesAreWhereTheNodalSolutionIsUnbounded)
{
    const auto& [circuit, opamp] = GetParam();
    const Parts& parts = circuit == Circuit::LowPass ? LowPassParts : HighPassParts;
    const design::Poles poles = design::PolesOf(circuit, parts, opamp);
    std::vector<Complex> found;
    for (const design::PolePair& pair : poles.pairs) {
        const double w = TwoPi * pair.f0, sigma = -w / (2 * pair.q);
        found.emplace_back(sigma, std::sqrt(w * w - sigma * sigma));
    }
    for (const double f : poles.real)
        found.emplace_back(-TwoPi * f, 0);
    const int order = opamp ? 4 : 3;  // three capacitors, and the op-amp's own pole
    EXPECT_EQ(2 * poles.pairs.size() + poles.real.size(), std::size_t(order));
    for (const Complex& pole : found) {
        const double near = std::abs(NodalResponseAt(circuit, parts, pole * (1 + 1e-7), opamp));
        const double far = std::abs(NodalResponseAt(circuit, parts, pole * (1 + 1e-3), opamp));
        EXPECT_GT(near / far, 9e3) << "pole " << pole;
    }
}

INSTANTIATE_TEST_SUITE_P(Circuits, ClosedForm,
                         testing::Values(NodalRow{Circuit::LowPass, std::nullopt},
                                         NodalRow{Circuit::LowPass, OpAmp{1e6, 200e3, 0}},
                                         NodalRow{Circuit::LowPass, OpAmp{5e3, 1e4, 100}},
                                         NodalRow{Circuit::HighPass, std::nullopt},
                                         NodalRow{Circuit::HighPass, OpAmp{1e6, 200e3, 0}},
                                         NodalRow{Circuit::HighPass, OpAmp{5e3, 1e4, 100}}),
                         [](const auto& info) {
                             return ParamName(info.index,
                                              std::string(info.param.circuit == Circuit::LowPass
                                                              ? "lowpass"
                                                              : "highpass") +
                                                  (info.param.opamp ? "_opamp" : "_ideal"));
                         });

// With the three series parts equal, the general form reduces to the textbook ones.
TEST(ClosedForm, ReducesToTheEqualPartFormulas)
{
    const double r = 33e3, c1 = 68e-9, c2 = 160e-9, c3 = 10e-9;
    const double c = 10e-9, r1 = 120e3, r2 = 47e3, r3 = 750e3;
    for (const double f : {10.0, 100.0, 1e3}) {
        const Complex s(0, TwoPi * f);
        const Complex lowPass =
            1.0 / (r * r * r * c1 * c2 * c3 * s * s * s + 2 * r * r * c3 * (c1 + c2) * s * s +
                   r * (c1 + 3 * c3) * s + 1.0);
        const Complex highPass =
            s * s * s /
            (s * s * s + (3 * r1 + r3) / (c * r1 * r3) * s * s +
             2 * (r1 + r2) / (c * c * r1 * r2 * r3) * s + 1 / (c * c * c * r1 * r2 * r3));
        EXPECT_LT(std::abs(design::FrequencyResponse(Circuit::LowPass,
                                                     design::EqualSeries(r, {c1, c2, c3}), f) -
                           lowPass),
                  1e-12);
        EXPECT_LT(std::abs(design::FrequencyResponse(Circuit::HighPass,
                                                     design::EqualSeries(c, {r1, r2, r3}), f) -
                           highPass),
                  1e-12);
    }
}

TEST(ClosedForm, AFastOpAmpIsAlmostIdeal)
{
    const OpAmp fast{1e12, 1e12, 0};
    for (const double f : {10.0, 100.0, 1e3})
        EXPECT_LT(std::abs(design::FrequencyResponse(Circuit::LowPass, LowPassParts, f, fast) -
                           design::FrequencyResponse(Circuit::LowPass, LowPassParts, f)),
                  1e-9);
}

struct ExactRow {
    ResponseKind response;
    std::array<double, 3> lowPass;   // C1, C2, C3 for R = 1, w = 1 at -3 dB
    std::array<double, 3> highPass;  // R1, R2, R3 for C = 1
};

class ExactValues : public testing::TestWithParam<ExactRow> { };

TEST_P(ExactValues, MatchTheWorkedFigures)
{
    const auto& row = GetParam();
    const auto lowPass =
        design::NormalisedValues(Circuit::LowPass, design::TargetOf(row.response).a);
    const auto highPass =
        design::NormalisedValues(Circuit::HighPass, design::TargetOf(row.response).a);
    ASSERT_TRUE(lowPass && highPass);
    for (std::size_t i = 0; i < 3; ++i) {
        // Seven significant digits: half a unit of the seventh.
        EXPECT_NEAR((*lowPass)[i], row.lowPass[i], 0.5e-6 * row.lowPass[i]) << i;
        if (row.highPass[0] != 0) {
            EXPECT_NEAR((*highPass)[i], row.highPass[i], 0.5e-6 * row.highPass[i]) << i;
        }
        EXPECT_NEAR((*highPass)[i] * (*lowPass)[i], 1, 1e-15);
    }
}

TEST_P(ExactValues, RebuildTheirTargetAndCrossMinus3DbAtOne)
{
    const auto& row = GetParam();
    const design::Target& target = design::TargetOf(row.response);
    for (const Circuit circuit : {Circuit::LowPass, Circuit::HighPass}) {
        const auto values = *design::NormalisedValues(circuit, target.a);
        const Parts parts = design::EqualSeries(1, values);
        const auto cubic = design::IdealCubic(circuit, parts, 1);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(cubic[i], target.a[i], 1e-13 * target.a[i]);
        EXPECT_NEAR(std::abs(design::FrequencyResponse(circuit, parts, 1 / TwoPi)), std::sqrt(0.5),
                    1e-13);
        EXPECT_NEAR(*design::F3(circuit, parts), 1 / TwoPi, 1e-13);
    }
}

TEST_P(ExactValues, StoredOnesAreTheFormulasToAFewUlps)
{
    const auto& row = GetParam();
    for (const Circuit circuit : {Circuit::LowPass, Circuit::HighPass}) {
        const auto computed = *design::NormalisedValues(circuit, design::TargetOf(row.response).a);
        const auto stored = design::StoredNormalisedValues(circuit, row.response);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(stored[i], computed[i], 4e-16 * computed[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Responses, ExactValues,
    testing::Values(ExactRow{ResponseKind::Butterworth,
                             {1.392647, 3.546818, 0.2024511},
                             {0.7180572, 0.2819428, 4.939465}},
                    ExactRow{ResponseKind::Bessel, {0.9913917, 1.428441, 0.2547602}, {}},
                    ExactRow{ResponseKind::Chebyshev05, {2.236844, 11.16971, 0.08899163}, {}},
                    ExactRow{ResponseKind::Chebyshev1, {2.566900, 16.18731, 0.06429081}, {}}),
    [](const auto& info) { return ParamName(info.index, design::Id(info.param.response)); });

TEST(ExactValues, ChebyshevRippleEdgeIsWhereTheRippleBandEnds)
{
    for (const auto& [response, rippleDb] :
         {std::pair{ResponseKind::Chebyshev05, 0.5}, std::pair{ResponseKind::Chebyshev1, 1.0}}) {
        const double edge = *design::RippleEdge(Circuit::LowPass, response, 100);
        const double db =
            20 *
            std::log10(std::abs(design::TargetResponse(Circuit::LowPass, response, 100, edge)));
        EXPECT_NEAR(db, -rippleDb, 1e-9);
        // The high-pass mirrors it: the edge lies above f by the same ratio.
        EXPECT_NEAR(*design::RippleEdge(Circuit::HighPass, response, 100) * edge, 100 * 100, 1e-9);
    }
    EXPECT_FALSE(design::RippleEdge(Circuit::LowPass, ResponseKind::Bessel, 100).has_value());
}

TEST(ExactValues, UnrealisableTargetIsRefused)
{
    EXPECT_FALSE(
        design::NormalisedValues(Circuit::LowPass, {1, 1, 0.5}).has_value());  // a1 a2 = 2 a3
}

struct DefaultsRow {
    Circuit circuit;
    double value;
    std::array<double, 3> parts;  // six significant digits
    double windowF3;              // five
};

class Defaults : public testing::TestWithParam<DefaultsRow> { };

TEST_P(Defaults, ExactPartsAndTheWindowsF3)
{
    const auto& row = GetParam();
    const auto parts = design::IdealParts(row.circuit, ResponseKind::Butterworth,
                                          Coefficients::Exact, 100, row.value);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(parts[i], row.parts[i], 0.5e-5 * row.parts[i]) << i;
    EXPECT_NEAR(*design::F3(row.circuit, design::EqualSeries(row.value, parts)), 100, 1e-9);
    const auto window = design::IdealParts(row.circuit, ResponseKind::Butterworth,
                                           Coefficients::Window, 100, row.value);
    EXPECT_NEAR(*design::F3(row.circuit, design::EqualSeries(row.value, window)), row.windowF3,
                0.0005);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, Defaults,
    testing::Values(
        DefaultsRow{Circuit::LowPass, 33e3, {67.1656e-9, 171.059e-9, 9.76397e-9}, 98.870},
        DefaultsRow{Circuit::HighPass, 10e-9, {114.282e3, 44.8726e3, 786.140e3}, 104.172}),
    [](const auto& info) {
        return std::string(info.param.circuit == Circuit::LowPass ? "lowpass" : "highpass");
    });

TEST(Scaling, RTimesKDividesTheCapacitorsAndKeepsF3)
{
    const auto base = design::IdealParts(Circuit::LowPass, ResponseKind::Chebyshev1,
                                         Coefficients::Exact, 1e3, 10e3);
    for (const double k : {0.01, 3.3, 1e3}) {
        const auto scaled = design::IdealParts(Circuit::LowPass, ResponseKind::Chebyshev1,
                                               Coefficients::Exact, 1e3, 10e3 * k);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(scaled[i] * k, base[i], 1e-15 * base[i]);
        EXPECT_NEAR(*design::F3(Circuit::LowPass, design::EqualSeries(10e3 * k, scaled)), 1e3,
                    1e-9);
    }
}

TEST(ShapeError, IsZeroForExactValuesAndGrowsWithAWrongPart)
{
    for (const auto response :
         {ResponseKind::Butterworth, ResponseKind::Bessel, ResponseKind::Chebyshev05}) {
        auto parts = design::IdealParts(Circuit::HighPass, response, Coefficients::Exact, 50, 1e-6);
        const design::CandidateEvaluator evaluator(Circuit::HighPass, response, 50);
        EXPECT_LT(evaluator.Evaluate(design::EqualSeries(1e-6, parts)).shapeErrorDb, 1e-9);
        parts[1] *= 1.1;
        const double fast = evaluator.Evaluate(design::EqualSeries(1e-6, parts)).shapeErrorDb;
        const double general =
            design::ShapeErrorDb(Circuit::HighPass, response, 50, design::EqualSeries(1e-6, parts));
        EXPECT_GT(fast, 0.1);
        EXPECT_NEAR(fast, general, 1e-9);
    }
}

// The op-amp's f3 shift of the exact high-pass changes sign between 20 f and 30 f.
TEST(OpAmp, HighPassF3ShiftChangesSign)
{
    const Parts parts =
        design::EqualSeries(10e-9, design::IdealParts(Circuit::HighPass, ResponseKind::Butterworth,
                                                      Coefficients::Exact, 100, 10e-9));
    const double ideal = *design::F3(Circuit::HighPass, parts);
    const auto shift = [&](double gbw) {
        return *design::F3(Circuit::HighPass, parts, OpAmp{gbw, 200e3, 0}) / ideal - 1;
    };
    EXPECT_NEAR(shift(2e3), 0.012, 0.0005);
    EXPECT_NEAR(shift(3e3), -0.007, 0.0005);
    const design::Edges edges =
        design::ResponseEdges(Circuit::HighPass, parts, OpAmp{1e6, 200e3, 0});
    ASSERT_TRUE(edges.upper.has_value());
    EXPECT_NEAR(*edges.upper, 1e6, 0.01e6);  // the band-pass ends about at GBW
}

TEST(OpAmp, GbwNeededMatchesTheWorkedFigures)
{
    const Parts parts =
        design::EqualSeries(33e3, design::IdealParts(Circuit::LowPass, ResponseKind::Butterworth,
                                                     Coefficients::Exact, 100, 33e3));
    const design::GbwNeeded needed = design::FindGbwNeeded(
        Circuit::LowPass, ResponseKind::Butterworth, 100, parts, OpAmp{1e6, 200e3, 0});
    ASSERT_TRUE(needed.f3Within1Percent && needed.f3Within0_1Percent && needed.shapeWithin0_1Db);
    EXPECT_NEAR(*needed.f3Within1Percent / 100, 82.8, 0.05);
    EXPECT_NEAR(*needed.f3Within0_1Percent / 100, 749, 0.5);
    EXPECT_NEAR(*needed.shapeWithin0_1Db / 100, 476, 0.5);
    // At the boundary the shift is the limit itself.
    const double ideal = *design::F3(Circuit::LowPass, parts);
    EXPECT_NEAR(
        std::fabs(*design::F3(Circuit::LowPass, parts, OpAmp{*needed.f3Within1Percent, 200e3, 0}) /
                      ideal -
                  1),
        0.01, 1e-6);
}

TEST(OpAmp, NeedingMoreThanTheTopIsReported)
{
    // A gain of 10 alone moves f3 by several per cent, whatever the bandwidth.
    const Parts parts =
        design::EqualSeries(33e3, design::IdealParts(Circuit::LowPass, ResponseKind::Butterworth,
                                                     Coefficients::Exact, 100, 33e3));
    const design::GbwNeeded needed = design::FindGbwNeeded(
        Circuit::LowPass, ResponseKind::Butterworth, 100, parts, OpAmp{1e6, 10, 0});
    EXPECT_FALSE(needed.f3Within0_1Percent.has_value());
}

}  // namespace
