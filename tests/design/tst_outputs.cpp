// The design command's files: the SPICE netlist (values, nodes, op-amp, sweep and
// measurement in each dialect), the Bode plot and the report (self-contained, escaped), and
// how files are written (whole or not at all, "-" for standard output).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/design_command.h"
#include "design/outputs/markup.h"
#include "design/outputs/netlist.h"
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
    return design::MakeReport(options.request, options.opamp, options.tolerance);
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
    const std::string bad = (folder.path() / GetParam().path).string();
    const Ran ran = RunCli({"design", "lowpass", "100", "33k", "--spice", bad});
    EXPECT_EQ(ran.code, cli::FileExitCode);
    EXPECT_EQ(ran.out, "");
    EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
    EXPECT_NE(ran.err.find("--spice '" + bad + "': cannot write"), std::string::npos) << ran.err;
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

TEST(CommandLine, quotesWhatAShellWouldSplitOrExpand)
{
    const std::vector<std::string_view> args = {
        "lowpass", "100", "33kΩ", "--svg", "a<b>&\"c.svg", "--html", "it's here.html", "--spice="};
    EXPECT_EQ(cli::CommandLineOf(args),
              "butterworth3-cli design lowpass 100 33kΩ --svg 'a<b>&\"c.svg' --html 'it'\\''s "
              "here.html' --spice=");
}

// The real program with its standard descriptors closed: the netlist goes to the file and
// nowhere else, and the program still reports success.
TEST(DesignProgram, writesTheFileWithStandardDescriptorsClosed)
{
    TempFolder folder;
    const fs::path file = folder.path() / "closed.cir";
    const std::string command = "exec 0<&- 1>&- 2>&-; '" + std::string(BUTTERWORTH3_CLI_PATH) +
                                "' design lowpass 100 33k --series E24 --spice '" + file.string() +
                                "'";
    const int status = std::system(("sh -c \"" + command + "\"").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(file),
              design::outputs::Netlist(ReportOf({"lowpass", "100", "33k", "--series", "E24"}),
                                       Dialect::Ngspice));
}

}  // namespace
