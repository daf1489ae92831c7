// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/json.h"

#include <cmath>

#include <nlohmann/json.hpp>

namespace design::outputs {
namespace {

using Json = nlohmann::ordered_json;

Json OrNull(const std::optional<double>& value)
{
    return value ? Json(*value) : Json(nullptr);
}

// A level that no double holds in dB (a gain of exactly 0) is null: JSON has no infinity.
std::optional<double> Finite(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The figures of one op-amp model, added to `j` (the top level or the op-amp's object).
// {"pairs": [{"f0": Hz, "q": Q}, ...], "real": [Hz, ...]}
Json PolesJson(const Poles& poles)
{
    Json pairs = Json::array();
    for (const PolePair& pair : poles.pairs)
        pairs.push_back(Json{{"f0", pair.f0}, {"q", pair.q}});
    return Json{{"pairs", std::move(pairs)}, {"real", poles.real}};
}

void AddBehaviour(Json& j, const Behaviour& b)
{
    if (b.groupDelay)
        j["group_delay"] =
            Json{{"dc", b.groupDelay->dc}, {"flat_to", OrNull(b.groupDelay->flatTo)}};
    j["step"] = Json{{"overshoot", b.step.overshoot},
                     {"rise_time", OrNull(b.step.riseTime)},
                     {"settling_1pct", b.step.settling1Percent},
                     {"settling_0_1pct", b.step.settling0_1Percent}};
    j["poles"] = PolesJson(b.poles);
    Json shares = Json::object();
    for (const NoiseShare& share : b.noise.shares)
        shares[std::string(share.source)] = share.share;
    j["noise"] = Json{{"density", b.noise.density},
                      {"density_at", b.noise.densityAt},
                      {"rms", b.noise.rms},
                      {"band", Json::array({b.noise.band.from, b.noise.band.to})},
                      {"shares", std::move(shares)}};
}

Json Corner(const std::array<int, 6>& corner)
{
    Json signs = Json::array();
    for (const int sign : corner)
        signs.push_back(sign);
    return signs;
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
    j["target_poles"] = PolesJson(report.targetPoles);
    j["aligned_shape_error_db"] = OrNull(report.behaviour.alignedShapeErrorDb);
    if (request.series)
        j["combinations"] = d.combinations;
    if (request.response == ResponseKind::Butterworth)
        j["window"] = Json{{"f3", OrNull(report.windowF3)},
                           {"f3_error", OrNull(F3Error(report.windowF3, f))}};
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
        if (report.opampBehaviour)
            opamp["aligned_shape_error_db"] =
                OrNull(report.opampBehaviour->behaviour.alignedShapeErrorDb);
        if (!lowPass)
            opamp["upper_edge"] = OrNull(o.upperEdge);
        opamp["gbw_needed"] = Json{{"f3_1pct", OrNull(o.gbwNeeded.f3Within1Percent)},
                                   {"f3_0_1pct", OrNull(o.gbwNeeded.f3Within0_1Percent)},
                                   {"shape_0_1db", OrNull(o.gbwNeeded.shapeWithin0_1Db)}};
        if (report.opampBehaviour) {
            AddBehaviour(opamp, report.opampBehaviour->behaviour);
            if (const auto& stop = report.opampBehaviour->stopBand)
                opamp["stopband"] = Json{{"at_100f_db", stop->at100fDb},
                                         {"at_1000f_db", stop->at1000fDb},
                                         {"at_10000f_db", stop->at10000fDb}};
        }
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
        if (report.worstCase) {
            tolerance["worst_low"] = report.worstCase->low;
            tolerance["worst_high"] = report.worstCase->high;
            tolerance["worst_low_corner"] = Corner(report.worstCase->lowCorner);
            tolerance["worst_high_corner"] = Corner(report.worstCase->highCorner);
        }
        j["tolerance"] = std::move(tolerance);
    }
    AddBehaviour(j, report.behaviour);
    if (request.passbandEdge)
        j["passband_edge"] = *request.passbandEdge;
    if (!report.gainsAt.empty()) {
        Json gains = Json::array();
        for (const GainAt& g : report.gainsAt) {
            Json gain{{"frequency", g.frequency},
                      {"target_db", OrNull(Finite(g.targetDb))},
                      {"circuit_db", OrNull(Finite(g.circuitDb))}};
            if (g.opampDb)
                gain["opamp_db"] = OrNull(Finite(*g.opampDb));
            gains.push_back(std::move(gain));
        }
        j["gain_at"] = std::move(gains);
    }
    return j.dump() + "\n";
}

}  // namespace design::outputs
