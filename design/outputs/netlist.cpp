// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/netlist.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "design/outputs/markup.h"

namespace design::outputs {

std::optional<Dialect> DialectFromName(std::string_view name)
{
    if (name == "ngspice")
        return Dialect::Ngspice;
    if (name == "ltspice")
        return Dialect::LtSpice;
    return std::nullopt;
}

Sweep SweepOf(const Report& report)
{
    const double f = report.design.request.frequency;
    Sweep sweep{f / 100, 100 * f};
    if (report.opamp && report.opamp->upperEdge)
        sweep.to = std::max(sweep.to, 10 * *report.opamp->upperEdge);
    return sweep;
}

namespace {

// A predicted frequency with 7 digits, enough to compare with a simulation at 0.01 %.
std::string Predicted(const std::optional<double>& f3, double f, bool withError = true)
{
    if (!f3)
        return "none (no -3 dB crossing)";
    if (!withError)
        return General(*f3, 7) + " Hz";
    return General(*f3, 7) + " Hz (" + SignedPercent(*f3 / f - 1) + " from f)";
}

std::string Measure(Dialect dialect, std::string_view name, std::string_view edge)
{
    if (dialect == Dialect::Ngspice)
        return ".meas ac " + std::string(name) + " when vm(out)=" + std::string(HalfPowerLevel) +
               " " + std::string(edge) + "=1\n";
    std::string upper(edge);
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    return ".meas AC " + std::string(name) + " WHEN mag(V(out))=" + std::string(HalfPowerLevel) +
           " " + upper + "=1\n";
}

}  // namespace

std::string Netlist(const Report& report, Dialect dialect)
{
    const Design& d = report.design;
    const Request& request = d.request;
    const bool lowPass = request.circuit == Circuit::LowPass;
    const double f = request.frequency;
    std::string out;

    // The first line of a netlist is its title.
    out += "* butterworth3-cli design: third-order " + std::string(Title(request.circuit)) +
           " filter, " + std::string(Title(request.response)) + ", single op-amp follower\n";
    out += "* circuit " + std::string(Id(request.circuit)) + ", response " +
           std::string(Id(request.response)) + ", coefficients " +
           std::string(Id(request.coefficients)) + ", f " + General(f, 7) + " Hz, " +
           (lowPass ? "R " : "C ") + SpiceNumber(request.value) + "\n";
    out += "* series " + (request.series ? std::string(Id(*request.series)) + " (standard values)"
                                         : std::string("none (ideal values)"));
    if (request.moveSeries)
        out += ", " + std::string(lowPass ? "R" : "C") + " moved in " +
               std::string(Id(*request.moveSeries)) + " to " + SpiceNumber(d.value);
    out += ", objective " + std::string(Id(request.objective)) + "\n";
    if (report.opamp) {
        const OpAmp& o = report.opamp->opamp;
        out += "* op-amp: single pole, GBW " + SpiceNumber(o.gbw) + " Hz, A0 " + SpiceNumber(o.a0) +
               ", RO " + SpiceNumber(o.ro) + " ohm\n";
        out += "* predicted -3 dB point f3 (the program's own): " + Predicted(report.opamp->f3, f) +
               "\n";
        if (!lowPass)
            out += "* predicted upper -3 dB edge: " + Predicted(report.opamp->upperEdge, f, false) +
                   "\n";
    } else {
        out += "* op-amp: ideal follower (a voltage-controlled source with a gain of 1Meg)\n";
        out += "* predicted -3 dB point f3 (the program's own): " + Predicted(d.f3, f) + "\n";
    }
    out += "* measured below where |V(out)| crosses 1/sqrt(2) with 1 V in\n";

    out += "V1 in 0 AC 1\n";
    const char kind = lowPass ? 'R' : 'C';
    const std::array<std::string_view, 3> seriesNodes[] = {
        {"in", "n1"}, {"n1", "n2"}, {"n2", "inp"}};
    static constexpr std::array<char, 3> Suffix = {'a', 'b', 'c'};
    for (std::size_t i = 0; i < 3; ++i)
        out += std::string(1, kind) + Suffix[i] + " " + std::string(seriesNodes[i][0]) + " " +
               std::string(seriesNodes[i][1]) + " " + SpiceNumber(d.parts.series[i]) + "\n";
    // C1/R1 from n1 to ground, C2/R2 from n2 to the output, C3/R3 from the + input to ground.
    const char shuntKind = lowPass ? 'C' : 'R';
    static constexpr std::array<std::array<std::string_view, 2>, 3> ShuntNodes = {
        {{"n1", "0"}, {"n2", "out"}, {"inp", "0"}}};
    for (std::size_t i = 0; i < 3; ++i)
        out += std::string(1, shuntKind) + std::to_string(i + 1) + " " +
               std::string(ShuntNodes[i][0]) + " " + std::string(ShuntNodes[i][1]) + " " +
               SpiceNumber(d.parts.shunt[i]) + "\n";

    if (report.opamp) {
        const OpAmp& o = report.opamp->opamp;
        out += "* op-amp: A(s) = A0 / (1 + s A0 / (2 pi GBW)) as a transconductance into A0 ohms\n"
               "* and a capacitor of 1 / (2 pi GBW), buffered, behind RO; - input at out\n";
        out += "Gop 0 opa inp out 1\n";
        out += "Rop opa 0 " + SpiceNumber(o.a0) + "\n";
        out += "Cop opa 0 " + SpiceNumber(1 / (2 * std::numbers::pi * o.gbw)) + "\n";
        if (o.ro > 0) {
            out += "Eop opb 0 opa 0 1\n";
            out += "Rout opb out " + SpiceNumber(o.ro) + "\n";
        } else {
            out += "Eop out 0 opa 0 1\n";
        }
    } else {
        out += "* op-amp: ideal follower, out = 1Meg (V(inp) - V(out))\n";
        out += "Eop out 0 inp out 1Meg\n";
    }

    const Sweep sweep = SweepOf(report);
    out += ".ac dec " + std::to_string(SweepPointsPerDecade) + " " + SpiceNumber(sweep.from) + " " +
           SpiceNumber(sweep.to) + "\n";
    if (dialect == Dialect::Ngspice)
        out += ".save v(out)\n";  // batch mode runs no analysis without it
    // The low-pass falls through the level; the high-pass rises through it and, as a
    // band-pass with a real op-amp, falls through it again at its upper edge.
    out += Measure(dialect, "f3", lowPass ? "fall" : "rise");
    if (!lowPass && report.opamp)
        out += Measure(dialect, "upper", "fall");
    out += ".end\n";
    return out;
}

}  // namespace design::outputs
