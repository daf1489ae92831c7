// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/text.h"

#include "calc/result_display.h"
#include "design/outputs/markup.h"

namespace design::outputs {
namespace {

std::string Quantity(double value, std::string_view unit)
{
    return WithUnit(value, unit, 6, Medium::Terminal);
}

std::string Pad(std::string text, std::size_t width)
{
    // Width in characters; the text is ASCII, so bytes are characters.
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string Signed(double value)
{
    return (value < 0 ? "" : "+") + Fixed(value, 3);
}

// A level in dB to three decimals; one that rounds to zero has no sign.
std::string Level(double db)
{
    std::string text = Fixed(db, 3);
    return text == "-0.000" ? "0.000" : text;
}

std::string Percent(double fraction)
{
    return Fixed(fraction * 100, 3) + " %";
}

// The figures of one op-amp model, each line's label padded to `width` after `indent`.
std::string BehaviourLines(const Report& report, const Behaviour& b, std::string_view indent,
                           std::size_t width, std::optional<double> upperEdge)
{
    const Request& request = report.design.request;
    const bool lowPass = request.circuit == Circuit::LowPass;
    const auto label = [&](std::string_view name) {
        return std::string(indent) + Pad(std::string(name), width);
    };
    std::string out;
    if (b.alignedShapeErrorDb)
        out += label(indent.empty() ? "aligned shape" : "aligned") +
               Fixed(*b.alignedShapeErrorDb, 3) + " dB (" +
               (indent.empty() ? "the same with the " + std::string(Title(request.response)) +
                                     " response moved to f3, "
                               : std::string("moved to f3, ")) +
               "up to " + (upperEdge ? "a tenth of the upper edge" : "100 f3") + ")\n";
    if (b.groupDelay) {
        out += label("group delay") + Quantity(b.groupDelay->dc, "s") +
               " at DC, within 1 % up to " +
               (b.groupDelay->flatTo ? Quantity(*b.groupDelay->flatTo, "Hz")
                                     : std::string("100 f and beyond")) +
               "\n";
    }
    out += label("step") + "overshoot " + Percent(b.step.overshoot) +
           (lowPass ? ", rise 10-90 % " + Quantity(*b.step.riseTime, "s")
                    : std::string(" (below 0)")) +
           ", settling 1 % " + Quantity(b.step.settling1Percent, "s") + ", 0.1 % " +
           Quantity(b.step.settling0_1Percent, "s") + "\n";
    const NoiseFigures& n = b.noise;
    out += label("noise") + Quantity(n.density, "V/sqrt(Hz)") + " at " +
           Quantity(n.densityAt, "Hz") + ", " + Quantity(n.rms, "V") + " rms from " +
           Quantity(n.band.from, "Hz") + " to " + Quantity(n.band.to, "Hz") +
           (upperEdge && !report.noiseRequest.band ? " (the upper edge)" : "") + "\n";
    out += label("poles") + PolesText(b.poles, Medium::Terminal) + "\n";
    out += label("noise shares");
    for (std::size_t i = 0; i < n.shares.size(); ++i)
        out += (i == 0 ? "" : ", ") + std::string(n.shares[i].source) + " " +
               Fixed(n.shares[i].share * 100, 1) + " %";
    out += "\n";
    return out;
}

}  // namespace

std::string TerminalText(const Report& report)
{
    const Request& request = report.design.request;
    const Design& d = report.design;
    const bool lowPass = request.circuit == Circuit::LowPass;
    const std::string valueUnit = lowPass ? "Ohm" : "F";
    const std::string partUnit = lowPass ? "F" : "Ohm";
    const PartNames names = NamesOf(request.circuit);
    const double f = request.frequency;
    const auto f3Text = [f](const std::optional<double>& f3) {
        return F3Text(f3, f, Medium::Terminal);
    };
    const auto gbwText = [f](const std::optional<double>& gbw) {
        return GbwNeededText(gbw, f, Medium::Terminal);
    };
    std::string out;

    out += Capitalised(Title(request.circuit)) + " filter, " +
           std::string(Title(request.response)) + " response, " +
           std::string(Title(request.coefficients)) + "\n";
    if (request.passbandEdge)
        out += "f  = " + Quantity(f, "Hz") + " (the -3 dB frequency, from the ripple band's edge " +
               Quantity(*request.passbandEdge, "Hz") + " asked for)\n";
    else
        out += "f  = " + Quantity(f, "Hz") + " (the -3 dB frequency asked for)\n";
    const std::string valueName = lowPass ? "R " : "C ";
    out += valueName + " = " + Quantity(request.value, valueUnit) +
           (lowPass ? " (the three equal resistors)" : " (the three equal capacitors)") + "\n";
    if (request.moveSeries)
        out += valueName + " = " + Quantity(d.value, valueUnit) + " chosen from " +
               std::string(Title(*request.moveSeries)) + "\n";
    out += "\n";

    if (request.series)
        out += "part  ideal          " + Pad("chosen " + std::string(Title(*request.series)), 14) +
               "error\n";
    else
        out += "part  ideal\n";
    for (std::size_t i = 0; i < 3; ++i) {
        std::string line =
            Pad(std::string(names.shunt[i]), 6) + Pad(Quantity(d.ideal[i], partUnit), 15);
        if (request.series)
            line += Pad(Quantity(d.chosen[i], partUnit), 14) +
                    SignedPercent(d.chosen[i] / d.ideal[i] - 1);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (Impractical(request.circuit, d.chosen[i]))
            line += calc::MarkerText;
        out += line + "\n";
    }
    out += "\n";

    out += "f3             " + f3Text(d.f3) + "\n";
    out += "shape error    " + Fixed(d.shapeErrorDb, 3) + " dB (largest difference from the " +
           std::string(Title(request.response)) + " response, down to -20 dB)\n";
    out += "target poles   " + PolesText(report.targetPoles, Medium::Terminal) + " (the " +
           std::string(Title(request.response)) + " response at f)\n";
    if (request.series)
        out += "combinations   " + std::to_string(d.combinations) + "\n";
    if (request.response == ResponseKind::Butterworth)
        out += "window's f3    " + f3Text(report.windowF3) +
               " (the window's own values for these inputs)\n";
    if (report.rippleEdge)
        out +=
            "ripple edge    " + Quantity(*report.rippleEdge, "Hz") + " (end of the ripple band)\n";
    if (report.sensitivity) {
        out += "sensitivity    d ln f3 / d ln x:";
        for (std::size_t i = 0; i < 3; ++i)
            out += " " + std::string(names.series[i]) + " " + Signed(report.sensitivity->series[i]);
        for (std::size_t i = 0; i < 3; ++i)
            out += " " + std::string(names.shunt[i]) + " " + Signed(report.sensitivity->shunt[i]);
        out += "\n";
    }
    out += BehaviourLines(report, report.behaviour, "", 15, std::nullopt);
    if (report.opamp) {
        const OpAmpFigures& o = *report.opamp;
        out += "\nop-amp         GBW " + Quantity(o.opamp.gbw, "Hz") + ", A0 " +
               General(o.opamp.a0, 6) + ", RO " + Quantity(o.opamp.ro, "Ohm") + "\n";
        out += "  f3           " + f3Text(o.f3) + "\n";
        out += "  shape error  " + Fixed(o.shapeErrorDb, 3) + " dB\n";
        if (!lowPass)
            out += "  upper edge   " +
                   (o.upperEdge ? Quantity(*o.upperEdge, "Hz") : std::string("none")) +
                   " (the high-pass becomes a band-pass)\n";
        out += "  GBW needed   " + gbwText(o.gbwNeeded.f3Within1Percent) + " for f3 within 1 %\n";
        out +=
            "               " + gbwText(o.gbwNeeded.f3Within0_1Percent) + " for f3 within 0.1 %\n";
        out += "               " + gbwText(o.gbwNeeded.shapeWithin0_1Db) +
               " for at most 0.1 dB more shape error\n";
        if (report.opampBehaviour) {
            out += BehaviourLines(report, report.opampBehaviour->behaviour, "  ", 13, o.upperEdge);
            if (const auto& stop = report.opampBehaviour->stopBand)
                out += "  stop-band    " + Fixed(stop->at100fDb, 3) + " dB at 100 f, " +
                       Fixed(stop->at1000fDb, 3) + " dB at 1000 f, " + Fixed(stop->at10000fDb, 3) +
                       " dB at 10000 f\n";
        }
    }
    if (!report.gainsAt.empty())
        out += "\n";
    for (std::size_t i = 0; i < report.gainsAt.size(); ++i) {
        const GainAt& g = report.gainsAt[i];
        out += (i == 0 ? "gain at        " : "               ") + Quantity(g.frequency, "Hz") +
               ": target " + Level(g.targetDb) + " dB, circuit " + Level(g.circuitDb) + " dB" +
               (g.opampDb ? ", with the op-amp " + Level(*g.opampDb) + " dB" : "") + "\n";
    }
    if (report.tolerance) {
        const ToleranceRequest& t = *report.toleranceRequest;
        const ToleranceFigures& figures = *report.tolerance;
        out += "\ntolerance      R " + General(t.resistors * 100, 6) + " %, C " +
               General(t.capacitors * 100, 6) + " %, " + std::string(Title(t.distribution)) + ", " +
               std::to_string(figures.samples) + " samples, seed " + std::to_string(t.seed) + "\n";
        out += "  f3 error     sigma " + Fixed(figures.sigma * 100, 3) + " %, 99 % between " +
               SignedPercent(figures.p0_5) + " and " + SignedPercent(figures.p99_5) + "\n";
        if (report.worstCase)
            out += "  worst case   " + SignedPercent(report.worstCase->low) + " and " +
                   SignedPercent(report.worstCase->high) +
                   " (f3 at the 64 corners of the tolerances)\n";
    }
    return out;
}

}  // namespace design::outputs
