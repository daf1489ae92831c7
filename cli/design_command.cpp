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
#include "design/outputs/markup.h"
#include "design/outputs/netlist.h"
#include "design/outputs/plot.h"
#include "design/quantity.h"
#include "files/quoting.h"

namespace cli {

namespace {

using design::Circuit;

constexpr std::string_view Program = "butterworth3-cli design: ";

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

std::string FormatG(double value, int digits = 6)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

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
        index = 4 + static_cast<int>(std::floor(std::log10(std::fabs(value)) / 3));
        index = std::clamp(index, 0, 7);
    }
    double mantissa = value / std::pow(1000.0, index - 4);
    std::string digits = FormatG(mantissa);
    if (std::fabs(std::stod(digits)) >= 1000 && index < 7) {
        ++index;  // 999.9999 rounded up to 1000
        mantissa = value / std::pow(1000.0, index - 4);
        digits = FormatG(mantissa);
    }
    return digits + " " + std::string(Prefixes[index]) + std::string(unit);
}

std::string Percent(double fraction, int decimals = 3)
{
    char buffer[64];
    double percent = fraction * 100;
    if (std::fabs(percent) < 0.5 * std::pow(10.0, -decimals))
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

    const std::string_view responseTitle = design::Title(request.response);
    out += design::outputs::Capitalised(design::Title(request.circuit)) + " filter, " +
           std::string(responseTitle) + " response, " +
           std::string(design::Title(request.coefficients)) + "\n";
    out += "f  = " + WithUnit(f, "Hz") + " (the -3 dB frequency asked for)\n";
    const std::string valueName = lowPass ? "R " : "C ";
    out += valueName + " = " + WithUnit(request.value, valueUnit) +
           (lowPass ? " (the three equal resistors)" : " (the three equal capacitors)") + "\n";
    if (request.moveSeries)
        out += valueName + " = " + WithUnit(d.value, valueUnit) + " chosen from " +
               std::string(design::Id(*request.moveSeries)) + "\n";
    out += "\n";

    const std::array<std::string_view, 3> names = PartNames(report);
    if (request.series) {
        out += "part  ideal          " +
               Pad("chosen " + std::string(design::Id(*request.series)), 14) + "error\n";
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
               FormatG(t.capacitors * 100) + " %, " + std::string(design::Title(t.distribution)) +
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
    j["circuit"] = design::Id(request.circuit);
    j["response"] = design::Id(request.response);
    j["coefficients"] = design::Id(request.coefficients);
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
        tolerance["distribution"] = design::Id(t.distribution);
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
    for (const std::string_view arg : args)
        line += ' ' + files::ShellQuoted(arg);
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
