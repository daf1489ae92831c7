// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What the designer's plots are drawn from: the tolerance samples themselves (the figures of
// the design command come from them to the bit, and a stop request ends them), and the Bode
// curves at any density.
#include <cmath>
#include <optional>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

#include "design/analysis.h"
#include "design/outputs/plot.h"
#include "design/report.h"
#include "tests/design/param_name.h"
#include "tests/designer/plots/designs.h"

// The test designs print as their names (a test name in CTest's list shows it).
void PrintTo(const TestDesign& design, std::ostream* out)
{
    *out << design.name;
}

namespace {

using design::Circuit;
using design::Distribution;
using design::ResponseKind;

struct Tolerance {
    double resistors, capacitors;
    Distribution distribution;
};

// The design command's figures for the default 100000 samples and seed, as printed (--json)
// before the samples were taken apart from the figures.
struct Figures {
    double sigma, p0_5, p99_5;
};

struct SamplesRow {
    TestDesign design;
    Tolerance tolerance;
    Figures figures;
};

constexpr auto Butterworth = ResponseKind::Butterworth;
constexpr Tolerance Uniform1And5 = {0.01, 0.05, Distribution::Uniform};
constexpr Tolerance Normal05And2 = {0.005, 0.02, Distribution::Normal};

const SamplesRow SamplesRows[] = {
    {{"lowpass 100 33k 1,5", Circuit::LowPass, Butterworth, 100, 33e3, {}, {}},
     Uniform1And5,
     {0.018959387093493835, -0.04159843916667731, 0.04417403698141265}},
    {{"lowpass 100 33k 0.5,2 normal", Circuit::LowPass, Butterworth, 100, 33e3, {}, {}},
     Normal05And2,
     {0.004428306446028282, -0.011272892844479633, 0.011367417373224597}},
    {{"highpass 100 10n 1,5", Circuit::HighPass, Butterworth, 100, 10e-9, {}, {}},
     Uniform1And5,
     {0.02064852339548774, -0.04235573494715673, 0.046977355900511435}},
    {{"highpass 100 10n 0.5,2 normal", Circuit::HighPass, Butterworth, 100, 10e-9, {}, {}},
     Normal05And2,
     {0.004764315103768017, -0.012105501071194518, 0.012525268340974418}},
    {{"highpass 10k 1n chebyshev-1 E12 1,5",
      Circuit::HighPass,
      ResponseKind::Chebyshev1,
      10e3,
      1e-9,
      design::Series::E12,
      {}},
     Uniform1And5,
     {0.01785385908402492, -0.05174519959206395, 0.030593673289912554}},
};

void PrintTo(const SamplesRow& row, std::ostream* out)
{
    *out << row.design.name;
}

class ToleranceSamples : public testing::TestWithParam<SamplesRow> { };

design::ToleranceRequest ToleranceOf(const SamplesRow& row)
{
    design::ToleranceRequest t;
    t.resistors = row.tolerance.resistors;
    t.capacitors = row.tolerance.capacitors;
    t.distribution = row.tolerance.distribution;
    return t;
}

TEST_P(ToleranceSamples, GiveTheDesignCommandsFiguresToTheBit)
{
    const SamplesRow& row = GetParam();
    const design::Report report = ReportOf(row.design, ToleranceOf(row));
    ASSERT_TRUE(report.tolerance);
    std::optional<std::vector<double>> errors =
        design::ToleranceErrors(row.design.circuit, row.design.f, report.design.parts,
                                ToleranceOf(row), [](long) { return true; });
    ASSERT_TRUE(errors);
    EXPECT_EQ(errors->size(), 100000U);
    const design::ToleranceFigures fromSamples = design::FiguresOf(*errors);
    for (const design::ToleranceFigures& figures : {*report.tolerance, fromSamples}) {
        EXPECT_EQ(figures.samples, 100000);
        EXPECT_EQ(figures.sigma, row.figures.sigma);
        EXPECT_EQ(figures.p0_5, row.figures.p0_5);
        EXPECT_EQ(figures.p99_5, row.figures.p99_5);
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, ToleranceSamples, testing::ValuesIn(SamplesRows),
                         [](const auto& info) {
                             return ParamName(info.index, info.param.design.name);
                         });

// The callback is asked before the first sample, after every ProgressStep and at the end;
// saying stop at any of these asks ends the computation with nothing.
struct StopRow {
    long samples;
    int stopAtAsk;  // -1: never
    std::vector<long> asked;
};

TEST(ToleranceSamplesStop, AsksAtEachStepAndStopsWhenTold)
{
    const design::Parts parts = design::EqualSeries(33e3, {68e-9, 160e-9, 10e-9});
    const long step = design::ToleranceProgressStep;
    const StopRow rows[] = {
        {5000, -1, {0, step, 2 * step, 3 * step, 4 * step, 5000}},
        {5000, 0, {0}},
        {5000, 2, {0, step, 2 * step}},
        {5000, 5, {0, step, 2 * step, 3 * step, 4 * step, 5000}},
        {step, -1, {0, step}},
        {0, -1, {0}},
        {0, 0, {0}},
    };
    for (const StopRow& row : rows) {
        design::ToleranceRequest request;
        request.samples = row.samples;
        std::vector<long> asked;
        const auto result =
            design::ToleranceErrors(Circuit::LowPass, 100, parts, request, [&](long done) {
                asked.push_back(done);
                return int(asked.size()) - 1 != row.stopAtAsk;
            });
        SCOPED_TRACE(testing::Message()
                     << row.samples << " samples, stop at ask " << row.stopAtAsk);
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(result.has_value(), row.stopAtAsk < 0);
        if (result) {
            EXPECT_EQ(long(result->size()), row.samples);
        }
    }
}

// The curves at four times the density pass through the plot's own points.
class BodeCurves : public testing::TestWithParam<TestDesign> { };

TEST_P(BodeCurves, AtAnyDensityPassThroughThePlotsPoints)
{
    const TestDesign& row = GetParam();
    const design::Report report = ReportOf(row);
    const auto plot = design::outputs::BodeCurvesOf(report);
    const auto dense = design::outputs::BodeCurvesOf(report, 200);
    ASSERT_EQ(plot.freq.size(), 201U);
    ASSERT_EQ(dense.freq.size(), 801U);
    EXPECT_EQ(dense.f, row.f);
    EXPECT_EQ(dense.f3, row.opamp ? report.opamp->f3 : report.design.f3);
    EXPECT_GE(dense.largestDeviation, plot.largestDeviation - 1e-9);  // a finer grid
    for (std::size_t i = 0; i < plot.freq.size(); ++i) {
        const std::size_t j = 4 * i;
        ASSERT_NEAR(dense.freq[j] / plot.freq[i], 1, 1e-13) << i;
        for (const auto member :
             {&design::outputs::BodeCurves::designDb, &design::outputs::BodeCurves::targetDb,
              &design::outputs::BodeCurves::designPhase, &design::outputs::BodeCurves::targetPhase,
              &design::outputs::BodeCurves::deviation})
            ASSERT_NEAR((dense.*member)[j], (plot.*member)[i], 1e-9) << i;
    }
    EXPECT_EQ(plot.freq.front(), row.f / 100);
}

INSTANTIATE_TEST_SUITE_P(Designs, BodeCurves, testing::ValuesIn(TestDesigns),
                         [](const auto& info) { return ParamName(info.index, info.param.name); });

}  // namespace
