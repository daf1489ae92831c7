// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/html_report.h"

#include <array>
#include <cmath>

#include "design/outputs/behaviour_plot.h"
#include "design/outputs/definitions.h"
#include "design/outputs/markup.h"
#include "design/outputs/plot.h"
#include "design/outputs/schematic_svg.h"
#include "files/quoting.h"

namespace design::outputs {
namespace {

constexpr std::string_view Style = R"(
@page { size: A4; margin: 11mm 12mm; }
html { background: #fff; color: #111; }
body { font-family: "DejaVu Sans", sans-serif; font-size: 10pt; line-height: 1.3;
  max-width: 190mm; margin: 0 auto; padding: 10px; }
h1 { font-size: 15pt; margin: 0 0 3pt; }
h2 { font-size: 11pt; margin: 9pt 0 3pt; border-bottom: 1px solid #999; }
p { margin: 3pt 0; }
code, pre { font-family: "DejaVu Sans Mono", monospace; font-size: 8pt; }
pre { margin: 0; padding: 4pt; background: #f4f4f4; border: 1px solid #ddd;
  white-space: pre-wrap; overflow-wrap: anywhere; }
.command { overflow-wrap: anywhere; }
table { border-collapse: collapse; margin: 2pt 0; }
th, td { padding: 1pt 7pt 1pt 0; text-align: left; vertical-align: top;
  border-bottom: 1px solid #e2e2e2; }
th { font-weight: bold; }
td.n { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
.warn { color: #a00000; font-weight: bold; }
.row { display: flex; flex-wrap: wrap; gap: 4pt 18pt; align-items: flex-start; }
figure { margin: 2pt 0; }
svg { max-width: 100%; height: auto; }
ul { margin: 2pt 0; padding-left: 14pt; }
@media print {
  body { font-size: 8pt; padding: 0; max-width: none; }
  h1 { font-size: 12.5pt; }
  h2 { font-size: 9.5pt; margin: 6pt 0 2pt; }
  code, pre { font-size: 6.6pt; }
  pre { background: none; column-count: 2; column-gap: 6mm; }
  .schematic svg { width: 112mm; }
  .plot svg { width: 172mm; }
  .behaviour svg { height: 58mm; width: auto; }
  .plots, .notes { break-before: page; }
  h2, table, figure, pre li { break-inside: avoid; }
}
)";

class Html {
public:
    // Raw markup, written by this file only.
    Html& Tag(std::string_view markup)
    {
        out_ += markup;
        return *this;
    }
    // Text, escaped.
    Html& Text(std::string_view text)
    {
        out_ += Escape(text);
        return *this;
    }
    Html& Element(std::string_view tag, std::string_view text, std::string_view attributes = "")
    {
        out_ += "<" + std::string(tag) + (attributes.empty() ? "" : " ") + std::string(attributes) +
                ">" + Escape(text) + "</" + std::string(tag) + ">";
        return *this;
    }
    // A table row of texts; `numeric` columns are right-aligned.
    Html& Row(std::initializer_list<std::string> cells, std::string_view cellTag = "td",
              std::size_t firstNumeric = 1)
    {
        out_ += "<tr>";
        std::size_t i = 0;
        for (const std::string& cell : cells) {
            const bool numeric = cellTag == "td" && i >= firstNumeric;
            Element(cellTag, cell, numeric ? "class=\"n\"" : "");
            ++i;
        }
        out_ += "</tr>\n";
        return *this;
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

// The rows of one op-amp model's figures beyond f3.
void BehaviourRows(Html& h, const Behaviour& b, bool upperEdge)
{
    if (b.alignedShapeErrorDb)
        h.Row({upperEdge ? "aligned shape error (to upper edge / 10)" : "aligned shape error",
               Fixed(*b.alignedShapeErrorDb, 3) + " dB"});
    if (b.groupDelay)
        h.Row({"group delay at DC",
               WithUnit(b.groupDelay->dc, "s", 4) + ", within 1 % to " +
                   (b.groupDelay->flatTo ? WithUnit(*b.groupDelay->flatTo, "Hz", 4)
                                         : std::string("100 f"))});
    h.Row({b.step.riseTime ? "step overshoot, rise 10–90 %" : "step undershoot",
           Fixed(b.step.overshoot * 100, 2) + " %" +
               (b.step.riseTime ? ", " + WithUnit(*b.step.riseTime, "s", 4) : std::string())});
    h.Row({"settling to 1 %, 0.1 %", WithUnit(b.step.settling1Percent, "s", 4) + ", " +
                                         WithUnit(b.step.settling0_1Percent, "s", 4)});
    h.Row({"noise at " + WithUnit(b.noise.densityAt, "Hz", 4),
           WithUnit(b.noise.density, "V/√Hz", 4)});
    h.Row({"noise " + WithUnit(b.noise.band.from, "Hz", 3) + " … " +
               WithUnit(b.noise.band.to, "Hz", 4),
           WithUnit(b.noise.rms, "V", 4) + " rms"});
}

std::string Shares(const NoiseFigures& noise)
{
    std::string text;
    for (const NoiseShare& share : noise.shares)
        text += (text.empty() ? "" : ", ") + std::string(share.source) + " " +
                Fixed(share.share * 100, 1) + " %";
    return text;
}

}  // namespace

std::string HtmlReport(const Report& report, std::string_view commandLine, Dialect dialect)
{
    const Design& d = report.design;
    const Request& request = d.request;
    const bool lowPass = request.circuit == Circuit::LowPass;
    const double f = request.frequency;
    const std::string circuitName = Capitalised(Title(request.circuit));
    const std::string title =
        circuitName + " filter, " + std::string(Title(request.response)) + ", " + WithUnit(f, "Hz");
    const std::string valueUnit = lowPass ? "Ω" : "F";
    const std::string partUnit = lowPass ? "F" : "Ω";
    const auto f3Text = [f](const std::optional<double>& f3) {
        return F3Text(f3, f, Medium::Document);
    };
    const auto gbwText = [f](const std::optional<double>& gbw) {
        return GbwNeededText(gbw, f, Medium::Document);
    };
    Html h;

    h.Tag("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n")
        .Tag("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n")
        .Element("title", title + " — butterworth3-cli design")
        .Tag("\n<style>")
        .Tag(Style)
        .Tag("</style>\n</head>\n<body>\n<header>\n")
        .Element("h1", "Third-order " + std::string(Title(request.circuit)) + " filter, " +
                           std::string(Title(request.response)) + ", " + WithUnit(f, "Hz"))
        .Tag("\n<p class=\"command\">Made by <code>")
        .Text(files::ForDisplay(commandLine))
        .Tag("</code></p>\n</header>\n");

    // What was asked.
    h.Tag("<div class=\"row\">\n<section>\n<h2>Design</h2>\n<table>\n");
    h.Row({"circuit", circuitName + ", single op-amp follower"}, "td", 9);
    h.Row({"response", std::string(Title(request.response)) + " (" +
                           std::string(Title(request.coefficients)) + ")"},
          "td", 9);
    h.Row({"f", WithUnit(f, "Hz") + " (the −3 dB frequency asked for)"}, "td", 9);
    h.Row({lowPass ? "R" : "C",
           WithUnit(request.value, valueUnit) +
               (lowPass ? " (the three equal resistors)" : " (the three equal capacitors)")},
          "td", 9);
    if (request.moveSeries)
        h.Row({lowPass ? "R chosen" : "C chosen",
               WithUnit(d.value, valueUnit) + " from " + std::string(Id(*request.moveSeries))},
              "td", 9);
    h.Row({"series", request.series
                         ? std::string(Id(*request.series)) + " standard values, objective " +
                               std::string(Title(request.objective))
                         : std::string("none: the exact values")},
          "td", 9);
    h.Row({"op-amp", report.opamp ? "GBW " + WithUnit(report.opamp->opamp.gbw, "Hz") + ", A0 " +
                                        General(report.opamp->opamp.a0, 6) + ", RO " +
                                        WithUnit(report.opamp->opamp.ro, "Ω")
                                  : std::string("ideal")},
          "td", 9);
    if (report.toleranceRequest)
        h.Row({"tolerance", "R " + General(report.toleranceRequest->resistors * 100, 6) + " %, C " +
                                General(report.toleranceRequest->capacitors * 100, 6) + " %"},
              "td", 9);
    h.Tag("</table>\n</section>\n");

    // The parts.
    const PartNames names = NamesOf(request.circuit);
    const std::string seriesParts = std::string(names.series[0]) + ", " +
                                    std::string(names.series[1]) + ", " +
                                    std::string(names.series[2]) + " (series)";
    const std::array<std::string, 3> places = {"to ground", "to the output", "to ground"};
    h.Tag("<section>\n<h2>Parts</h2>\n<table>\n");
    if (request.series)
        h.Row({"part", "ideal", "chosen", "error"}, "th");
    else
        h.Row({"part", "ideal"}, "th");
    bool anyImpractical = false;
    for (std::size_t i = 0; i < 3; ++i) {
        const bool impractical = Impractical(request.circuit, d.chosen[i]);
        anyImpractical = anyImpractical || impractical;
        h.Tag("<tr>").Element("td", std::string(names.shunt[i]) + " (" + places[i] + ")");
        h.Element("td", WithUnit(d.ideal[i], partUnit), "class=\"n\"");
        if (request.series) {
            h.Element("td", WithUnit(d.chosen[i], partUnit), "class=\"n\"");
            h.Element("td", SignedPercent(d.chosen[i] / d.ideal[i] - 1), "class=\"n\"");
        }
        if (impractical)
            h.Element("td", "← !", "class=\"warn\"");
        h.Tag("</tr>\n");
    }
    const std::string equal = WithUnit(d.value, valueUnit);
    if (request.series)
        h.Row({seriesParts, equal, equal, ""});
    else
        h.Row({seriesParts, equal});
    h.Tag("</table>\n");
    if (anyImpractical)
        h.Tag("<p class=\"warn\">")
            .Text("! impractical: a capacitor below 100 pF or above 10 µF, or a resistor below "
                  "100 Ω or above 1 MΩ")
            .Tag("</p>\n");
    h.Tag("</section>\n</div>\n");

    // The schematic.
    h.Tag("<section class=\"schematic\">\n<h2>Schematic</h2>\n<figure>\n")
        .Tag(SchematicSvg(report))
        .Tag("</figure>\n</section>\n");

    // The response.
    h.Tag("<div class=\"row\">\n<section>\n<h2>Response</h2>\n<table>\n");
    h.Row({"f3 (ideal op-amp)", f3Text(d.f3)});
    h.Row({"shape error", Fixed(d.shapeErrorDb, 3) + " dB"});
    if (request.series)
        h.Row({"combinations weighed", std::to_string(d.combinations)});
    if (request.response == ResponseKind::Butterworth)
        h.Row({"window's f3", f3Text(report.windowF3)});
    if (report.rippleEdge)
        h.Row({"ripple band ends at", WithUnit(*report.rippleEdge, "Hz")});
    BehaviourRows(h, report.behaviour, false);
    h.Tag("</table>\n</section>\n");
    if (report.sensitivity) {
        h.Tag("<section>\n<h2>Sensitivity d ln f3 / d ln x</h2>\n<table>\n");
        h.Tag("<tr>");
        for (const std::string_view name : names.series)
            h.Element("th", name);
        for (const std::string_view name : names.shunt)
            h.Element("th", name);
        h.Tag("</tr>\n<tr>");
        for (const double s : report.sensitivity->series)
            h.Element("td", Fixed(s, 3), "class=\"n\"");
        for (const double s : report.sensitivity->shunt)
            h.Element("td", Fixed(s, 3), "class=\"n\"");
        h.Tag("</tr>\n</table>\n</section>\n");
    }
    if (report.opamp) {
        const OpAmpFigures& o = *report.opamp;
        h.Tag("<section>\n<h2>Op-amp</h2>\n<table>\n");
        h.Row({"f3", f3Text(o.f3)});
        h.Row({"shape error", Fixed(o.shapeErrorDb, 3) + " dB"});
        if (!lowPass)
            h.Row(
                {"upper edge", (o.upperEdge ? WithUnit(*o.upperEdge, "Hz") : std::string("none")) +
                                   " (a band-pass)"});
        h.Row({"GBW for f3 within 1 %", gbwText(o.gbwNeeded.f3Within1Percent)});
        h.Row({"GBW for f3 within 0.1 %", gbwText(o.gbwNeeded.f3Within0_1Percent)});
        h.Row({"GBW for ≤ 0.1 dB more shape error", gbwText(o.gbwNeeded.shapeWithin0_1Db)});
        if (report.opampBehaviour) {
            BehaviourRows(h, report.opampBehaviour->behaviour, o.upperEdge.has_value());
            if (const auto& stop = report.opampBehaviour->stopBand)
                h.Row({"stop-band at 100 f, 1000 f, 10⁴ f",
                       Fixed(stop->at100fDb, 1) + ", " + Fixed(stop->at1000fDb, 1) + ", " +
                           Fixed(stop->at10000fDb, 1) + " dB"});
        }
        h.Tag("</table>\n</section>\n");
    }
    if (report.tolerance) {
        const ToleranceRequest& t = *report.toleranceRequest;
        const ToleranceFigures& figures = *report.tolerance;
        h.Tag("<section>\n<h2>Tolerance</h2>\n<table>\n");
        h.Row({"parts", "R " + General(t.resistors * 100, 6) + " %, C " +
                            General(t.capacitors * 100, 6) + " %, " +
                            std::string(Typeset(t.distribution))});
        h.Row({"samples", std::to_string(figures.samples) + ", seed " + std::to_string(t.seed)});
        h.Row({"f3 error σ", Fixed(figures.sigma * 100, 3) + " %"});
        h.Row({"99 % of f3 errors",
               SignedPercent(figures.p0_5) + " … " + SignedPercent(figures.p99_5)});
        if (report.worstCase)
            h.Row({"worst of 64 corners", SignedPercent(report.worstCase->low) + " … " +
                                              SignedPercent(report.worstCase->high)});
        h.Tag("</table>\n</section>\n");
    }
    if (!report.gainsAt.empty()) {
        h.Tag("<section>\n<h2>Gain at</h2>\n<table>\n<tr>");
        for (const std::string_view title : {"", "target", "circuit"})
            h.Element("th", title);
        if (report.opamp)
            h.Element("th", "op-amp");
        h.Tag("</tr>\n");
        for (const GainAt& g : report.gainsAt) {
            h.Tag("<tr>").Element("th", WithUnit(g.frequency, "Hz"), "scope=\"row\"");
            for (const std::optional<double> db :
                 {std::optional<double>(g.targetDb), std::optional<double>(g.circuitDb), g.opampDb})
                if (db)
                    h.Element("td", Fixed(*db, 2) + " dB", "class=\"n\"");
            h.Tag("</tr>\n");
        }
        h.Tag("</table>\n</section>\n");
    }
    h.Tag("</div>\n");

    // Plots, assumptions and netlist.
    h.Tag("<section class=\"plots\">\n<h2>Bode plot</h2>\n<figure class=\"plot\">\n")
        .Tag(BodePlot(report, false, "report-bode"))
        .Tag("</figure>\n</section>\n");
    h.Tag("<section>\n<h2>")
        .Text(lowPass ? "Group delay and step response" : "Step response")
        .Tag("</h2>\n<figure class=\"behaviour\">\n")
        .Tag(BehaviourPlot(report, "report-behaviour"))
        .Tag("</figure>\n</section>\n");
    // The poles as filter tables list them, beside the plots they shape.
    h.Tag("<section>\n<h2>Poles</h2>\n<table>\n");
    h.Row({"target (" + std::string(Title(request.response)) + " at f)",
           PolesText(report.targetPoles, Medium::Document)});
    h.Row({"as built, ideal op-amp", PolesText(report.behaviour.poles, Medium::Document)});
    if (report.opampBehaviour)
        h.Row({"as built, with the op-amp",
               PolesText(report.opampBehaviour->behaviour.poles, Medium::Document)});
    h.Tag("</table>\n</section>\n");

    // Assumptions.
    h.Tag("<section class=\"notes\">\n<h2>Assumptions</h2>\n<ul>\n");
    h.Element(
        "li",
        report.opamp
            ? "The op-amp is modelled with one pole: A(s) = A0 / (1 + s A0 / (2π GBW)), with RO "
              "in series with its output; it is a follower (output fed back to the − input). "
              "The parts table and the f3 without op-amp assume an ideal op-amp."
            : "The op-amp is ideal: a follower whose output equals its + input at every "
              "frequency. A real op-amp moves f3; give --opamp to see how much.");
    h.Tag("\n");
    h.Element("li", Definition(Term::F3));
    h.Tag("\n");
    h.Element("li", Definition(Term::ShapeError, Title(request.response)));
    h.Tag("\n");
    h.Element("li", Definition(Term::AlignedShapeError));
    h.Tag("\n");
    h.Element("li", std::string(Definition(Term::Step)) + " Noise at 27 °C, over the band shown: " +
                        Shares(report.opampBehaviour ? report.opampBehaviour->behaviour.noise
                                                     : report.behaviour.noise) +
                        " of the mean square.");
    h.Tag("\n");
    h.Element("li", Definition(Term::Poles));
    h.Tag("\n");
    if (!report.gainsAt.empty()) {
        h.Element("li", Definition(Term::GainAt));
        h.Tag("\n");
    }
    h.Element(
        "li",
        "Every part has exactly the value shown; tolerances are only in the tolerance figures. "
        "The netlist holds the same values to 6 digits.");
    h.Tag("\n</ul>\n</section>\n");

    h.Tag("<section>\n")
        .Element("h2", std::string("SPICE netlist (") +
                           (dialect == Dialect::Ngspice ? "ngspice" : "LTspice") + ")")
        .Tag("\n<pre>")
        .Text(Netlist(report, dialect))
        .Tag("</pre>\n</section>\n</body>\n</html>\n");
    return h.Take();
}

}  // namespace design::outputs
