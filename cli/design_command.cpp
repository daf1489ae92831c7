// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "cli/design_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <vector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "design/outputs/html_report.h"
#include "design/outputs/netlist.h"
#include "design/outputs/plot.h"
#include "design/portable_math.h"
#include "design/quantity.h"

namespace cli {

namespace {

using design::Circuit;

constexpr std::string_view Program = "butterworth3-cli design: ";
constexpr double MaxTolerancePercent = 30;  // uniform and 3-sigma normal draws stay positive
constexpr int MaxMoveSteps = 50;
// Numbers and parts are kept within this range so that the response polynomials and
// their squares stay far from the limits of a double.
constexpr double Smallest = 1e-30;
constexpr double Largest = 1e30;

bool InRange(double x)
{
    return x >= Smallest && x <= Largest;
}

// The computed parts of every value of R (or C) the search may take stay in range.
bool PartsInRange(const design::Request& request)
{
    std::vector<double> values = {request.value};
    if (request.moveSeries) {
        const long nearest = design::NearestIndex(*request.moveSeries, request.value);
        values.push_back(design::StandardValue(*request.moveSeries, nearest - request.moveSteps));
        values.push_back(design::StandardValue(*request.moveSeries, nearest + request.moveSteps));
    }
    for (const double value : values) {
        if (!InRange(value))
            return false;
        for (const double part : design::IdealParts(request.circuit, request.response,
                                                    request.coefficients, request.frequency, value))
            if (!InRange(part))
                return false;
    }
    return true;
}

// The first problem found, as the one line reported.
class Problems {
public:
    void Add(std::string message)
    {
        if (first_.empty())
            first_ = std::move(message);
    }
    bool Any() const { return !first_.empty(); }
    const std::string& First() const { return first_; }

private:
    std::string first_;
};

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

std::vector<std::string_view> SplitCommas(std::string_view text)
{
    std::vector<std::string_view> items;
    for (;;) {
        const std::size_t comma = text.find(',');
        items.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return items;
        text.remove_prefix(comma + 1);
    }
}

std::string_view ValueName(Circuit circuit)
{
    return circuit == Circuit::LowPass ? "resistance R in ohms, such as 33k, 4k7 or 33kOhm"
                                       : "capacitance C in farads, such as 10n, 4n7 or 10nF";
}

void ParseOpAmp(std::string_view text, DesignOptions& options, Problems& problems)
{
    const std::vector<std::string_view> items = SplitCommas(text);
    const std::string expected =
        "--opamp " + Quoted(text) +
        ": expected GBW[,A0[,RO]] with a decimal point, such as 1Meg or 1.5Meg,200k,100 "
        "(GBW and A0 from 1e-30 to 1e30, RO zero or up to 1e30)";
    if (items.size() > 3) {
        problems.Add(expected);
        return;
    }
    design::OpAmp opamp;
    const std::optional<double> gbw = design::ReadQuantity(items[0], design::Unit::Hertz, false);
    if (!gbw || !InRange(*gbw)) {
        problems.Add(expected);
        return;
    }
    opamp.gbw = *gbw;
    if (items.size() > 1) {
        const std::optional<double> a0 = design::ReadQuantity(items[1], design::Unit::None, false);
        if (!a0 || !InRange(*a0)) {
            problems.Add(expected);
            return;
        }
        opamp.a0 = *a0;
    }
    if (items.size() > 2) {
        const std::optional<double> ro = design::ReadQuantity(items[2], design::Unit::Ohm, false);
        if (!ro || *ro > Largest) {
            problems.Add(expected);
            return;
        }
        opamp.ro = *ro;
    }
    options.opamp = opamp;
}

std::optional<double> ReadPercent(std::string_view text)
{
    if (text.ends_with('%'))
        text.remove_suffix(1);
    const std::optional<double> value = design::ReadQuantity(text, design::Unit::None, false);
    if (!value || *value > MaxTolerancePercent)
        return std::nullopt;
    return *value / 100;
}

std::string FormatG(double value, int digits = 6)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

}  // namespace

DesignArguments ParseDesignArguments(std::span<const std::string_view> args)
{
    DesignOptions options;
    Problems problems;
    std::vector<std::string_view> positional;
    bool help = false;
    bool optionsEnded = false;
    design::ToleranceRequest tolerance;
    bool toleranceGiven = false;
    std::optional<std::string_view> moveText;
    std::optional<std::string_view> dialectText;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool looksLikeNumber =
            arg.size() >= 2 && arg[0] == '-' && ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-" || looksLikeNumber) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            help = true;
            continue;
        }
        if (arg == "--json") {
            options.json = true;
            continue;
        }
        // Options with a value: "--name value" or "--name=value".
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t equals = arg.find('='); equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        static constexpr std::string_view WithValue[] = {
            "--response", "--coefficients", "--series",  "--move-value", "--objective",
            "--opamp",    "--tolerance",    "--samples", "--seed",       "--distribution",
            "--spice",    "--dialect",      "--svg",     "--html"};
        bool known = false;
        for (const std::string_view option : WithValue)
            known = known || option == name;
        if (!known) {
            problems.Add(Quoted(arg) +
                         ": unknown option; expected --response, --coefficients, --series, "
                         "--move-value, --objective, --opamp, --tolerance, --samples, --seed, "
                         "--distribution, --spice, --dialect, --svg, --html, --json or --help");
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                problems.Add(std::string(name) + ": expected a value after it");
                continue;
            }
            value = args[++i];
        }
        const std::string said = std::string(name) + " " + Quoted(*value);
        if (name == "--response") {
            if (const auto r = design::ResponseFromName(*value))
                options.request.response = *r;
            else
                problems.Add(said + ": expected butterworth, bessel, chebyshev-0.5 or chebyshev-1");
        } else if (name == "--coefficients") {
            if (*value == "exact")
                options.request.coefficients = design::Coefficients::Exact;
            else if (*value == "window")
                options.request.coefficients = design::Coefficients::Window;
            else
                problems.Add(said + ": expected exact or window");
        } else if (name == "--series") {
            if (const auto s = design::SeriesFromName(*value))
                options.request.series = *s;
            else
                problems.Add(said + ": expected E3, E6, E12, E24, E48, E96 or E192");
        } else if (name == "--move-value") {
            moveText = *value;
            const std::size_t colon = value->find(':');
            const auto s = design::SeriesFromName(value->substr(0, colon));
            int steps = 2;
            bool stepsOk = true;
            if (colon != std::string_view::npos) {
                const std::string_view digits = value->substr(colon + 1);
                const auto [end, ec] =
                    std::from_chars(digits.data(), digits.data() + digits.size(), steps);
                stepsOk = ec == std::errc() && end == digits.data() + digits.size() && steps >= 0 &&
                          steps <= MaxMoveSteps;
            }
            if (s && stepsOk) {
                options.request.moveSeries = *s;
                options.request.moveSteps = steps;
            } else {
                problems.Add(said + ": expected SERIES[:STEPS], a series E3 to E192 and 0 to " +
                             std::to_string(MaxMoveSteps) + " steps, such as E24 or E24:3");
            }
        } else if (name == "--objective") {
            if (*value == "balanced")
                options.request.objective = design::Objective::Balanced;
            else if (*value == "shape")
                options.request.objective = design::Objective::Shape;
            else
                problems.Add(said + ": expected balanced or shape");
        } else if (name == "--opamp") {
            ParseOpAmp(*value, options, problems);
        } else if (name == "--tolerance") {
            const std::vector<std::string_view> items = SplitCommas(*value);
            const std::optional<double> r =
                items.size() == 2 ? ReadPercent(items[0]) : std::nullopt;
            const std::optional<double> c =
                items.size() == 2 ? ReadPercent(items[1]) : std::nullopt;
            if (r && c) {
                tolerance.resistors = *r;
                tolerance.capacitors = *c;
                toleranceGiven = true;
            } else {
                problems.Add(said + ": expected R%,C% with a decimal point, each from 0 to " +
                             FormatG(MaxTolerancePercent) + ", such as 1,5 or 0.5%,1%");
            }
        } else if (name == "--samples") {
            const std::optional<double> n = design::ReadQuantity(*value, design::Unit::None, false);
            if (n && *n >= 1 && *n <= static_cast<double>(design::MaxSamples) &&
                *n == std::floor(*n))
                tolerance.samples = static_cast<long>(*n);
            else
                problems.Add(said + ": expected a whole number of samples from 1 to " +
                             std::to_string(design::MaxSamples));
        } else if (name == "--seed") {
            std::uint64_t seed = 0;
            const auto [end, ec] =
                std::from_chars(value->data(), value->data() + value->size(), seed);
            if (!value->empty() && ec == std::errc() && end == value->data() + value->size())
                tolerance.seed = seed;
            else
                problems.Add(said + ": expected a whole number from 0 to 18446744073709551615");
        } else if (name == "--spice" || name == "--svg" || name == "--html") {
            std::optional<std::string>& file = name == "--spice" ? options.spice
                                               : name == "--svg" ? options.svg
                                                                 : options.html;
            if (value->empty())
                problems.Add(said + ": expected a file name, or - for standard output");
            else
                file = std::string(*value);
        } else if (name == "--dialect") {
            dialectText = *value;
            if (const auto dialect = design::outputs::DialectFromName(*value))
                options.dialect = *dialect;
            else
                problems.Add(said + ": expected ngspice or ltspice");
        } else if (name == "--distribution") {
            if (*value == "uniform")
                tolerance.distribution = design::Distribution::Uniform;
            else if (*value == "normal")
                tolerance.distribution = design::Distribution::Normal;
            else
                problems.Add(said + ": expected uniform or normal");
        }
    }
    if (help)
        return DesignHelp{};

    // The positional arguments, in order, after the options' own problems.
    if (positional.empty()) {
        problems.Add("CIRCUIT: expected lowpass or highpass, then FREQUENCY and VALUE");
    } else if (positional[0] == "lowpass" || positional[0] == "highpass") {
        options.request.circuit = positional[0] == "lowpass" ? Circuit::LowPass : Circuit::HighPass;
    } else {
        problems.Add("CIRCUIT " + Quoted(positional[0]) + ": expected lowpass or highpass");
    }
    if (positional.size() >= 2) {
        const std::optional<double> f =
            design::ReadQuantity(positional[1], design::Unit::Hertz, true);
        if (f && InRange(*f))
            options.request.frequency = *f;
        else
            problems.Add(
                "FREQUENCY " + Quoted(positional[1]) +
                ": expected a frequency in Hz from 1e-30 to 1e30, such as 100, 2.5k or 1kHz");
    } else if (!positional.empty()) {
        problems.Add("FREQUENCY: expected the -3 dB frequency in Hz after the circuit");
    }
    if (positional.size() >= 3) {
        const design::Unit unit =
            options.request.circuit == Circuit::LowPass ? design::Unit::Ohm : design::Unit::Farad;
        const std::optional<double> v = design::ReadQuantity(positional[2], unit, true);
        if (v && InRange(*v))
            options.request.value = *v;
        else
            problems.Add("VALUE " + Quoted(positional[2]) + ": expected a " +
                         std::string(ValueName(options.request.circuit)) + ", from 1e-30 to 1e30");
    } else if (positional.size() == 2) {
        problems.Add("VALUE: expected R in ohms (lowpass) or C in farads (highpass) after "
                     "the frequency");
    }
    if (positional.size() > 3)
        problems.Add(Quoted(positional[3]) + ": expected no more than CIRCUIT FREQUENCY VALUE");
    if (options.request.moveSeries && !options.request.series)
        problems.Add("--move-value " + Quoted(*moveText) + ": expected --series as well");
    if (options.request.coefficients == design::Coefficients::Window &&
        options.request.response != design::ResponseKind::Butterworth)
        problems.Add("--coefficients window: expected --response butterworth (the window's "
                     "coefficients are Butterworth only)");
    if (dialectText && !options.spice)
        problems.Add("--dialect " + Quoted(*dialectText) + ": expected --spice as well");
    const int toStdout =
        int(options.spice == "-") + int(options.svg == "-") + int(options.html == "-");
    if (toStdout > 1)
        problems.Add("'-': expected standard output for one of --spice, --svg and --html only");
    else if (toStdout == 1 && options.json)
        problems.Add("'-': expected a file name with --json (standard output holds the JSON)");
    if (!problems.Any() && !PartsInRange(options.request))
        problems.Add("FREQUENCY " + Quoted(positional[1]) + " and VALUE " + Quoted(positional[2]) +
                     ": expected a pair that keeps the computed parts from 1e-30 to 1e30");
    if (problems.Any())
        return DesignUsageError{problems.First()};
    if (toleranceGiven)
        options.tolerance = tolerance;
    return options;
}

std::string DesignUsageText()
{
    return "Usage: butterworth3-cli design lowpass|highpass FREQUENCY VALUE [options]\n"
           "\n"
           "Exact or standard part values of the third-order single-op-amp filter, with\n"
           "what they do: the -3 dB frequency f3, the shape error against the wanted\n"
           "response, the op-amp bandwidth needed, the sensitivities and the spread\n"
           "with part tolerances.\n"
           "\n"
           "  FREQUENCY  the -3 dB frequency in Hz: 100, 2.5k, 2,5k, 1e3, 1kHz\n"
           "  VALUE      the three equal parts: R in ohms for lowpass (33k, 4k7, 2R2,\n"
           "             33kOhm), C in farads for highpass (10n, 4n7, 10nF, 0.1u)\n"
           "  Suffixes: p n u µ m (milli) k M (mega) Meg G.\n"
           "\n"
           "  --response butterworth|bessel|chebyshev-0.5|chebyshev-1   (butterworth)\n"
           "  --coefficients exact|window   window: the window's own values (butterworth)\n"
           "  --series E3|E6|E12|E24|E48|E96|E192   standard values for the three parts\n"
           "  --move-value SERIES[:STEPS]   let R (or C) move too: the nearest standard\n"
           "                                value and STEPS either side (2); needs --series\n"
           "  --objective balanced|shape    balanced: the f3 nearest to FREQUENCY among the\n"
           "                                shapes within 0.1 dB of the best (balanced)\n"
           "  --opamp GBW[,A0[,RO]]         a real op-amp, e.g. 1Meg or 1.5Meg,200k,100\n"
           "                                (A0 200k and RO 0 unless given)\n"
           "  --tolerance R%,C%             part tolerances, e.g. 1,5 or 0.5%,1%\n"
           "  --samples N                   tolerance samples (100000, at most 10000000)\n"
           "  --seed S                      the random sequence (fixed unless given)\n"
           "  --distribution uniform|normal normal: the tolerance is 3 sigma (uniform)\n"
           "  --json                        one JSON object instead of text\n"
           "  --spice FILE                  the circuit as a SPICE netlist with an AC sweep\n"
           "                                and a measurement of the -3 dB point\n"
           "  --dialect ngspice|ltspice     the netlist's simulator (ngspice)\n"
           "  --svg FILE                    Bode plot: magnitude, phase, deviation from target\n"
           "  --html FILE                   one-file report: summary, schematic, parts,\n"
           "                                figures, plots and the netlist\n"
           "  -h, --help                    this text\n"
           "\n"
           "Numbers inside options take a decimal point only: the comma separates items.\n"
           "FILE - is standard output, in place of the text (one FILE at most).\n"
           "Exit status: 0 with a design, 2 on bad input (one line on stderr), 3 when a\n"
           "FILE cannot be written (nothing written).\n";
}

namespace {

bool IsLowPass(const design::Report& report)
{
    return report.design.request.circuit == Circuit::LowPass;
}

std::array<std::string_view, 3> PartNames(const design::Report& report)
{
    if (IsLowPass(report))
        return {"C1", "C2", "C3"};
    return {"R1", "R2", "R3"};
}

// The window's rule for a part that is impractical to build.
bool Impractical(bool capacitor, double value)
{
    return capacitor ? (value < 100e-12 || value > 10e-6) : (value < 100 || value > 1e6);
}

// 6 significant digits with an SI prefix: "67.1656 nF", "33 kOhm", "100 Hz".
std::string WithUnit(double value, std::string_view unit)
{
    static constexpr std::string_view Prefixes[] = {"p", "n", "u", "m", "", "k", "M", "G"};
    int index = 4;
    if (value != 0 && std::isfinite(value)) {
        index = 4 + static_cast<int>(std::floor(design::portable::Log10(std::fabs(value)) / 3));
        index = std::clamp(index, 0, 7);
    }
    double mantissa = value / design::portable::Exp10(3.0 * (index - 4));
    std::string digits = FormatG(mantissa);
    if (std::fabs(std::stod(digits)) >= 1000 && index < 7) {
        ++index;  // 999.9999 rounded up to 1000
        mantissa = value / design::portable::Exp10(3.0 * (index - 4));
        digits = FormatG(mantissa);
    }
    return digits + " " + std::string(Prefixes[index]) + std::string(unit);
}

std::string Percent(double fraction, int decimals = 3)
{
    char buffer[64];
    double percent = fraction * 100;
    if (std::fabs(percent) < 0.5 * design::portable::Exp10(-decimals))
        percent = 0;  // no "-0.000 %"
    std::snprintf(buffer, sizeof buffer, "%+.*f %%", decimals, percent);
    return buffer;
}

std::string Fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Pad(std::string text, std::size_t width)
{
    // Width in characters; "µ" and the like do not occur here, so bytes are characters.
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string F3Text(const std::optional<double>& f3, double f)
{
    if (!f3)
        return "none (no -3 dB crossing)";
    return WithUnit(*f3, "Hz") + " (" + Percent(*f3 / f - 1) + ")";
}

std::string GbwNeededText(const std::optional<double>& gbw, double f)
{
    if (!gbw)
        return "more than " + WithUnit(1e5 * f, "Hz");
    return WithUnit(*gbw, "Hz") + " (" + FormatG(*gbw / f, 3) + " f)";
}

}  // namespace

std::string RenderDesignText(const design::Report& report)
{
    const design::Request& request = report.design.request;
    const design::Design& d = report.design;
    const bool lowPass = IsLowPass(report);
    const std::string valueUnit = lowPass ? "Ohm" : "F";
    const std::string partUnit = lowPass ? "F" : "Ohm";
    const double f = request.frequency;
    std::string out;

    static constexpr std::string_view ResponseTitles[] = {"Butterworth", "Bessel",
                                                          "Chebyshev 0.5 dB", "Chebyshev 1 dB"};
    const std::string_view responseTitle = ResponseTitles[static_cast<int>(request.response)];
    out += std::string(lowPass ? "Low-pass" : "High-pass") + " filter, " +
           std::string(responseTitle) + " response, " +
           (request.coefficients == design::Coefficients::Exact ? "exact values"
                                                                : "the window's coefficients") +
           "\n";
    out += "f  = " + WithUnit(f, "Hz") + " (the -3 dB frequency asked for)\n";
    const std::string valueName = lowPass ? "R " : "C ";
    out += valueName + " = " + WithUnit(request.value, valueUnit) +
           (lowPass ? " (the three equal resistors)" : " (the three equal capacitors)") + "\n";
    if (request.moveSeries)
        out += valueName + " = " + WithUnit(d.value, valueUnit) + " chosen from " +
               std::string(design::SeriesName(*request.moveSeries)) + "\n";
    out += "\n";

    const std::array<std::string_view, 3> names = PartNames(report);
    if (request.series) {
        out += "part  ideal          " +
               Pad("chosen " + std::string(design::SeriesName(*request.series)), 14) + "error\n";
    } else {
        out += "part  ideal\n";
    }
    for (std::size_t i = 0; i < 3; ++i) {
        std::string line = Pad(std::string(names[i]), 6) + Pad(WithUnit(d.ideal[i], partUnit), 15);
        if (request.series)
            line +=
                Pad(WithUnit(d.chosen[i], partUnit), 14) + Percent(d.chosen[i] / d.ideal[i] - 1);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (Impractical(lowPass, d.chosen[i]))
            line += " <--- !";
        out += line + "\n";
    }
    out += "\n";

    out += "f3             " + F3Text(d.f3, f) + "\n";
    out += "shape error    " + Fixed(d.shapeErrorDb, 3) + " dB (largest difference from the " +
           std::string(responseTitle) + " response, down to -20 dB)\n";
    if (request.series)
        out += "combinations   " + std::to_string(d.combinations) + "\n";
    out += "window's f3    " + F3Text(report.windowF3, f) +
           " (the window's own values for these inputs)\n";
    if (report.rippleEdge)
        out +=
            "ripple edge    " + WithUnit(*report.rippleEdge, "Hz") + " (end of the ripple band)\n";
    if (report.sensitivity) {
        const char* seriesNames[] = {lowPass ? "Ra" : "Ca", lowPass ? "Rb" : "Cb",
                                     lowPass ? "Rc" : "Cc"};
        out += "sensitivity    d ln f3 / d ln x:";
        for (std::size_t i = 0; i < 3; ++i)
            out += std::string(" ") + seriesNames[i] + " " +
                   (report.sensitivity->series[i] < 0 ? "" : "+") +
                   Fixed(report.sensitivity->series[i], 3);
        for (std::size_t i = 0; i < 3; ++i)
            out += " " + std::string(names[i]) + " " +
                   (report.sensitivity->shunt[i] < 0 ? "" : "+") +
                   Fixed(report.sensitivity->shunt[i], 3);
        out += "\n";
    }
    if (report.opamp) {
        const design::OpAmpFigures& o = *report.opamp;
        out += "\nop-amp         GBW " + WithUnit(o.opamp.gbw, "Hz") + ", A0 " +
               FormatG(o.opamp.a0) + ", RO " + WithUnit(o.opamp.ro, "Ohm") + "\n";
        out += "  f3           " + F3Text(o.f3, f) + "\n";
        out += "  shape error  " + Fixed(o.shapeErrorDb, 3) + " dB\n";
        if (!lowPass)
            out += "  upper edge   " +
                   (o.upperEdge ? WithUnit(*o.upperEdge, "Hz") : std::string("none")) +
                   " (the high-pass becomes a band-pass)\n";
        out += "  GBW needed   " + GbwNeededText(o.gbwNeeded.f3Within1Percent, f) +
               " for f3 within 1 %\n";
        out += "               " + GbwNeededText(o.gbwNeeded.f3Within0_1Percent, f) +
               " for f3 within 0.1 %\n";
        out += "               " + GbwNeededText(o.gbwNeeded.shapeWithin0_1Db, f) +
               " for at most 0.1 dB more shape error\n";
    }
    if (report.tolerance) {
        const design::ToleranceRequest& t = *report.toleranceRequest;
        const design::ToleranceFigures& figures = *report.tolerance;
        out += "\ntolerance      R " + FormatG(t.resistors * 100) + " %, C " +
               FormatG(t.capacitors * 100) + " %, " +
               (t.distribution == design::Distribution::Uniform ? "uniform" : "normal (3 sigma)") +
               ", " + std::to_string(figures.samples) + " samples, seed " + std::to_string(t.seed) +
               "\n";
        out += "  f3 error     sigma " + Fixed(figures.sigma * 100, 3) + " %, 99 % between " +
               Percent(figures.p0_5) + " and " + Percent(figures.p99_5) + "\n";
    }
    return out;
}

std::string RenderDesignJson(const design::Report& report)
{
    using Json = nlohmann::ordered_json;
    const design::Request& request = report.design.request;
    const design::Design& d = report.design;
    const bool lowPass = IsLowPass(report);
    const double f = request.frequency;
    const auto orNull = [](const std::optional<double>& v) { return v ? Json(*v) : Json(nullptr); };

    Json j;
    j["circuit"] = lowPass ? "lowpass" : "highpass";
    j["response"] = design::ResponseName(request.response);
    j["coefficients"] = request.coefficients == design::Coefficients::Exact ? "exact" : "window";
    j["frequency"] = f;
    j["value"] = request.value;
    if (request.moveSeries)
        j["value_chosen"] = d.value;
    Json parts = Json::array();
    const std::array<std::string_view, 3> names = PartNames(report);
    for (std::size_t i = 0; i < 3; ++i) {
        Json part;
        part["name"] = names[i];
        part["ideal"] = d.ideal[i];
        if (request.series) {
            part["chosen"] = d.chosen[i];
            part["error"] = d.chosen[i] / d.ideal[i] - 1;
        }
        part["impractical"] = Impractical(lowPass, d.chosen[i]);
        parts.push_back(std::move(part));
    }
    j["parts"] = std::move(parts);
    j["f3"] = orNull(d.f3);
    j["f3_error"] = orNull(design::F3Error(d.f3, f));
    j["shape_error_db"] = d.shapeErrorDb;
    if (request.series)
        j["combinations"] = d.combinations;
    j["window"] = Json{{"f3", orNull(report.windowF3)},
                       {"f3_error", orNull(design::F3Error(report.windowF3, f))}};
    if (report.rippleEdge)
        j["ripple_edge"] = *report.rippleEdge;
    if (report.opamp) {
        const design::OpAmpFigures& o = *report.opamp;
        Json opamp;
        opamp["gbw"] = o.opamp.gbw;
        opamp["a0"] = o.opamp.a0;
        opamp["ro"] = o.opamp.ro;
        opamp["f3"] = orNull(o.f3);
        opamp["f3_error"] = orNull(design::F3Error(o.f3, f));
        opamp["shape_error_db"] = o.shapeErrorDb;
        if (!lowPass)
            opamp["upper_edge"] = orNull(o.upperEdge);
        opamp["gbw_needed"] = Json{{"f3_1pct", orNull(o.gbwNeeded.f3Within1Percent)},
                                   {"f3_0_1pct", orNull(o.gbwNeeded.f3Within0_1Percent)},
                                   {"shape_0_1db", orNull(o.gbwNeeded.shapeWithin0_1Db)}};
        j["opamp"] = std::move(opamp);
    }
    if (report.sensitivity) {
        const std::array<const char*, 3> seriesNames =
            lowPass ? std::array<const char*, 3>{"Ra", "Rb", "Rc"}
                    : std::array<const char*, 3>{"Ca", "Cb", "Cc"};
        Json s;
        for (std::size_t i = 0; i < 3; ++i)
            s[seriesNames[i]] = report.sensitivity->series[i];
        for (std::size_t i = 0; i < 3; ++i)
            s[std::string(names[i])] = report.sensitivity->shunt[i];
        j["sensitivity"] = std::move(s);
    }
    if (report.tolerance) {
        const design::ToleranceRequest& t = *report.toleranceRequest;
        Json tolerance;
        tolerance["samples"] = report.tolerance->samples;
        tolerance["seed"] = t.seed;
        tolerance["distribution"] =
            t.distribution == design::Distribution::Uniform ? "uniform" : "normal";
        tolerance["sigma"] = report.tolerance->sigma;
        tolerance["p0_5"] = report.tolerance->p0_5;
        tolerance["p99_5"] = report.tolerance->p99_5;
        j["tolerance"] = std::move(tolerance);
    }
    return j.dump() + "\n";
}

std::string CommandLineOf(std::span<const std::string_view> args)
{
    std::string line = "butterworth3-cli design";
    for (const std::string_view arg : args) {
        const bool plain = !arg.empty() && std::all_of(arg.begin(), arg.end(), [](char ch) {
            return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || std::strchr("_-+.,:=%/@", ch) != nullptr ||
                   static_cast<unsigned char>(ch) >= 0x80;
        });
        line += ' ';
        if (plain) {
            line += arg;
            continue;
        }
        line += '\'';
        for (const char ch : arg)
            line += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
        line += '\'';
    }
    return line;
}

namespace {

std::string ErrnoText()
{
    return std::strerror(errno);
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A file written to a temporary name, not yet renamed into place.
struct Pending {
    std::string option;
    std::string path;
    std::string temporary;
};

}  // namespace

namespace {

std::optional<std::string> WriteTemporary(const std::string& path, std::string_view content,
                                          std::string& temporary)
{
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return std::string("a directory, not a file");
    std::string pattern = directory + "." + name + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return ErrnoText();
    // mkstemp makes the file private; give it the mode a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, content);
    std::string reason = ok ? "" : ErrnoText();
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = ErrnoText();
    }
    if (!ok) {
        ::unlink(pattern.c_str());
        return reason;
    }
    temporary = pattern;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteWholeFile(const std::string& path, std::string_view content)
{
    std::string temporary;
    if (auto problem = WriteTemporary(path, content, temporary))
        return problem;
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = ErrnoText();
        ::unlink(temporary.c_str());
        return reason;
    }
    return std::nullopt;
}

int RunDesignCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const DesignArguments parsed = ParseDesignArguments(args);
    if (std::holds_alternative<DesignHelp>(parsed)) {
        out << DesignUsageText();
        return 0;
    }
    if (const auto* usage = std::get_if<DesignUsageError>(&parsed)) {
        err << Program << usage->message << "\n";
        return 2;
    }
    const DesignOptions& options = std::get<DesignOptions>(parsed);
    const design::Report report =
        design::MakeReport(options.request, options.opamp, options.tolerance);

    // Every file is written to a temporary first; only when all are whole are they
    // renamed into place, so that a failure leaves no file at all.
    struct Output {
        std::string option;
        const std::optional<std::string>& path;
        std::string (*render)(const design::Report&, const DesignOptions&, const std::string&);
    };
    const Output outputs[] = {
        {"--spice", options.spice,
         [](const design::Report& r, const DesignOptions& o, const std::string&) {
             return design::outputs::Netlist(r, o.dialect);
         }},
        {"--svg", options.svg,
         [](const design::Report& r, const DesignOptions&, const std::string&) {
             return design::outputs::BodePlot(r, true);
         }},
        {"--html", options.html,
         [](const design::Report& r, const DesignOptions& o, const std::string& line) {
             return design::outputs::HtmlReport(r, line, o.dialect);
         }},
    };
    const std::string commandLine = CommandLineOf(args);
    std::optional<std::string> toStdout;
    std::vector<Pending> pending;
    for (const Output& output : outputs) {
        if (!output.path)
            continue;
        std::string content = output.render(report, options, commandLine);
        if (*output.path == "-") {
            toStdout = std::move(content);
            continue;
        }
        Pending file{output.option, *output.path, {}};
        if (auto problem = WriteTemporary(file.path, content, file.temporary)) {
            for (const Pending& p : pending)
                ::unlink(p.temporary.c_str());
            err << Program << output.option << " " << Quoted(*output.path)
                << ": cannot write: " << *problem << "\n";
            return FileExitCode;
        }
        pending.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (::rename(pending[i].temporary.c_str(), pending[i].path.c_str()) != 0) {
            const std::string reason = ErrnoText();
            for (std::size_t j = i; j < pending.size(); ++j)
                ::unlink(pending[j].temporary.c_str());
            for (std::size_t j = 0; j < i; ++j)
                ::unlink(pending[j].path.c_str());
            err << Program << pending[i].option << " " << Quoted(pending[i].path)
                << ": cannot write: " << reason << "\n";
            return FileExitCode;
        }
    }
    if (toStdout)
        out << *toStdout;
    else
        out << (options.json ? RenderDesignJson(report) : RenderDesignText(report));
    return 0;
}

}  // namespace cli
