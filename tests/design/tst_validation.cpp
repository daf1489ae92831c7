// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A request's checks before it is designed: each limit at its edge, the settings that only
// go together, and that a request without problems is one MakeReport takes.
#include <cmath>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "design/report.h"
#include "design/validation.h"
#include "tests/design/param_name.h"

namespace {

using design::Subject;

struct ValidationRow {
    std::string_view name;
    design::Request request;
    std::optional<design::OpAmp> opamp;
    std::optional<design::ToleranceRequest> tolerance;
    std::vector<Subject> problems;  // in the order found
};

design::Request With(void (*change)(design::Request&))
{
    design::Request request;
    change(request);
    return request;
}

design::ToleranceRequest Tolerance(double resistors, double capacitors, long samples = 100)
{
    design::ToleranceRequest tolerance;
    tolerance.resistors = resistors;
    tolerance.capacitors = capacitors;
    tolerance.samples = samples;
    return tolerance;
}

class Validation : public testing::TestWithParam<ValidationRow> { };

TEST_P(Validation, FindsEachProblemAndOnlyThose)
{
    const ValidationRow& row = GetParam();
    const std::vector<design::Problem> problems =
        design::Validate(row.request, row.opamp, row.tolerance);
    std::vector<Subject> subjects;
    for (const design::Problem& problem : problems) {
        subjects.push_back(problem.subject);
        EXPECT_EQ(problem.expected.rfind("expected ", 0), 0u) << problem.expected;
        EXPECT_EQ(problem.expected.find('\n'), std::string::npos) << problem.expected;
    }
    EXPECT_EQ(subjects, row.problems);
    if (problems.empty()) {
        EXPECT_NO_THROW(design::MakeReport(row.request, row.opamp, row.tolerance));
    }
}

const design::OpAmp Fast{1e6, 200e3, 0};

INSTANTIATE_TEST_SUITE_P(
    Requests, Validation,
    testing::Values(
        ValidationRow{"default", {}, Fast, Tolerance(0.01, 0.01), {}},
        ValidationRow{"frequency at the smallest",
                      With([](auto& r) { r.frequency = 1e-30, r.value = 1e29; }),
                      {},
                      {},
                      {}},
        ValidationRow{
            "frequency zero", With([](auto& r) { r.frequency = 0; }), {}, {}, {Subject::Frequency}},
        ValidationRow{"frequency infinite",
                      With([](auto& r) { r.frequency = INFINITY; }),
                      {},
                      {},
                      {Subject::Frequency}},
        ValidationRow{"value above the largest",
                      With([](auto& r) { r.value = 1.1e30; }),
                      {},
                      {},
                      {Subject::Value}},
        ValidationRow{
            "value not a number", With([](auto& r) { r.value = NAN; }), {}, {}, {Subject::Value}},
        ValidationRow{
            "50 steps",
            With([](auto& r) { r.series = r.moveSeries = design::Series::E24, r.moveSteps = 50; }),
            {},
            {},
            {}},
        ValidationRow{
            "51 steps",
            With([](auto& r) { r.series = r.moveSeries = design::Series::E24, r.moveSteps = 51; }),
            {},
            {},
            {Subject::MoveSteps}},
        ValidationRow{"gain zero", {}, design::OpAmp{1e6, 0, 0}, {}, {Subject::OpAmp}},
        ValidationRow{
            "negative output resistance", {}, design::OpAmp{1e6, 200e3, -1}, {}, {Subject::OpAmp}},
        ValidationRow{"tolerance at 30 %", {}, {}, Tolerance(0.30, 0.30), {}},
        ValidationRow{"tolerance past 30 %",
                      {},
                      {},
                      Tolerance(std::nextafter(0.30, 1.0), 0),
                      {Subject::Tolerance}},
        ValidationRow{"negative tolerance", {}, {}, Tolerance(0, -0.01), {Subject::Tolerance}},
        ValidationRow{"no samples", {}, {}, Tolerance(0.01, 0.01, 0), {Subject::Samples}},
        ValidationRow{"too many samples",
                      {},
                      {},
                      Tolerance(0.01, 0.01, design::MaxSamples + 1),
                      {Subject::Samples}},
        ValidationRow{"move without series",
                      With([](auto& r) { r.moveSeries = design::Series::E24; }),
                      {},
                      {},
                      {Subject::MoveWithoutSeries}},
        ValidationRow{"window coefficients for Bessel",
                      With([](auto& r) {
                          r.coefficients = design::Coefficients::Window;
                          r.response = design::ResponseKind::Bessel;
                      }),
                      {},
                      {},
                      {Subject::WindowCoefficients}},
        // The parts are only computed when nothing else is wrong: these would throw.
        ValidationRow{"every kind at once",
                      With([](auto& r) {
                          r.frequency = 0, r.value = 0, r.moveSeries = design::Series::E3;
                          r.moveSteps = -1, r.coefficients = design::Coefficients::Window;
                          r.response = design::ResponseKind::Chebyshev1;
                      }),
                      design::OpAmp{0, 1, 0},
                      Tolerance(1, 1, 0),
                      {Subject::Frequency, Subject::Value, Subject::MoveSteps, Subject::OpAmp,
                       Subject::Tolerance, Subject::Tolerance, Subject::Samples,
                       Subject::MoveWithoutSeries, Subject::WindowCoefficients}},
        ValidationRow{"parts too large",
                      With([](auto& r) { r.frequency = r.value = 1e20; }),
                      {},
                      {},
                      {Subject::Parts}},
        ValidationRow{"a moved value's parts too small",
                      With([](auto& r) {
                          r.value = 1e14, r.series = r.moveSeries = design::Series::E3;
                          r.moveSteps = 50;
                      }),
                      {},
                      {},
                      {Subject::Parts}},
        ValidationRow{
            "op-amp at the frequency", {}, design::OpAmp{100, 200e3, 0}, {}, {Subject::OpAmpGbw}},
        ValidationRow{"op-amp just above the frequency",
                      {},
                      design::OpAmp{std::nextafter(100.0, 200.0), 200e3, 0},
                      {},
                      {}}),
    [](const auto& info) { return ParamName(info.index, info.param.name); });

TEST(Validation, SaysTheFrequencyAnOpAmpMustPass)
{
    design::Request request;
    request.frequency = 2500;
    const auto problem = design::CheckBuildable(request, design::OpAmp{1, 5e6, 0});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->expected, "expected a GBW above the frequency of 2500 Hz");
}

}  // namespace
