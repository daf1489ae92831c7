// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/json.h"

#include <nlohmann/json.hpp>

namespace design::outputs {
namespace {

using Json = nlohmann::ordered_json;

Json OrNull(const std::optional<double>& value)
{
    return value ? Json(*value) : Json(nullptr);
}

}  // namespace

std::string JsonDocument(const Report& report)
{
    const Request& request = report.design.request;
    const Design& d = report.design;
    const bool lowPass = request.circuit == Circuit::LowPass;
    const PartNames names = NamesOf(request.circuit);
    const double f = request.frequency;

    Json j;
    j["circuit"] = Id(request.circuit);
    j["response"] = Id(request.response);
    j["coefficients"] = Id(request.coefficients);
    j["frequency"] = f;
    j["value"] = request.value;
    if (request.moveSeries)
        j["value_chosen"] = d.value;
    Json parts = Json::array();
    for (std::size_t i = 0; i < 3; ++i) {
        Json part;
        part["name"] = names.shunt[i];
        part["ideal"] = d.ideal[i];
        if (request.series) {
            part["chosen"] = d.chosen[i];
            part["error"] = d.chosen[i] / d.ideal[i] - 1;
        }
        part["impractical"] = Impractical(request.circuit, d.chosen[i]);
        parts.push_back(std::move(part));
    }
    j["parts"] = std::move(parts);
    j["f3"] = OrNull(d.f3);
    j["f3_error"] = OrNull(F3Error(d.f3, f));
    j["shape_error_db"] = d.shapeErrorDb;
    if (request.series)
        j["combinations"] = d.combinations;
    j["window"] =
        Json{{"f3", OrNull(report.windowF3)}, {"f3_error", OrNull(F3Error(report.windowF3, f))}};
    if (report.rippleEdge)
        j["ripple_edge"] = *report.rippleEdge;
    if (report.opamp) {
        const OpAmpFigures& o = *report.opamp;
        Json opamp;
        opamp["gbw"] = o.opamp.gbw;
        opamp["a0"] = o.opamp.a0;
        opamp["ro"] = o.opamp.ro;
        opamp["f3"] = OrNull(o.f3);
        opamp["f3_error"] = OrNull(F3Error(o.f3, f));
        opamp["shape_error_db"] = o.shapeErrorDb;
        if (!lowPass)
            opamp["upper_edge"] = OrNull(o.upperEdge);
        opamp["gbw_needed"] = Json{{"f3_1pct", OrNull(o.gbwNeeded.f3Within1Percent)},
                                   {"f3_0_1pct", OrNull(o.gbwNeeded.f3Within0_1Percent)},
                                   {"shape_0_1db", OrNull(o.gbwNeeded.shapeWithin0_1Db)}};
        j["opamp"] = std::move(opamp);
    }
    if (report.sensitivity) {
        Json s;
        for (std::size_t i = 0; i < 3; ++i)
            s[std::string(names.series[i])] = report.sensitivity->series[i];
        for (std::size_t i = 0; i < 3; ++i)
            s[std::string(names.shunt[i])] = report.sensitivity->shunt[i];
        j["sensitivity"] = std::move(s);
    }
    if (report.tolerance) {
        const ToleranceRequest& t = *report.toleranceRequest;
        Json tolerance;
        tolerance["samples"] = report.tolerance->samples;
        tolerance["seed"] = t.seed;
        tolerance["distribution"] = Id(t.distribution);
        tolerance["sigma"] = report.tolerance->sigma;
        tolerance["p0_5"] = report.tolerance->p0_5;
        tolerance["p99_5"] = report.tolerance->p99_5;
        j["tolerance"] = std::move(tolerance);
    }
    return j.dump() + "\n";
}

}  // namespace design::outputs
