// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Designs the plot tests draw: each kind of circuit and response, with and without an op-amp
// and standard values.
#pragma once

#include <optional>

#include "design/report.h"

struct TestDesign {
    const char* name;
    design::Circuit circuit;
    design::ResponseKind response;
    double f;
    double value;
    std::optional<design::Series> series;
    std::optional<design::OpAmp> opamp;
};

inline const TestDesign TestDesigns[] = {
    {"lowpass butterworth", design::Circuit::LowPass, design::ResponseKind::Butterworth, 100, 33e3,
     std::nullopt, std::nullopt},
    {"lowpass chebyshev-1 E24 op-amp", design::Circuit::LowPass, design::ResponseKind::Chebyshev1,
     50e3, 1e3, design::Series::E24, design::OpAmp{1e6, 200e3, 0}},
    {"highpass bessel op-amp", design::Circuit::HighPass, design::ResponseKind::Bessel, 1e3, 10e-9,
     std::nullopt, design::OpAmp{1e6, 200e3, 100}},
    {"highpass chebyshev-0.5 E12", design::Circuit::HighPass, design::ResponseKind::Chebyshev05,
     10e3, 1e-9, design::Series::E12, std::nullopt},
};

inline design::Report ReportOf(const TestDesign& d,
                               const std::optional<design::ToleranceRequest>& tolerance = {})
{
    design::Request request;
    request.circuit = d.circuit;
    request.response = d.response;
    request.frequency = d.f;
    request.value = d.value;
    request.series = d.series;
    return design::MakeReport(request, d.opamp, tolerance);
}
