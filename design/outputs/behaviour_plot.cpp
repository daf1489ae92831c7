// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/behaviour_plot.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "design/outputs/markup.h"

namespace design::outputs {
namespace {

constexpr double PanelWidth = 200, PanelHeight = 150, Gap = 46, Top = 36, LeftMargin = 52;
constexpr int Points = 200;
constexpr std::string_view IdealStyle =
    "fill=\"none\" stroke=\"#777777\" stroke-width=\"1.4\" stroke-dasharray=\"5 3\"";
constexpr std::string_view ModelStyle = "fill=\"none\" stroke=\"#1f4fa8\" stroke-width=\"1.4\"";
constexpr std::string_view FrameStyle = "fill=\"none\" stroke=\"#404040\" stroke-width=\"1\"";

std::string Text(double x, double y, std::string_view text, std::string_view extra = "")
{
    return "<text x=\"" + Num(x, 1) + "\" y=\"" + Num(y, 1) + "\"" +
           (extra.empty() ? "" : " " + std::string(extra)) + ">" + Escape(text) + "</text>\n";
}

// The polyline's points of each run of points that compute: a value that does not (a step
// of poles too far apart for a double) leaves a gap, never a NaN in the picture.
std::vector<std::string> Runs(const std::vector<std::pair<double, double>>& points)
{
    std::vector<std::string> runs;
    bool inRun = false;
    for (const auto& [x, y] : points) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            inRun = false;
            continue;
        }
        if (!inRun)
            runs.emplace_back();
        runs.back() += (inRun ? " " : "") + Num(x, 1) + "," + Num(y, 1);
        inRun = true;
    }
    return runs;
}

// The ends of the x axis as the report writes them under it.
std::string XLabel(const BehaviourPanel& panel)
{
    const std::string_view unit = panel.logX ? "Hz" : "s";
    return (panel.logX ? WithUnit(panel.x.front(), unit, 3) : std::string("0")) + "|" +
           WithUnit(panel.x.back(), unit, 3);
}

std::string Draw(const BehaviourPanel& panel, bool withModel, double left,
                 const std::string& clipId)
{
    double low = 1e300, high = -1e300;
    bool anyFinite = false;
    for (const std::vector<double>& c : panel.curves)
        for (const double v : c)
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
                anyFinite = true;
            }
    if (!anyFinite)
        low = 0, high = 1;
    if (!(high > low))
        high = low + 1;
    const double margin = (high - low) * 0.05;
    low -= margin;
    high += margin;
    const double xLow = panel.logX ? std::log10(panel.x.front()) : panel.x.front();
    const double xHigh = panel.logX ? std::log10(panel.x.back()) : panel.x.back();
    const auto X = [&](double x) {
        return left + ((panel.logX ? std::log10(x) : x) - xLow) / (xHigh - xLow) * PanelWidth;
    };
    const auto Y = [&](double y) { return Top + (high - y) / (high - low) * PanelHeight; };
    std::string out;
    out += "<clipPath id=\"" + clipId + "\"><rect x=\"" + Num(left, 1) + "\" y=\"" + Num(Top, 1) +
           "\" width=\"" + Num(PanelWidth, 1) + "\" height=\"" + Num(PanelHeight, 1) +
           "\"/></clipPath>\n";
    out += Text(left, Top - 8, panel.title, "font-weight=\"bold\"");
    if (anyFinite)
        for (const double v : {high - margin, (high + low) / 2, low + margin})
            out += Text(left - 4, Y(v) + 4, WithUnit(v, panel.yUnit, 3), "text-anchor=\"end\"");
    else
        out += Text(left + PanelWidth / 2, Top + PanelHeight / 2, "n/a", "text-anchor=\"middle\"");
    const std::string xLabel = XLabel(panel);
    out += Text(left, Top + PanelHeight + 14, xLabel.substr(0, xLabel.find('|')));
    out += Text(left + PanelWidth, Top + PanelHeight + 14, xLabel.substr(xLabel.find('|') + 1),
                "text-anchor=\"end\"");
    for (std::size_t k = 0; k < panel.curves.size(); ++k) {
        const std::vector<double>& c = panel.curves[k];
        // The ideal follower dashed beside a model, solid alone.
        const std::string_view style = withModel && k == 0 ? IdealStyle : ModelStyle;
        std::vector<std::pair<double, double>> points;
        for (std::size_t i = 0; i < c.size(); ++i)
            points.emplace_back(X(panel.x[i]), Y(c[i]));
        for (const std::string& run : Runs(points))
            out += "<polyline clip-path=\"url(#" + clipId + ")\" points=\"" + run + "\" " +
                   std::string(style) + "/>\n";
    }
    out += "<rect x=\"" + Num(left, 1) + "\" y=\"" + Num(Top, 1) + "\" width=\"" +
           Num(PanelWidth, 1) + "\" height=\"" + Num(PanelHeight, 1) + "\" " +
           std::string(FrameStyle) + "/>\n";
    return out;
}

std::vector<double> LogSpaced(double from, double to, int points)
{
    std::vector<double> x(static_cast<std::size_t>(points));
    for (int i = 0; i < points; ++i)
        x[static_cast<std::size_t>(i)] = from * std::pow(to / from, double(i) / (points - 1));
    return x;
}

// The curve of `figure` for the ideal follower and, when given, the op-amp model.
std::vector<std::vector<double>>
Curves(const Report& report, const std::vector<double>& x,
       const std::function<double(const std::optional<OpAmp>&, double)>& figure)
{
    std::vector<std::vector<double>> curves;
    std::vector<std::optional<OpAmp>> models = {std::nullopt};
    if (report.opamp)
        models.push_back(report.opamp->opamp);
    for (const std::optional<OpAmp>& model : models) {
        std::vector<double>& c = curves.emplace_back();
        for (const double v : x)
            c.push_back(figure(model, v));
    }
    return curves;
}

}  // namespace

std::vector<BehaviourPanel> BehaviourPanelsOf(const Report& report, int points)
{
    using Kind = BehaviourPanel::Kind;
    const Request& request = report.design.request;
    const Circuit circuit = request.circuit;
    const Parts& parts = report.design.parts;
    const double f = request.frequency;
    std::vector<BehaviourPanel> panels;
    if (circuit == Circuit::LowPass) {
        BehaviourPanel delay{
            Kind::GroupDelay, "group delay", "s", true, LogSpaced(f / 100, 100 * f, points), {}};
        delay.curves = Curves(report, delay.x, [&](const std::optional<OpAmp>& o, double at) {
            return GroupDelayAt(circuit, parts, at, o);
        });
        panels.push_back(std::move(delay));
    }
    const Behaviour& b =
        report.opampBehaviour ? report.opampBehaviour->behaviour : report.behaviour;
    const double end = 3 * b.step.settling0_1Percent;
    BehaviourPanel step{Kind::Step, "unit step response", "V", false, {}, {}};
    for (int i = 0; i < points; ++i)
        step.x.push_back(end * i / (points - 1));
    const StepResponse ideal(circuit, parts, std::nullopt);
    std::optional<StepResponse> model;
    if (report.opamp)
        model.emplace(circuit, parts, report.opamp->opamp);
    step.curves = Curves(report, step.x, [&](const std::optional<OpAmp>& o, double t) {
        return o ? (*model)(t) : ideal(t);
    });
    panels.push_back(std::move(step));
    if (report.opampBehaviour && report.opampBehaviour->stopBand) {
        BehaviourPanel stop{
            Kind::StopBand, "stop-band (dB)", "", true, LogSpaced(f, 1e4 * f, points), {}};
        stop.curves = Curves(report, stop.x, [&](const std::optional<OpAmp>& o, double at) {
            return 20 * std::log10(std::abs(FrequencyResponse(circuit, parts, at, o)));
        });
        panels.push_back(std::move(stop));
    }
    return panels;
}

std::string BehaviourPlot(const Report& report, std::string_view idPrefix)
{
    const std::vector<BehaviourPanel> panels = BehaviourPanelsOf(report, Points);

    const double width = LeftMargin + panels.size() * (PanelWidth + Gap);
    const double height = Top + PanelHeight + 40;
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(width, 1) +
                      "\" height=\"" + Num(height, 1) + "\" viewBox=\"0 0 " + Num(width, 1) + " " +
                      Num(height, 1) +
                      "\" font-family=\"DejaVu Sans, Verdana, sans-serif\" font-size=\"10\" "
                      "role=\"img\" aria-label=\"Group delay, step response and stop-band\">\n";
    out += "<rect x=\"0\" y=\"0\" width=\"" + Num(width, 1) + "\" height=\"" + Num(height, 1) +
           "\" fill=\"#ffffff\"/>\n";
    for (std::size_t i = 0; i < panels.size(); ++i)
        out += Draw(panels[i], report.opamp.has_value(), LeftMargin + i * (PanelWidth + Gap),
                    Escape(idPrefix) + "-" + std::to_string(i));
    if (report.opamp)
        out += Text(LeftMargin, height - 6,
                    "dashed: ideal follower; solid: op-amp GBW " +
                        WithUnit(report.opamp->opamp.gbw, "Hz", 4));
    out += "</svg>\n";
    return out;
}

}  // namespace design::outputs
