// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The computed parts, put back into their circuits, must give a third-order maximally
// flat response near the entered cut-off frequency. The coefficients are fixed published
// values: the shape is flat to about 0.02 dB, but the -3 dB point lies about 1.1 % below
// the entered frequency for the low-pass and about 4.2 % above it for the high-pass.
// A typo in any coefficient moves one of these far outside its band.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <ostream>

#include "calc/calculation.h"

namespace {

using Complex = std::complex<long double>;
using Response = std::function<Complex(long double omega)>;

// Low-pass: equal series R from In; C1 from the first node to ground, C2 from the second
// node to the output, C3 from the follower's input to ground. Solved from the output
// (the follower's input, v3 = 1) back to the input.
Complex LowPass(const calc::FilterResults& parts, long double r, long double omega)
{
    const Complex s(0, omega);
    const Complex v3 = 1;
    const Complex v2 = v3 + v3 * s * r * (long double)parts.C3;
    const Complex v1 = v2 + (v2 - v3) * (1.0L + s * r * (long double)parts.C2);
    const Complex in = v1 + (v1 - v2) + v1 * s * r * (long double)parts.C1;
    return v3 / in;
}

// High-pass, the dual: equal series C from In; R1 from the first node to ground, R2 from
// the second node to the output, R3 from the follower's input to ground.
Complex HighPass(const calc::FilterResults& parts, long double c, long double omega)
{
    const Complex sc(0, omega * c);
    const Complex v3 = 1;
    const Complex v2 = v3 + v3 / (sc * (long double)parts.R3);
    const Complex v1 = v2 + (v2 - v3) * (1.0L + 1.0L / (sc * (long double)parts.R2));
    const Complex in = v1 + (v1 - v2) + v1 / (sc * (long double)parts.R1);
    return v3 / in;
}

long double Decibels(Complex h)
{
    return 20 * std::log10(std::abs(h));
}

// The frequency where the response crosses -3.0103 dB (half power), by bisection on a
// logarithmic scale between two frequencies on either side of it.
long double HalfPowerFrequency(const Response& response, long double low, long double high)
{
    const long double halfPower = 10 * std::log10(0.5L);
    const bool risingWithFrequency = Decibels(response(high)) > Decibels(response(low));
    for (int i = 0; i < 200; ++i) {
        const long double middle = std::sqrt(low * high);
        const bool above = Decibels(response(middle)) > halfPower;
        (above == risingWithFrequency ? high : low) = middle;
    }
    return std::sqrt(low * high);
}

// Largest distance in dB from the ideal third-order Butterworth magnitude with the same
// half-power frequency, over four decades around it.
long double WorstDeviation(const Response& response, long double halfPower, bool highPass)
{
    long double worst = 0;
    for (int step = -200; step <= 200; ++step) {
        const long double omega = halfPower * std::pow(10.0L, step / 100.0L);
        const long double x = highPass ? halfPower / omega : omega / halfPower;
        const long double ideal = -10 * std::log10(1 + std::pow(x, 6));
        worst = std::max(worst, std::fabs(Decibels(response(omega)) - ideal));
    }
    return worst;
}

struct Case {
    const char* f;
    const char* r;
    const char* c;
    bool kHz;
    bool uF;
};

// A failing case names its inputs instead of printing its bytes.
void PrintTo(const Case& row, std::ostream* out)
{
    *out << "f=" << row.f << (row.kHz ? " kHz" : " Hz") << ", R=" << row.r << " kOhm, C=" << row.c
         << (row.uF ? " uF" : " nF");
}

class FilterResponse : public ::testing::TestWithParam<Case> { };

TEST_P(FilterResponse, IsThirdOrderMaximallyFlatNearTheEnteredFrequency)
{
    const Case& row = GetParam();
    calc::CalcState state;
    if (row.kHz)
        calc::SetFrequencyUnit(state, calc::FrequencyUnit::kHz);
    if (row.uF)
        calc::SetCapacitanceUnit(state, calc::CapacitanceUnit::uF);
    ASSERT_TRUE(
        std::holds_alternative<calc::Computed>(calc::Calculate(state, {row.f, row.r, row.c})));
    const calc::FilterResults parts = state.results;
    const long double entered =
        2 * 3.14159265358979323846L * state.inputs.f * state.inputs.FreqMultiplier;

    const Response lowPass = [&](long double w) { return LowPass(parts, state.inputs.R, w); };
    const Response highPass = [&](long double w) { return HighPass(parts, state.inputs.C, w); };

    // Unity gain where the circuit passes the signal.
    EXPECT_NEAR(Decibels(lowPass(entered * 1e-4L)), 0, 1e-6);
    EXPECT_NEAR(Decibels(highPass(entered * 1e4L)), 0, 1e-6);
    // Third order: 60 dB per decade far outside the pass band.
    EXPECT_NEAR(Decibels(lowPass(entered * 1e3L)) - Decibels(lowPass(entered * 1e4L)), 60, 0.01);
    EXPECT_NEAR(Decibels(highPass(entered * 1e-3L)) - Decibels(highPass(entered * 1e-4L)), 60,
                0.01);

    const long double lowCorner = HalfPowerFrequency(lowPass, entered / 10, entered * 10);
    const long double highCorner = HalfPowerFrequency(highPass, entered / 10, entered * 10);
    EXPECT_NEAR(lowCorner / entered, 0.989L, 0.002L);
    EXPECT_NEAR(highCorner / entered, 1.042L, 0.002L);
    EXPECT_LT(WorstDeviation(lowPass, lowCorner, false), 0.03L);
    EXPECT_LT(WorstDeviation(highPass, highCorner, true), 0.03L);
}

INSTANTIATE_TEST_SUITE_P(AcrossTheInputRange, FilterResponse,
                         ::testing::Values(Case{"100", "33", "10", false, false},
                                           Case{"1", "0,1", "0,1", false, false},
                                           Case{"500", "1000", "10", true, true},
                                           Case{"99999", "4,7", "2,2", false, true},
                                           Case{"0,1", "1000", "0,01", true, true}));

}  // namespace
