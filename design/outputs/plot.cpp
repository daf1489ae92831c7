// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "design/outputs/markup.h"

namespace design::outputs {
namespace {

constexpr double Width = 720;
constexpr double Left = 64, Right = 700;  // the panels' horizontal extent
constexpr double FloorDb = -80;

struct Panel {
    std::string_view id;
    double top;
    double bottom;
    double high;  // value at the top
    double low;   // value at the bottom
    double Y(double v) const { return top + (high - v) / (high - low) * (bottom - top); }
};

// Phase in degrees, continuous along the sweep, on the branch where the phase at the
// largest magnitude (the passband) lies in (-180, 180].
std::vector<double> UnwrappedPhase(const std::vector<std::complex<double>>& h)
{
    std::vector<double> phase(h.size());
    std::size_t loudest = 0;
    for (std::size_t i = 0; i < h.size(); ++i) {
        double p = std::arg(h[i]) * 180 / std::numbers::pi;
        if (i > 0)
            p += 360 * std::round((phase[i - 1] - p) / 360);
        phase[i] = p;
        if (std::abs(h[i]) > std::abs(h[loudest]))
            loudest = i;
    }
    const double shift = -360 * std::ceil((phase[loudest] - 180) / 360);
    for (double& p : phase)
        p += shift;
    return phase;
}

double Db(std::complex<double> h)
{
    return 20 * std::log10(std::abs(h));
}

// A frequency axis label: "10 Hz", "1 kHz", "100 mHz".
std::string FrequencyLabel(double f)
{
    return WithUnit(f, "Hz", 3);
}

class Svg {
public:
    void Add(std::string text) { out_ += std::move(text); }
    void Line(double x1, double y1, double x2, double y2, std::string_view style)
    {
        out_ += "<line x1=\"" + Num(x1, 1) + "\" y1=\"" + Num(y1, 1) + "\" x2=\"" + Num(x2, 1) +
                "\" y2=\"" + Num(y2, 1) + "\" " + std::string(style) + "/>\n";
    }
    void Text(double x, double y, std::string_view text, std::string_view extra = "")
    {
        out_ += "<text x=\"" + Num(x, 1) + "\" y=\"" + Num(y, 1) + "\"" +
                (extra.empty() ? "" : " " + std::string(extra)) + ">" + Escape(text) + "</text>\n";
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

constexpr std::string_view GridStyle = "stroke=\"#d8d8d8\" stroke-width=\"1\"";
constexpr std::string_view DecadeStyle = "stroke=\"#b0b0b0\" stroke-width=\"1\"";
constexpr std::string_view TargetStyle =
    "fill=\"none\" stroke=\"#777777\" stroke-width=\"1.6\" stroke-dasharray=\"6 4\"";
constexpr std::string_view DesignStyle = "fill=\"none\" stroke=\"#1f4fa8\" stroke-width=\"1.6\"";

}  // namespace

BodeCurves BodeCurvesOf(const Report& report, int pointsPerDecade)
{
    const Design& d = report.design;
    const Request& request = d.request;
    const Circuit circuit = request.circuit;
    const double f = request.frequency;
    const std::optional<OpAmp> opamp =
        report.opamp ? std::optional<OpAmp>(report.opamp->opamp) : std::nullopt;

    BodeCurves c;
    c.f = f;
    c.f3 = report.opamp ? report.opamp->f3 : d.f3;
    const auto count = static_cast<std::size_t>(PlotDecades * pointsPerDecade + 1);
    c.freq.resize(count);
    c.designDb.resize(count);
    c.targetDb.resize(count);
    std::vector<std::complex<double>> designH(count), targetH(count);
    // The network solved once; each point is then two polynomials at j w / (2 pi f).
    const Transfer transfer = TransferFunction(circuit, d.parts, 2 * std::numbers::pi * f, opamp);
    const auto evaluate = [](const Polynomial& p, std::complex<double> x) {
        std::complex<double> sum = p.c[p.degree];
        for (int k = p.degree - 1; k >= 0; --k)
            sum = sum * x + p.c[k];
        return sum;
    };
    for (std::size_t i = 0; i < count; ++i) {
        c.freq[i] = f / 100 * std::pow(10.0, double(i) / pointsPerDecade);
        const std::complex<double> x(0, c.freq[i] / f);
        designH[i] = evaluate(transfer.numerator, x) / evaluate(transfer.denominator, x);
        targetH[i] = TargetResponse(circuit, request.response, f, c.freq[i]);
        c.designDb[i] = Db(designH[i]);
        c.targetDb[i] = Db(targetH[i]);
    }
    c.designPhase = UnwrappedPhase(designH);
    c.targetPhase = UnwrappedPhase(targetH);
    c.deviation.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        c.deviation[i] = c.designDb[i] - c.targetDb[i];
        if (c.targetDb[i] >= ShapeFloorDb)
            c.largestDeviation = std::max(c.largestDeviation, std::fabs(c.deviation[i]));
    }
    return c;
}

std::string BodePlot(const Report& report, bool standalone, std::string_view idPrefix)
{
    const Design& d = report.design;
    const Request& request = d.request;
    const Circuit circuit = request.circuit;
    const double f = request.frequency;
    const std::string prefix = Escape(idPrefix);

    const BodeCurves curves = BodeCurvesOf(report);
    const std::optional<double> f3 = curves.f3;
    const int decades = PlotDecades;
    const int count = static_cast<int>(curves.freq.size());
    const std::vector<double>& freq = curves.freq;
    const std::vector<double>& designDb = curves.designDb;
    const std::vector<double>& targetDb = curves.targetDb;
    const std::vector<double>& designPhase = curves.designPhase;
    const std::vector<double>& targetPhase = curves.targetPhase;
    const std::vector<double>& deviation = curves.deviation;
    const double largestDeviation = curves.largestDeviation;

    const double peak = *std::max_element(designDb.begin(), designDb.end());
    const double magTop = std::max(0.0, std::ceil(peak));
    double phaseHigh = -1e300, phaseLow = 1e300;
    for (int i = 0; i < count; ++i) {
        phaseHigh = std::max({phaseHigh, designPhase[i], targetPhase[i]});
        phaseLow = std::min({phaseLow, designPhase[i], targetPhase[i]});
    }
    phaseHigh = 90 * std::ceil(phaseHigh / 90 - 1e-9);
    phaseLow = 90 * std::floor(phaseLow / 90 + 1e-9);
    if (phaseHigh - phaseLow < 90)
        phaseHigh = phaseLow + 90;
    double devRange = 0.5;
    for (const double r : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0})
        if (devRange < largestDeviation * 1.05 && r >= devRange)
            devRange = r;

    const std::array<Panel, 3> panels = {{
        {"mag", 40, 230, magTop, FloorDb},
        {"phase", 256, 376, phaseHigh, phaseLow},
        {"dev", 402, 502, devRange, -devRange},
    }};
    const double logLow = std::log10(f / 100);
    const auto X = [&](double freqHz) {
        return Left + (std::log10(freqHz) - logLow) / decades * (Right - Left);
    };

    Svg svg;
    const double height = 586;
    if (standalone)
        svg.Add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg.Add("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(Width, 1) + "\" height=\"" +
            Num(height, 1) + "\" viewBox=\"0 0 " + Num(Width, 1) + " " + Num(height, 1) +
            "\" font-family=\"DejaVu Sans, Verdana, sans-serif\" font-size=\"11\" role=\"img\" "
            "aria-label=\"Bode plot: magnitude, phase and deviation from the target response\">\n");
    svg.Add("<rect x=\"0\" y=\"0\" width=\"" + Num(Width, 1) + "\" height=\"" + Num(height, 1) +
            "\" fill=\"#ffffff\"/>\n");
    svg.Add("<defs>\n");
    for (const Panel& p : panels)
        svg.Add("<clipPath id=\"" + prefix + "-" + std::string(p.id) + "\"><rect x=\"" +
                Num(Left, 1) + "\" y=\"" + Num(p.top, 1) + "\" width=\"" + Num(Right - Left, 1) +
                "\" height=\"" + Num(p.bottom - p.top, 1) + "\"/></clipPath>\n");
    svg.Add("</defs>\n");

    // Frequency grid in every panel: decades, with 2 and 5 between them.
    for (const Panel& p : panels) {
        for (double decade = std::pow(10.0, std::floor(logLow)); decade <= 100 * f * 1.0001;
             decade *= 10)
            for (const double m : {1.0, 2.0, 5.0}) {
                const double at = decade * m;
                if (at < f / 100 * 0.9999 || at > 100 * f * 1.0001)
                    continue;
                svg.Line(X(at), p.top, X(at), p.bottom, m == 1 ? DecadeStyle : GridStyle);
            }
    }
    // Frequency labels under the last panel, at the decades.
    for (double decade = std::pow(10.0, std::ceil(logLow - 1e-9)); decade <= 100 * f * 1.0001;
         decade *= 10)
        svg.Text(X(decade), panels[2].bottom + 16, FrequencyLabel(decade),
                 "text-anchor=\"middle\"");
    svg.Text((Left + Right) / 2, panels[2].bottom + 34, "frequency", "text-anchor=\"middle\"");

    // Value grids and axis titles.
    const auto valueGrid = [&](const Panel& p, double step, std::string_view unit) {
        std::vector<double> values;
        for (double v = std::ceil(p.low / step - 1e-9) * step; v <= p.high + 1e-9; v += step)
            values.push_back(std::abs(v) < 1e-9 ? 0.0 : v);  // no "-0"
        if (values.empty() || values.back() < p.high - 1e-9)
            values.push_back(p.high);  // a top between grid steps (a peak above 0 dB)
        for (const double v : values) {
            svg.Line(Left, p.Y(v), Right, p.Y(v), v == 0 ? DecadeStyle : GridStyle);
            svg.Text(Left - 6, p.Y(v) + 4, General(v, 4) + std::string(unit),
                     "text-anchor=\"end\"");
        }
    };
    valueGrid(panels[0], 10, " dB");
    valueGrid(panels[1], 90, "°");
    valueGrid(panels[2], devRange / 2, "");
    const std::array<std::string_view, 3> titles = {"magnitude (dB)", "phase (degrees)",
                                                    "deviation from target (dB)"};
    for (std::size_t i = 0; i < 3; ++i) {
        const double mid = (panels[i].top + panels[i].bottom) / 2;
        svg.Text(14, mid, titles[i],
                 "text-anchor=\"middle\" transform=\"rotate(-90 14 " + Num(mid, 1) + ")\"");
        svg.Add("<rect x=\"" + Num(Left, 1) + "\" y=\"" + Num(panels[i].top, 1) + "\" width=\"" +
                Num(Right - Left, 1) + "\" height=\"" + Num(panels[i].bottom - panels[i].top, 1) +
                "\" fill=\"none\" stroke=\"#404040\" stroke-width=\"1\"/>\n");
    }

    // The curves, each clipped to its panel.
    const auto curve = [&](const Panel& p, const std::vector<double>& values,
                           std::string_view style) {
        std::string points;
        for (int i = 0; i < count; ++i) {
            // Far outside the panel the clip hides the curve; keep the numbers short.
            const double y = std::clamp(p.Y(values[i]), p.top - 50, p.bottom + 50);
            if (i > 0)
                points += ' ';
            points += Num(X(freq[i]), 1);
            points += ',';
            points += Num(y, 1);
        }
        svg.Add("<polyline clip-path=\"url(#" + prefix + "-" + std::string(p.id) + ")\" points=\"" +
                points + "\" " + std::string(style) + "/>\n");
    };
    curve(panels[0], targetDb, TargetStyle);
    curve(panels[0], designDb, DesignStyle);
    curve(panels[1], targetPhase, TargetStyle);
    curve(panels[1], designPhase, DesignStyle);
    curve(panels[2], std::vector<double>(count, 0.0), TargetStyle);
    curve(panels[2], deviation, DesignStyle);

    // f, across all panels, and the realised -3 dB point.
    svg.Line(X(f), panels[0].top, X(f), panels[2].bottom,
             "stroke=\"#b02020\" stroke-width=\"1\" stroke-dasharray=\"2 3\"");
    svg.Text(X(f), panels[0].top - 4, "f = " + WithUnit(f, "Hz", 4),
             "text-anchor=\"middle\" fill=\"#b02020\"");
    const double halfPowerDb = -10 * std::log10(2.0);
    const bool lowPass = circuit == Circuit::LowPass;
    // Each label goes below its dot on the stopband side, where the curve is not.
    // The upper edge's label takes a second line, should the two edges lie close together.
    const auto dot = [&](double at, const std::string& label, bool toLeft, int line) {
        if (at < f / 100 || at > 100 * f)
            return;
        svg.Add("<circle cx=\"" + Num(X(at), 1) + "\" cy=\"" + Num(panels[0].Y(halfPowerDb), 1) +
                "\" r=\"3.5\" fill=\"#b02020\"/>\n");
        svg.Text(X(at) + (toLeft ? -8 : 8), panels[0].Y(halfPowerDb) + 16 + 14 * line, label,
                 toLeft ? "text-anchor=\"end\" fill=\"#b02020\"" : "fill=\"#b02020\"");
    };
    if (f3)
        dot(*f3, "f3 " + WithUnit(*f3, "Hz", 5) + " (" + SignedPercent(*f3 / f - 1) + ")", lowPass,
            0);
    if (report.opamp && report.opamp->upperEdge)
        dot(*report.opamp->upperEdge, "upper edge " + WithUnit(*report.opamp->upperEdge, "Hz", 4),
            true, 1);
    svg.Text(Right - 6, panels[2].top + 14,
             "shape error " + Fixed(report.opamp ? report.opamp->shapeErrorDb : d.shapeErrorDb, 3) +
                 " dB",
             "text-anchor=\"end\"");

    // Title and legend.
    const std::string_view response = Title(request.response);
    svg.Text(Left, 22,
             Capitalised(Title(circuit)) + ", " + std::string(response) +
                 ", f = " + WithUnit(f, "Hz", 6),
             "font-size=\"13\" font-weight=\"bold\"");
    const double legendY = height - 14;
    svg.Line(Left, legendY - 4, Left + 30, legendY - 4, TargetStyle);
    svg.Text(Left + 36, legendY, "target " + std::string(response));
    std::string built =
        request.series ? std::string(Id(*request.series)) + " parts" : std::string("exact parts");
    built += report.opamp ? ", op-amp GBW " + WithUnit(report.opamp->opamp.gbw, "Hz", 4)
                          : ", ideal op-amp";
    svg.Line(Left + 250, legendY - 4, Left + 280, legendY - 4, DesignStyle);
    svg.Text(Left + 286, legendY, "designed: " + built);
    svg.Add("</svg>\n");
    return svg.Take();
}

}  // namespace design::outputs
