// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The design command's files: the SPICE netlist (values, nodes, op-amp, sweep and
// measurement in each dialect), the Bode plot and the report (self-contained, escaped), and
// how files are written (whole or not at all, "-" for standard output).
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/design_command.h"
#include "design/outputs/html_report.h"
#include "design/outputs/markup.h"
#include "design/outputs/netlist.h"
#include "design/outputs/plot.h"
#include "design/outputs/schematic_svg.h"
#include "design/quantity.h"
#include "tests/design/param_name.h"

#ifndef BUTTERWORTH3_CLI_PATH
#error "BUTTERWORTH3_CLI_PATH must name the butterworth3-cli executable"
#endif

namespace {

namespace fs = std::filesystem;
using design::outputs::Dialect;

struct Ran {
    int code;
    std::string out;
    std::string err;
};

Ran RunCli(std::vector<std::string_view> args)
{
    std::ostringstream out, err;
    const int code = cli::RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A fresh folder for one test, removed after it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "outputs.XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    fs::path path_;
};

// ---- Numbers and escaping ----

struct NumberRow {
    double value;
    std::string spice;
};

class SpiceNumbers : public testing::TestWithParam<NumberRow> { };

TEST_P(SpiceNumbers, useSpiceMultipliersAndSixDigits)
{
    EXPECT_EQ(design::outputs::SpiceNumber(GetParam().value), GetParam().spice);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpiceNumbers,
    testing::Values(NumberRow{33e3, "33k"}, NumberRow{67.16563e-9, "67.1656n"},
                    NumberRow{1e6, "1Meg"},     // M would be milli
                    NumberRow{4.7e-6, "4.7u"},  // never µ
                    NumberRow{1e-3, "1m"}, NumberRow{0.5, "500m"}, NumberRow{100, "100"},
                    NumberRow{999999.9, "1Meg"},  // rounds up into the next multiplier
                    NumberRow{999.9994, "999.999"}, NumberRow{1.5e9, "1.5G"},
                    NumberRow{123456789, "123.457Meg"}, NumberRow{2.2e-12, "2.2p"},
                    NumberRow{1e-18, "1e-18"}, NumberRow{0, "0"},
                    NumberRow{159.1549431e-9, "159.155n"}));

struct EscapeRow {
    std::string text;
    std::string escaped;
};

class Escaping : public testing::TestWithParam<EscapeRow> { };

TEST_P(Escaping, leavesNoMarkup)
{
    EXPECT_EQ(design::outputs::Escape(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Table, Escaping,
                         testing::Values(EscapeRow{"a<b>&\"c.svg", "a&lt;b&gt;&amp;&quot;c.svg"},
                                         EscapeRow{"it's", "it&#39;s"},
                                         EscapeRow{"&amp;", "&amp;amp;"},
                                         EscapeRow{"33 kΩ, 4.7 µF", "33 kΩ, 4.7 µF"},
                                         EscapeRow{"", ""}));

struct UnitRow {
    double value;
    std::string unit;
    int digits;
    std::string text;
};

class UnitTexts : public testing::TestWithParam<UnitRow> { };

TEST_P(UnitTexts, carryAPrefixAndTheUnit)
{
    const UnitRow& row = GetParam();
    EXPECT_EQ(design::outputs::WithUnit(row.value, row.unit, row.digits), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnitTexts,
    testing::Values(UnitRow{67.16563e-9, "F", 4, "67.17 nF"}, UnitRow{33e3, "Ω", 6, "33 kΩ"},
                    UnitRow{1e6, "Hz", 6, "1 MHz"}, UnitRow{4.7e-6, "F", 6, "4.7 µF"},
                    UnitRow{999.96, "Hz", 4, "1 kHz"}, UnitRow{100, "Hz", 6, "100 Hz"}));

TEST(UnitTexts, aTerminalGetsAsciiPrefixesFromPico)
{
    using design::outputs::Medium;
    EXPECT_EQ(design::outputs::WithUnit(4.7e-6, "F", 6, Medium::Terminal), "4.7 uF");
    EXPECT_EQ(design::outputs::WithUnit(1e-15, "F", 6, Medium::Terminal), "0.001 pF");
    EXPECT_EQ(design::outputs::WithUnit(1e-15, "F", 6, Medium::Document), "1 fF");
    EXPECT_EQ(design::outputs::WithUnit(999.9999e-6, "F", 6, Medium::Terminal), "1 mF");
}

struct CoordinateRow {
    double value;
    int decimals;
    std::string text;
};

class Coordinates : public testing::TestWithParam<CoordinateRow> { };

TEST_P(Coordinates, dropTrailingZerosAndMinusZero)
{
    EXPECT_EQ(design::outputs::Num(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Coordinates,
    testing::Values(CoordinateRow{40, 1, "40"}, CoordinateRow{12.5, 2, "12.5"},
                    CoordinateRow{12.25, 1, "12.2"},  // the double 12.25 is a tie: to even
                    CoordinateRow{-0.04, 1, "0"}, CoordinateRow{-3.25, 2, "-3.25"},
                    CoordinateRow{100, 2, "100"}, CoordinateRow{0.005, 2, "0.01"},
                    CoordinateRow{1e20, 1, "100000000000000000000"}));

// The f3 and GBW sentences the text and the report share: ASCII for a terminal, symbols
// and fewer GBW digits in a document.
struct SentenceRow {
    std::string (*sentence)(const std::optional<double>&, double, design::outputs::Medium);
    std::optional<double> value;
    double f;
    std::string terminal;
    std::string document;
};

class Sentences : public testing::TestWithParam<SentenceRow> { };

TEST_P(Sentences, sayTheFigureForTheirMedium)
{
    using design::outputs::Medium;
    const SentenceRow& row = GetParam();
    EXPECT_EQ(row.sentence(row.value, row.f, Medium::Terminal), row.terminal);
    EXPECT_EQ(row.sentence(row.value, row.f, Medium::Document), row.document);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Sentences,
    testing::Values(SentenceRow{design::outputs::F3Text, 98.8697, 100, "98.8697 Hz (-1.130 %)",
                                "98.8697 Hz (-1.130 %)"},
                    SentenceRow{design::outputs::F3Text, 2.5e-6, 2.5e-6, "2.5 uHz (+0.000 %)",
                                "2.5 µHz (+0.000 %)"},
                    SentenceRow{design::outputs::F3Text, std::nullopt, 100,
                                "none (no -3 dB crossing)", "none (no \u22123 dB crossing)"},
                    SentenceRow{design::outputs::GbwNeededText, 8281.234, 100,
                                "8.28123 kHz (82.8 f)", "8.281 kHz (82.8 f)"},
                    SentenceRow{design::outputs::GbwNeededText, std::nullopt, 100,
                                "more than 10 MHz", "more than 10 MHz"}));

// ---- The netlist ----

struct NetlistRow {
    std::string name;
    std::vector<std::string_view> args;  // after "design"
    Dialect dialect;
    std::vector<std::string> lines;   // each must appear as a whole line
    std::vector<std::string> absent;  // no line may start with these
};

void PrintTo(const NetlistRow& row, std::ostream* os)
{
    *os << row.name;
}

design::Report ReportOf(std::vector<std::string_view> args)
{
    const cli::DesignArguments parsed = cli::ParseDesignArguments(args);
    const auto& options = std::get<cli::DesignOptions>(parsed);
    return design::MakeReport(options.request, options.opamp, options.tolerance, options.noise);
}

class Netlists : public testing::TestWithParam<NetlistRow> { };

TEST_P(Netlists, holdTheCircuitTheSweepAndTheMeasurement)
{
    const NetlistRow& row = GetParam();
    const std::string netlist = design::outputs::Netlist(ReportOf(row.args), row.dialect);
    const std::vector<std::string> lines = Lines(netlist);
    for (const std::string& want : row.lines)
        EXPECT_NE(std::find(lines.begin(), lines.end(), want), lines.end()) << want << "\n"
                                                                            << netlist;
    for (const std::string& start : row.absent)
        for (const std::string& line : lines)
            EXPECT_NE(line.rfind(start, 0), 0u) << line;
    EXPECT_EQ(lines.front().rfind("* butterworth3-cli design: third-order ", 0), 0u);
    EXPECT_EQ(lines.back(), ".end");
    EXPECT_EQ(netlist.find("µ"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Netlists,
    testing::Values(
        NetlistRow{"lowPassE24Ideal",
                   {"lowpass", "100", "33k", "--series", "E24"},
                   Dialect::Ngspice,
                   {"V1 in 0 AC 1", "Ra in n1 33k", "Rb n1 n2 33k", "Rc n2 inp 33k", "C1 n1 0 68n",
                    "C2 n2 out 160n", "C3 inp 0 10n", "Eop out 0 inp out 1Meg",
                    ".ac dec 1000 1 10k", ".save v(out)",
                    ".meas ac f3 when vm(out)=0.7071068 fall=1",
                    "* predicted -3 dB point f3 (the program's own): 99.08845 Hz (-0.912 % from f)",
                    "* series E24 (standard values), objective balanced"},
                   {"Gop", "Rout", ".meas ac upper"}},
        NetlistRow{"lowPassExactValuesAreTheIdealOnes",
                   {"lowpass", "100", "33k"},
                   Dialect::Ngspice,
                   {"C1 n1 0 67.1656n", "C2 n2 out 171.059n", "C3 inp 0 9.76397n",
                    "* series none (ideal values), objective balanced"},
                   {}},
        NetlistRow{"highPassE96",
                   {"highpass", "100", "10n", "--series", "E96"},
                   Dialect::Ngspice,
                   {"Ca in n1 10n", "Cb n1 n2 10n", "Cc n2 inp 10n", "R1 n1 0 115k",
                    "R2 n2 out 44.2k", "R3 inp 0 787k",
                    ".meas ac f3 when vm(out)=0.7071068 rise=1"},
                   {".meas ac upper"}},
        NetlistRow{"highPassOpAmpMeasuresTheUpperEdgeAndWidensTheSweep",
                   {"highpass", "100", "10n", "--opamp", "100k,200k,100"},
                   Dialect::Ngspice,
                   {"Gop 0 opa inp out 1", "Rop opa 0 200k", "Cop opa 0 1.59155u",
                    "Eop opb 0 opa 0 1", "Rout opb out 100", ".ac dec 1000 1 990.639k",
                    ".meas ac f3 when vm(out)=0.7071068 rise=1",
                    ".meas ac upper when vm(out)=0.7071068 fall=1"},
                   {"Eop out"}},
        NetlistRow{"lowPassOpAmpWithoutRoDrivesTheOutputDirectly",
                   {"lowpass", "1k", "10k", "--opamp", "10Meg"},
                   Dialect::Ngspice,
                   {"Eop out 0 opa 0 1", "Cop opa 0 15.9155n", ".ac dec 1000 10 100k"},
                   {"Rout", ".meas ac upper"}},
        NetlistRow{"moveValueWritesTheChosenR",
                   {"lowpass", "100", "33k", "--series", "E12", "--move-value", "E24"},
                   Dialect::Ngspice,
                   {"Ra in n1 39k", "C1 n1 0 56n", "C2 n2 out 150n", "C3 inp 0 8.2n",
                    "* series E12 (standard values), R moved in E24 to 39k, objective balanced"},
                   {}},
        NetlistRow{"ltspiceTakesMagAndNoSave",
                   {"lowpass", "100", "33k", "--series", "E24"},
                   Dialect::LtSpice,
                   {".meas AC f3 WHEN mag(V(out))=0.7071068 FALL=1"},
                   {".save", ".meas ac"}},
        NetlistRow{"toleranceNeverChangesTheParts",
                   {"lowpass", "100", "33k", "--series", "E24", "--tolerance", "5,5"},
                   Dialect::Ngspice,
                   {"C1 n1 0 68n", "C2 n2 out 160n", "C3 inp 0 10n"},
                   {}}),
    [](const testing::TestParamInfo<NetlistRow>& info) {
        return ParamName(info.index, info.param.name);
    });

// Every part value in the netlist reads back as the part the design built, to 6 digits.
TEST(Netlist, partValuesReadBackAsTheDesignedParts)
{
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {"lowpass", "1.234k", "4k7"},
             {"highpass", "56.7", "3n3", "--series", "E192"},
             {"lowpass", "2M", "1k", "--response", "chebyshev-1"}}) {
        const design::Report report = ReportOf(args);
        const std::vector<std::string> lines =
            Lines(design::outputs::Netlist(report, Dialect::Ngspice));
        std::vector<double> values;
        for (const std::string& line : lines) {
            if (line.empty() || (line[0] != 'R' && line[0] != 'C') || line[1] == 'o')
                continue;
            const std::string value = line.substr(line.rfind(' ') + 1);
            const auto read = design::ReadQuantity(value, design::Unit::None, false);
            ASSERT_TRUE(read) << line;
            values.push_back(*read);
        }
        ASSERT_EQ(values.size(), 6u);
        const design::Parts& parts = report.design.parts;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(values[i] / parts.series[i], 1, 5e-6);
            EXPECT_NEAR(values[3 + i] / parts.shunt[i], 1, 5e-6);
        }
    }
}

// ---- The plot, the schematic and the report ----

std::size_t Count(const std::string& text, std::string_view what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Nothing in a file that runs code, loads anything, or needs a stylesheet from elsewhere.
void ExpectSelfContained(const std::string& markup)
{
    for (const std::string_view banned :
         {"<script", "href", "<link", "<img", "<iframe", "<object", "<embed", "@import", "url(h",
          "url(/", "url(.", "onload", "onclick", "javascript:", "<foreignObject"})
        EXPECT_EQ(markup.find(banned), std::string::npos) << banned;
    // The only address is the SVG namespace, which names and loads nothing.
    EXPECT_EQ(Count(markup, "http"), Count(markup, "http://www.w3.org/2000/svg"));
}

struct PlotRow {
    std::string name;
    std::vector<std::string_view> args;
    std::vector<std::string> texts;  // each must appear in a <text> element
    std::vector<std::string> absentTexts = {};
};

void PrintTo(const PlotRow& row, std::ostream* os)
{
    *os << row.name;
}

class Plots : public testing::TestWithParam<PlotRow> { };

TEST_P(Plots, drawThreePanelsWithTheMarkers)
{
    const PlotRow& row = GetParam();
    const std::string svg = design::outputs::BodePlot(ReportOf(row.args), true);
    EXPECT_LT(svg.size(), 30000u);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    ExpectSelfContained(svg);
    EXPECT_EQ(svg.find("style="), std::string::npos);  // presentation attributes only
    EXPECT_EQ(Count(svg, "<polyline"), 6u);            // target and design in each of three panels
    EXPECT_EQ(Count(svg, "stroke-dasharray=\"6 4\"/>"), 4u);  // the targets and the legend
    EXPECT_EQ(Count(svg, "<clipPath id=\"bode-"), 3u);
    // Every curve holds all its points: four decades at 50 a decade.
    for (std::size_t at = svg.find("points=\""); at != std::string::npos;
         at = svg.find("points=\"", at + 1)) {
        const std::string points = svg.substr(at + 8, svg.find('"', at + 8) - at - 8);
        EXPECT_EQ(Count(points, ","), 201u);
    }
    for (const std::string& text : row.texts)
        EXPECT_NE(svg.find(">" + text + "</text>"), std::string::npos) << text;
    for (const std::string& text : row.absentTexts)
        EXPECT_EQ(svg.find(">" + text + "</text>"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Plots,
    testing::Values(
        PlotRow{"lowPassE24",
                {"lowpass", "100", "33k", "--series", "E24"},
                {"f = 100 Hz", "f3 99.088 Hz (-0.912 %)", "0 dB", "-80 dB", "0°", "-270°", "1 Hz",
                 "10 Hz", "100 Hz", "1 kHz", "10 kHz", "shape error 0.316 dB",
                 "designed: E24 parts, ideal op-amp", "target Butterworth", "0.5", "-0.5"}},
        PlotRow{"highPassPhaseStartsAt270",
                {"highpass", "1k", "10n", "--series", "E96", "--response", "bessel"},
                {"270°", "0°", "10 Hz", "100 kHz", "target Bessel", "f = 1 kHz"},
                {"-0°"}},
        PlotRow{"chebyshevPeakRaisesTheTop",
                {"lowpass", "100", "33k", "--series", "E6", "--response", "chebyshev-1"},
                {"f = 100 Hz", "target Chebyshev 1 dB"}},
        PlotRow{"highPassOpAmpShowsTheUpperEdge",
                {"highpass", "100", "10n", "--opamp", "5k"},
                {"upper edge 4.15 kHz", "designed: exact parts, op-amp GBW 5 kHz", "-90°"}},
        PlotRow{"megahertzLabels",
                {"lowpass", "1Meg", "1k"},
                {"10 kHz", "100 kHz", "1 MHz", "10 MHz", "100 MHz"}}),
    [](const testing::TestParamInfo<PlotRow>& info) {
        return ParamName(info.index, info.param.name);
    });

// The designed curves are the circuit's response: magnitude and phase at every decade,
// read back from the drawing, against FrequencyResponse.
TEST(Plot, curvesFollowTheCircuitsResponse)
{
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {"lowpass", "100", "33k", "--series", "E24"},
             {"lowpass", "2k", "10k", "--opamp", "100k,50k,200"},
             {"highpass", "100", "10n", "--series", "E12", "--opamp", "20k"}}) {
        const design::Report report = ReportOf(args);
        const std::string svg = design::outputs::BodePlot(report, true);
        std::vector<std::vector<std::pair<double, double>>> curves;
        for (std::size_t at = svg.find("points=\""); at != std::string::npos;
             at = svg.find("points=\"", at + 1)) {
            std::istringstream in(svg.substr(at + 8, svg.find('"', at + 8) - at - 8));
            curves.emplace_back();
            double x, y;
            char comma;
            while (in >> x >> comma >> y)
                curves.back().push_back({x, y});
        }
        ASSERT_EQ(curves.size(), 6u);
        const double f = report.design.request.frequency;
        const std::optional<design::OpAmp> opamp =
            report.opamp ? std::optional(report.opamp->opamp) : std::nullopt;
        std::vector<double> db(201);
        for (int i = 0; i <= 200; ++i)
            db[i] = 20 * std::log10(std::abs(design::FrequencyResponse(
                             report.design.request.circuit, report.design.parts,
                             f / 100 * std::pow(10.0, i / 50.0), opamp)));
        // The magnitude panel: its top at y 40, -80 dB at y 230.
        const double top = std::max(0.0, std::ceil(*std::max_element(db.begin(), db.end())));
        for (int i = 0; i <= 200; i += 10) {
            EXPECT_NEAR(curves[1][i].first, 64 + i / 200.0 * 636, 0.051);
            if (db[i] > -80) {
                EXPECT_NEAR(curves[1][i].second, 40 + (top - db[i]) / (top + 80) * 190, 0.051) << i;
            }
        }
    }
}

TEST(Plot, inlineFormHasNoDeclarationAndItsOwnIds)
{
    const std::string svg =
        design::outputs::BodePlot(ReportOf({"lowpass", "100", "33k"}), false, "p2");
    EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
    EXPECT_EQ(Count(svg, "<clipPath id=\"p2-"), 3u);
    EXPECT_EQ(Count(svg, "url(#p2-"), 6u);
}

// The top of the magnitude panel is max(0 dB, the peak rounded up to 1 dB).
TEST(Plot, magnitudeTopFollowsThePeak)
{
    const design::Report report = ReportOf({"lowpass", "100", "33k", "--opamp", "200"});
    double peak = -1e9;
    for (int i = 0; i <= 200; ++i)
        peak = std::max(peak, 20 * std::log10(std::abs(design::FrequencyResponse(
                                       report.design.request.circuit, report.design.parts,
                                       std::pow(10.0, i / 50.0), report.opamp->opamp))));
    ASSERT_GT(peak, 0.5);
    const std::string svg = design::outputs::BodePlot(report, true);
    const std::string top = design::outputs::General(std::ceil(peak), 4) + " dB";
    EXPECT_NE(svg.find("y=\"44\" text-anchor=\"end\">" + top + "</text>"), std::string::npos)
        << top;
}

struct SchematicRow {
    std::vector<std::string_view> args;
    std::vector<std::string> texts;
};

class Schematics : public testing::TestWithParam<SchematicRow> { };

TEST_P(Schematics, writeEachValueAtItsPart)
{
    const std::string svg = design::outputs::SchematicSvg(ReportOf(GetParam().args));
    ExpectSelfContained(svg);
    for (const std::string& text : GetParam().texts)
        EXPECT_EQ(Count(svg, ">" + text + "</text>"), 1u) << text << "\n" << svg;
    EXPECT_EQ(Count(svg, "<circle"), 5u);  // three junctions, the feedback tap, the output
    EXPECT_EQ(Count(svg, "<line"), 2u);    // the amplifier's slanted sides
}

INSTANTIATE_TEST_SUITE_P(Table, Schematics,
                         testing::Values(SchematicRow{{"lowpass", "100", "33k", "--series", "E24"},
                                                      {"In", "Out", "Ra", "Rb", "Rc", "C1", "C2",
                                                       "C3", "68 nF", "160 nF", "10 nF"}},
                                         SchematicRow{{"highpass", "100", "10n", "--series", "E96"},
                                                      {"Ca", "Cb", "Cc", "R1", "R2", "R3", "115 kΩ",
                                                       "44.2 kΩ", "787 kΩ"}},
                                         SchematicRow{{"lowpass", "100", "33k"},
                                                      {"67.17 nF", "171.1 nF", "9.764 nF"}}));

// The report names what the design is and keeps every text from becoming markup.
TEST(Report, escapesTheCommandLineAsTyped)
{
    const std::vector<std::string_view> args = {
        "lowpass",      "100",    "33k",
        "--series",     "E24",    "--svg",
        "a<b>&\"c.svg", "--html", "<script>x</script>.html"};
    const std::string html =
        design::outputs::HtmlReport(ReportOf({"lowpass", "100", "33k", "--series", "E24"}),
                                    cli::CommandLineOf(args), Dialect::Ngspice);
    ExpectSelfContained(html);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_EQ(html.find("a<b"), std::string::npos);
    EXPECT_NE(html.find("--svg &#39;a&lt;b&gt;&amp;&quot;c.svg&#39; --html "
                        "&#39;&lt;script&gt;x&lt;/script&gt;.html&#39;"),
              std::string::npos);
}

// A command line with bytes a page cannot hold or that would reorder it shows what it holds.
TEST(Report, showsAHostileCommandLineSafely)
{
    const std::string line =
        "butterworth3-cli design lowpass 100 33k --svg '\xff\x1b[2J\u202egvs.cir\n\x01'";
    const std::string html =
        design::outputs::HtmlReport(ReportOf({"lowpass", "100", "33k"}), line, Dialect::Ngspice);
    EXPECT_NE(html.find("<code>butterworth3-cli design lowpass 100 33k --svg "
                        "&#39;\uFFFD\\x1b[2J\\u202egvs.cir\\n\\x01&#39;</code>"),
              std::string::npos);
    for (const std::string raw : {"\xff", "\x1b", "\u202e", "\x01"})
        EXPECT_EQ(html.find(raw), std::string::npos) << "a raw byte in the page";
}

struct ReportRow {
    std::string name;
    std::vector<std::string_view> args;
    std::vector<std::string> texts;  // each must appear
    std::vector<std::string> absent;
};

void PrintTo(const ReportRow& row, std::ostream* os)
{
    *os << row.name;
}

class Reports : public testing::TestWithParam<ReportRow> { };

TEST_P(Reports, holdTheFiguresAskedFor)
{
    const ReportRow& row = GetParam();
    const design::Report report = ReportOf(row.args);
    const std::string html =
        design::outputs::HtmlReport(report, cli::CommandLineOf(row.args), Dialect::Ngspice);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n<html lang=\"en\">", 0), 0u);
    ExpectSelfContained(html);
    EXPECT_NE(html.find("font-family: \"DejaVu Sans\""), std::string::npos);
    EXPECT_NE(html.find("\"DejaVu Sans Mono\""), std::string::npos);
    EXPECT_NE(html.find("@page { size: A4;"), std::string::npos);
    EXPECT_EQ(Count(html, "<svg "), 3u);  // the schematic, the Bode plot, the step plot
    // The netlist, escaped, in a <pre> block.
    EXPECT_NE(
        html.find("<pre>" +
                  design::outputs::Escape(design::outputs::Netlist(report, Dialect::Ngspice)) +
                  "</pre>"),
        std::string::npos);
    for (const std::string& text : row.texts)
        EXPECT_NE(html.find(text), std::string::npos) << text;
    for (const std::string& text : row.absent)
        EXPECT_EQ(html.find(text), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Reports,
    testing::Values(ReportRow{"lowPassE24",
                              {"lowpass", "100", "33k", "--series", "E24"},
                              {"<h1>Third-order low-pass filter, Butterworth, 100 Hz</h1>",
                               "<td>C2 (to the output)</td><td class=\"n\">171.059 nF</td><td "
                               "class=\"n\">160 nF</td><td class=\"n\">-6.465 %</td>",
                               "99.0884 Hz (-0.912 %)", "0.316 dB", "<td class=\"n\">64</td>",
                               "98.8697 Hz (-1.130 %)", "The op-amp is ideal", "Shape error is",
                               "butterworth3-cli design lowpass 100 33k --series E24",
                               "Group delay and step response</h2>", "Aligned shape error is",
                               "<td>aligned shape error</td>", "<td>group delay at DC</td>"},
                              {"Op-amp</h2>", "Tolerance</h2>", "class=\"warn\"", "ripple band",
                               "stop-band (dB)"}},
                    ReportRow{"highPassWithEverything",
                              {"highpass", "100", "10n", "--series", "E24", "--move-value", "E12",
                               "--response", "chebyshev-0.5", "--opamp", "1Meg,100k,50",
                               "--tolerance", "1,5"},
                              {"High-pass filter, Chebyshev 0.5 dB", "C chosen", "Op-amp</h2>",
                               "upper edge", "GBW for f3 within 0.1 %", "Tolerance</h2>",
                               "R 1 %, C 5 %", "ripple band ends at", "single pole",
                               "<h2>Step response</h2>", "step undershoot", "worst of 64 corners",
                               "aligned shape error (to upper edge / 10)"},
                              {"window's f3", "group delay"}},
                    ReportRow{"stopBandFloor",
                              {"lowpass", "1k", "10k", "--opamp", "1Meg,200k,100"},
                              {"stop-band (dB)", "-102.9, -106.0, -123.1 dB"},
                              {}},
                    ReportRow{"impracticalPartsAreMarked",
                              {"lowpass", "100", "100"},
                              {"<td class=\"warn\">← !</td>", "! impractical"},
                              {}}),
    [](const testing::TestParamInfo<ReportRow>& info) {
        return ParamName(info.index, info.param.name);
    });

// The checks deck: the netlist's circuit, a step source and the op-amp's noise sources.
TEST(CheckDeck, holdsTheNetlistsPartsAndTheAnalyses)
{
    const std::vector<std::string_view> args = {
        "lowpass",       "1k",     "10k",         "--opamp", "1Meg,200k,100",
        "--opamp-noise", "10n,1p", "--tolerance", "1,1"};
    const design::Report report = ReportOf(args);
    const std::string deck = design::outputs::CheckDeck(report);
    const std::string netlist = design::outputs::Netlist(report, Dialect::Ngspice);
    for (const char* line : {"Ra in n1 10k\n", "C2 n2 out 56.4494n\n", "Rout opb out 100\n"}) {
        EXPECT_NE(netlist.find(line), std::string::npos) << line;
        EXPECT_NE(deck.find(line), std::string::npos) << line;
    }
    EXPECT_NE(deck.find("Gop 0 opa inq out 1\nRop"), std::string::npos);  // EN before the + input
    EXPECT_NE(deck.find("Een inq inp nen 0 1\n"), std::string::npos);
    EXPECT_NE(deck.find("PULSE(0 1 0 "), std::string::npos);
    for (const char* analysis : {"noise v(out) V1 dec 1000 10 100000\n", "print delay_dc\n",
                                 "print stop_100f stop_1000f stop_10000f\n", "wrdata step.txt"})
        EXPECT_NE(deck.find(analysis), std::string::npos) << analysis;
    // The corners are the ideal follower's: not run on the op-amp model.
    EXPECT_EQ(deck.find("corner_low"), std::string::npos);
    const std::string ideal =
        design::outputs::CheckDeck(ReportOf({"highpass", "1k", "10n", "--tolerance", "1,1"}));
    EXPECT_NE(ideal.find("meas ac corner_low when vm(out)=0.7071068 rise=1\n"), std::string::npos);
    EXPECT_EQ(ideal.find("delay_dc"), std::string::npos);  // a high-pass has no DC delay
}

// ---- Files ----

TEST(DesignFiles, writeTheNetlistAndLeaveTheTextAsItWas)
{
    TempFolder folder;
    const std::string file = (folder.path() / "lp.cir").string();
    const Ran plain = RunCli({"design", "lowpass", "100", "33k", "--series", "E24"});
    const Ran with =
        RunCli({"design", "lowpass", "100", "33k", "--series", "E24", "--spice", file});
    EXPECT_EQ(with.code, 0) << with.err;
    EXPECT_EQ(with.out, plain.out);
    EXPECT_EQ(ReadFile(file),
              design::outputs::Netlist(ReportOf({"lowpass", "100", "33k", "--series", "E24"}),
                                       Dialect::Ngspice));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"lp.cir"});  // no temporary left
}

TEST(DesignFiles, dashIsStandardOutputInPlaceOfTheText)
{
    const Ran ran =
        RunCli({"design", "highpass", "100", "10n", "--spice", "-", "--dialect", "ltspice"});
    EXPECT_EQ(ran.code, 0);
    EXPECT_EQ(ran.err, "");
    EXPECT_EQ(ran.out,
              design::outputs::Netlist(ReportOf({"highpass", "100", "10n"}), Dialect::LtSpice));
}

TEST(DesignFiles, replaceAnExistingFileWhole)
{
    TempFolder folder;
    const fs::path file = folder.path() / "old.cir";
    std::ofstream(file) << std::string(100000, '~');
    EXPECT_EQ(RunCli({"design", "lowpass", "100", "33k", "--spice", file.string()}).code, 0);
    EXPECT_EQ(ReadFile(file).rfind("* butterworth3-cli design", 0), 0u);
    EXPECT_EQ(ReadFile(file).find('~'), std::string::npos);
}

struct UnwritableRow {
    std::string name;
    std::string path;  // under the test's folder; "{}" stands for the folder itself
};

class UnwritableFiles : public testing::TestWithParam<UnwritableRow> { };

TEST_P(UnwritableFiles, giveOneLineExitThreeAndNoFile)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "dir");
    std::ofstream(folder.path() / "plain") << "x";
    const std::string good = (folder.path() / "good.cir").string();
    const std::string bad = (folder.path() / GetParam().path).string();
    const Ran ran = RunCli({"design", "lowpass", "100", "33k", "--spice", good, "--html",
                            (folder.path() / "good.html").string(), "--svg", bad});
    EXPECT_EQ(ran.code, cli::FileExitCode);
    EXPECT_EQ(ran.out, "");
    EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
    EXPECT_NE(ran.err.find("--svg '" + bad + "': cannot write"), std::string::npos) << ran.err;
    // Nothing written: not even the file that could have been.
    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"dir", "plain"}));
}

INSTANTIATE_TEST_SUITE_P(Table, UnwritableFiles,
                         testing::Values(UnwritableRow{"missingFolder", "missing/plot.svg"},
                                         UnwritableRow{"aFolder", "dir"},
                                         UnwritableRow{"endsInSlash", "dir/"},
                                         UnwritableRow{"underAPlainFile", "plain/plot.svg"}),
                         [](const testing::TestParamInfo<UnwritableRow>& info) {
                             return ParamName(info.index, info.param.name);
                         });

struct RefusedRow {
    std::string name;
    std::vector<std::string_view> args;
    std::string message;
};

class RefusedFileOptions : public testing::TestWithParam<RefusedRow> { };

TEST_P(RefusedFileOptions, areUsageErrors)
{
    const Ran ran = RunCli(GetParam().args);
    EXPECT_EQ(ran.code, 2);
    EXPECT_EQ(ran.out, "");
    EXPECT_NE(ran.err.find(GetParam().message), std::string::npos) << ran.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedFileOptions,
    testing::Values(RefusedRow{"twoOnStandardOutput",
                               {"design", "lowpass", "100", "33k", "--spice", "-", "--svg", "-"},
                               "standard output for one of"},
                    RefusedRow{"dashWithJson",
                               {"design", "lowpass", "100", "33k", "--html", "-", "--json"},
                               "expected a file name with --json"},
                    RefusedRow{"dialectWithoutSpice",
                               {"design", "lowpass", "100", "33k", "--dialect", "ltspice"},
                               "--dialect 'ltspice': expected --spice as well"},
                    RefusedRow{
                        "unknownDialect",
                        {"design", "lowpass", "100", "33k", "--spice", "-", "--dialect", "pspice"},
                        "expected ngspice or ltspice"},
                    RefusedRow{"emptyFileName",
                               {"design", "lowpass", "100", "33k", "--svg="},
                               "--svg '': expected a file name"},
                    RefusedRow{"missingFileName",
                               {"design", "lowpass", "100", "33k", "--html"},
                               "--html: expected a value after it"}),
    [](const testing::TestParamInfo<RefusedRow>& info) {
        return ParamName(info.index, info.param.name);
    });

// Designs at the ends of the ranges, where a step or a delay does not compute in doubles
// (poles 1e35 apart, an op-amp of gain 1 with RO 1e29): every output, in every form, holds
// "n/a" or a gap in a curve rather than a NaN or an infinity.
struct ExtremeRow {
    const char* name;
    std::vector<std::string_view> args;
};

void PrintTo(const ExtremeRow& row, std::ostream* out)
{
    *out << row.name;
}

class Extremes : public testing::TestWithParam<ExtremeRow> { };

TEST_P(Extremes, writeNoNanOrInfinity)
{
    const std::regex notANumber(R"(\b(nan|inf|infinity)\b)", std::regex::icase);
    for (const std::vector<std::string_view>& form : {std::vector<std::string_view>{},
                                                      {"--json"},
                                                      {"--html", "-"},
                                                      {"--svg", "-"},
                                                      {"--spice", "-"}}) {
        std::vector<std::string_view> args = GetParam().args;
        args.insert(args.end(), form.begin(), form.end());
        const Ran ran = RunCli(args);
        ASSERT_EQ(ran.code, 0) << ran.err;
        std::smatch found;
        EXPECT_FALSE(std::regex_search(ran.out, found, notANumber))
            << (form.empty() ? "text" : form[0]) << ": "
            << ran.out.substr(static_cast<std::size_t>(std::max<long>(found.position() - 60, 0)),
                              120);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Extremes, testing::Values(
    ExtremeRow{"lowFrequencyWithTolerances", {"design", "lowpass", "1e-29", "33k", "--series", "E96",
        "--opamp", "1.5Meg,200k,100", "--tolerance", "0.5%,1%", "--seed", "0", "--samples", "200"}},
    ExtremeRow{"gainOfOneAndHugeOutputResistance", {"design", "lowpass", "1", "33k", "--opamp", "1e29,1,1e29"}},
    ExtremeRow{"besselWithGainOfOne", {"design", "lowpass", "100", "33k", "--opamp", "1e29,1,1e29",
        "--response", "bessel"}},
    ExtremeRow{"chebyshevPassbandEdge", {"design", "lowpass", "1e6", "33k", "--opamp", "1e29,1,1e29",
        "--response", "chebyshev-1", "--frequency-is", "passband-edge"}},
    ExtremeRow{"highPassLowestFrequencyLargestC", {"design", "highpass", "1e-29", "1e29", "--opamp", "1e29,1,1e29"}},
    ExtremeRow{"highPassSlowOpAmp", {"design", "highpass", "1e-10", "1e29", "--opamp", "1.5Meg,200k,100"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CommandLine, quotesWhatAShellWouldSplitOrExpand)
{
    const std::vector<std::string_view> args = {
        "lowpass", "100", "33kΩ", "--svg", "a<b>&\"c.svg", "--html", "it's here.html", "--spice="};
    EXPECT_EQ(cli::CommandLineOf(args),
              "butterworth3-cli design lowpass 100 33kΩ --svg 'a<b>&\"c.svg' --html 'it'\\''s "
              "here.html' --spice=");
}

// The real program with its standard descriptors closed: the netlist goes to the file and
// nowhere else, and the text that had nowhere to go is reported as lost (status 3).
TEST(DesignProgram, writesTheFileWithStandardDescriptorsClosed)
{
    TempFolder folder;
    const fs::path file = folder.path() / "closed.cir";
    const std::string command = "exec 0<&- 1>&- 2>&-; '" + std::string(BUTTERWORTH3_CLI_PATH) +
                                "' design lowpass 100 33k --series E24 --spice '" + file.string() +
                                "'";
    const int status = std::system(("sh -c \"" + command + "\"").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(ReadFile(file),
              design::outputs::Netlist(ReportOf({"lowpass", "100", "33k", "--series", "E24"}),
                                       Dialect::Ngspice));
}

}  // namespace
