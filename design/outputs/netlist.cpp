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

// The parts and the op-amp, whose + input is at `plus` ("inp", the + node of the parts, unless
// a noise source sits between them).
std::string CircuitLines(const Report& report, std::string_view plus)
{
    const Design& d = report.design;
    const bool lowPass = d.request.circuit == Circuit::LowPass;
    std::string out;
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
        out += "Gop 0 opa " + std::string(plus) + " out 1\n";
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
        out += "Eop out 0 " + std::string(plus) + " out 1Meg\n";
    }
    return out;
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
    out += CircuitLines(report, "inp");

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

namespace {

// A number the control language reads back to the same double.
std::string Exact(double value)
{
    return General(value, 17);
}

// Elements that give the op-amp's own noise in a noise analysis and nothing else: a resistor
// alone to ground shows its thermal noise sqrt(4kTR) across it, which a controlled source
// puts in series with the + input (EN) or turns into a current into each input (IN).
std::string OpAmpNoiseLines(const OpAmpNoise& noise)
{
    const double fourKT = 4 * Boltzmann * NoiseTemperature;
    const double perOhm = std::sqrt(fourKT);  // V/sqrt(Hz) across 1 ohm
    std::string out = "* op-amp noise: EN in series with the + input, IN into each input\n";
    out += "Een inq inp nen 0 1\n";
    out += "Ren nen 0 " + Exact(noise.voltage * noise.voltage / fourKT) + "\n";
    out += "Rip nip 0 1\n";
    out += "Gip 0 inp nip 0 " + Exact(noise.current / perOhm) + "\n";
    out += "Rim nim 0 1\n";
    out += "Gim 0 out nim 0 " + Exact(noise.current / perOhm) + "\n";
    return out;
}

}  // namespace

std::string CheckDeck(const Report& report)
{
    const Design& d = report.design;
    const Request& request = d.request;
    const bool lowPass = request.circuit == Circuit::LowPass;
    const double f = request.frequency;
    const Behaviour& b =
        report.opampBehaviour ? report.opampBehaviour->behaviour : report.behaviour;
    const std::optional<OpAmpNoise>& opampNoise = report.noiseRequest.opamp;
    std::string out;
    out += "* butterworth3-cli design: ngspice checks of the " +
           std::string(Title(request.circuit)) + " filter's noise, step, delay and stop-band\n";
    out += "* with the " + std::string(report.opamp ? "op-amp model" : "ideal follower") +
           "; the program's figures: noise " + Exact(b.noise.rms) + " V rms from " +
           Exact(b.noise.band.from) + " to " + Exact(b.noise.band.to) + " Hz, settling 0.1 % " +
           Exact(b.step.settling0_1Percent) + " s\n";
    // A step with a rise of 1e-5 / f: the figures move by half of it at most.
    const double rise = 1e-5 / f;
    out += "V1 in 0 DC 0 AC 1 PULSE(0 1 0 " + Exact(rise) + " " + Exact(rise) + " 1e30 2e30)\n";
    out += CircuitLines(report, opampNoise ? "inq" : "inp");
    if (opampNoise)
        out += OpAmpNoiseLines(*opampNoise);
    out += ".options reltol=1e-7 abstol=1e-16 vntol=1e-13 chgtol=1e-20\n";
    out += ".control\n";
    out += "set noaskquit\nset numdgt=10\n";
    out += "noise v(out) V1 dec 1000 " + Exact(b.noise.band.from) + " " + Exact(b.noise.band.to) +
           "\n";
    out += "setplot noise2\n";
    out += "let noise_rms = onoise_total\n";
    out += "print noise_rms\n";
    if (lowPass) {
        // The delay near DC from the phase's slope between f/1000 and 1.5 f/1000.
        out += "ac lin 3 " + Exact(f / 1000) + " " + Exact(f / 500) + "\n";
        out += "let phs = vp(out)\nlet frs = real(frequency)\n"
               "let delay_dc = (phs[0] - phs[1]) / (2 * pi * (frs[1] - frs[0]))\n";
        out += "print delay_dc\n";
        out += "ac dec 1 " + Exact(100 * f) + " " + Exact(10000 * f) + "\n";
        out += "let stop_100f = vdb(out)[0]\nlet stop_1000f = vdb(out)[1]\n"
               "let stop_10000f = vdb(out)[2]\n";
        out += "print stop_100f stop_1000f stop_10000f\n";
    }
    // Three times the 0.1 % settling time, in steps of at most a 20000th of it.
    const double stop = 3 * b.step.settling0_1Percent;
    out += "tran " + Exact(stop / 20000) + " " + Exact(stop) + " 0 " + Exact(stop / 20000) + "\n";
    out += "wrdata step.txt v(out)\n";
    if (report.worstCase && !report.opamp) {
        // The corners of the tolerances, with the ideal follower the worst case assumes.
        const ToleranceRequest& t = *report.toleranceRequest;
        static constexpr std::array<std::string_view, 6> LowPassNames = {"Ra", "Rb", "Rc",
                                                                         "C1", "C2", "C3"};
        static constexpr std::array<std::string_view, 6> HighPassNames = {"Ca", "Cb", "Cc",
                                                                          "R1", "R2", "R3"};
        const auto& names = lowPass ? LowPassNames : HighPassNames;
        const std::pair<std::string_view, std::array<int, 6>> corners[] = {
            {"corner_low", report.worstCase->lowCorner},
            {"corner_high", report.worstCase->highCorner}};
        for (const auto& [name, corner] : corners) {
            const Parts p = AtCorner(request.circuit, d.parts, t, corner);
            for (std::size_t i = 0; i < 6; ++i)
                out += "alter " + std::string(names[i]) + " = " +
                       Exact(i < 3 ? p.series[i] : p.shunt[i - 3]) + "\n";
            out += "ac dec " + std::to_string(SweepPointsPerDecade) + " " + Exact(f / 100) + " " +
                   Exact(100 * f) + "\n";
            out += "meas ac " + std::string(name) + " when vm(out)=" + std::string(HalfPowerLevel) +
                   " " + (lowPass ? "fall" : "rise") + "=1\n";
        }
    }
    out += "quit\n";
    out += ".endc\n";
    out += ".end\n";
    return out;
}

}  // namespace design::outputs
