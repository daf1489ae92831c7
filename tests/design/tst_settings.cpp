// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A design's settings: what each setting accepts and refuses and which setting a problem
// names; that they read to what the design command reads from their arguments; and the
// mapping to those arguments and back.
#include <functional>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/design_options.h"
#include "design/double_text.h"
#include "design/settings_arguments.h"

namespace design {
namespace {

using Set = std::function<void(Settings&)>;

std::string CommandOf(const Settings& settings)
{
    std::string line;
    for (const std::string& arg : ArgumentsOf(settings))
        line += (line.empty() ? "" : " ") + arg;
    return line;
}

// Every number design inputs hold, to compare two and to show the difference.
std::string Described(const DesignInputs& s)
{
    std::ostringstream out;
    const auto number = [&out](double x) { out << ShortestDoubleText(x) << ' '; };
    const Request& r = s.request;
    out << int(r.circuit) << int(r.response) << int(r.coefficients) << ' ';
    number(r.frequency);
    number(r.value);
    out << (r.series ? int(*r.series) : -1) << (r.moveSeries ? int(*r.moveSeries) : -1) << ' '
        << r.moveSteps << int(r.objective) << ' ';
    number(r.passbandEdge.value_or(-1));
    if (s.opamp) {
        out << "opamp ";
        for (const double x : {s.opamp->gbw, s.opamp->a0, s.opamp->ro})
            number(x);
    }
    if (s.tolerance) {
        out << "tolerance ";
        number(s.tolerance->resistors);
        number(s.tolerance->capacitors);
        out << s.tolerance->samples << ' ' << s.tolerance->seed << ' '
            << int(s.tolerance->distribution) << ' ';
    }
    if (s.noise.opamp) {
        out << "noise ";
        number(s.noise.opamp->voltage);
        number(s.noise.opamp->current);
    }
    if (s.noise.band) {
        out << "band ";
        number(s.noise.band->from);
        number(s.noise.band->to);
    }
    for (const double at : s.attenuationAt) {
        out << "at ";
        number(at);
    }
    return out.str();
}

struct ProblemRow {
    Set set;
    Setting setting;
    Expectation expected;
};

// Each setting's refusals, and the setting a problem of several names.
const ProblemRow ProblemRows[] = {
    {[](Settings& s) { s.frequency = "abc"; }, Setting::Frequency, Expectation::Frequency},
    {[](Settings& s) { s.frequency = "-h"; }, Setting::Frequency, Expectation::Frequency},
    {[](Settings& s) { s.frequency = ""; }, Setting::Frequency, Expectation::Frequency},
    {[](Settings& s) { s.Value() = "0"; }, Setting::Value, Expectation::Resistance},
    {[](Settings& s) { s.circuit = Circuit::HighPass, s.Value() = "10 kΩ"; }, Setting::Value,
     Expectation::Capacitance},
    {[](Settings& s) { s.frequency = "1e29"; }, Setting::Value, Expectation::PartsInRange},
    {[](Settings& s) { s.series = Series::E24, s.moveSeries = Series::E6, s.moveSteps = "99"; },
     Setting::MoveSteps, Expectation::MoveSteps},
    {[](Settings& s) { s.series = Series::E24, s.moveSeries = Series::E6, s.moveSteps = "2.5"; },
     Setting::MoveSteps, Expectation::MoveSteps},
    {[](Settings& s) { s.gbw = "fast"; }, Setting::Gbw, Expectation::Gbw},
    {[](Settings& s) { s.gbw = "50"; }, Setting::Gbw, Expectation::GbwAboveFrequency},
    {[](Settings& s) { s.a0 = "100k"; }, Setting::Gbw, Expectation::GbwWithGain},
    {[](Settings& s) { s.ro = "75"; }, Setting::Gbw, Expectation::GbwWithGain},
    {[](Settings& s) { s.gbw = "1Meg", s.a0 = "0,5"; }, Setting::A0, Expectation::Gain},
    {[](Settings& s) { s.gbw = "1Meg", s.ro = "x"; }, Setting::Ro, Expectation::OutputResistance},
    {[](Settings& s) { s.noiseVoltage = "x"; }, Setting::NoiseVoltage, Expectation::NoiseVoltage},
    {[](Settings& s) { s.noiseVoltage = "10n", s.noiseCurrent = "2"; }, Setting::NoiseCurrent,
     Expectation::NoiseCurrent},
    {[](Settings& s) { s.bandFrom = "0"; }, Setting::BandFrom, Expectation::BandFrom},
    {[](Settings& s) { s.bandFrom = "20k", s.bandTo = "20"; }, Setting::BandTo,
     Expectation::BandTo},
    {[](Settings& s) { s.bandFrom = "20k"; }, Setting::BandTo, Expectation::BandTo},  // 100 f
    {[](Settings& s) { s.circuit = Circuit::HighPass, s.gbw = "1Meg", s.bandFrom = "20"; },
     Setting::BandTo, Expectation::BandToWithOpAmp},
    {[](Settings& s) { s.circuit = Circuit::HighPass, s.gbw = "1Meg", s.bandFrom = "x"; },
     Setting::BandFrom, Expectation::BandFrom},
    {[](Settings& s) { s.attenuationAt = "24k; x"; }, Setting::AttenuationAt,
     Expectation::AttenuationAt},
    {[](Settings& s) { s.attenuationAt = "0"; }, Setting::AttenuationAt,
     Expectation::AttenuationAt},
    {[](Settings& s) { s.attenuationAt = "1;2;3;4;5;6;7;8;9"; }, Setting::AttenuationAt,
     Expectation::AttenuationAt},  // one more than the outputs list
    {[](Settings& s) { s.toleranceR = "x", s.toleranceC = "5"; }, Setting::ToleranceR,
     Expectation::Tolerance},
    {[](Settings& s) { s.toleranceR = "1", s.toleranceC = "40"; }, Setting::ToleranceC,
     Expectation::Tolerance},
    {[](Settings& s) { s.toleranceR = "1", s.samples = "0"; }, Setting::Samples,
     Expectation::Samples},
    {[](Settings& s) { s.toleranceR = "1", s.seed = "-1"; }, Setting::Seed, Expectation::Seed},
    // The first in the form's order.
    {[](Settings& s) { s.seed = "x", s.toleranceR = "x", s.gbw = "x", s.Value() = "x"; },
     Setting::Value, Expectation::Resistance},
};

TEST(Settings, AProblemNamesTheSettingToChange)
{
    for (const ProblemRow& row : ProblemRows) {
        Settings settings;
        row.set(settings);
        const auto read = Read(settings);
        const auto* problem = std::get_if<SettingProblem>(&read);
        ASSERT_NE(problem, nullptr) << CommandOf(settings);
        EXPECT_EQ(problem->setting, row.setting) << CommandOf(settings) << ": " << Words(*problem);
        EXPECT_EQ(problem->expected, row.expected)
            << CommandOf(settings) << ": " << Words(*problem);
    }
}

TEST(Settings, WordsNameTheNumberTheyCompareWith)
{
    Settings settings;
    settings.bandFrom = "20k";
    settings.bandTo = "2k";
    EXPECT_EQ(Words(std::get<SettingProblem>(Read(settings))),
              "expected a frequency above the band's start of 20000 Hz, up to 1e30 Hz");
    settings = {};
    settings.response = ResponseKind::Chebyshev1;
    settings.frequencyIsPassbandEdge = true;
    settings.gbw = "50";
    const auto problem = std::get<SettingProblem>(Read(settings));
    EXPECT_EQ(problem.expected, Expectation::GbwAboveFrequency);
    EXPECT_GT(problem.bound, 100) << "the f3 of a ripple band ending at 100 Hz";
}

// Settings the form may hold, each read as the companion reads its arguments.
const Set Agreeing[] = {
    [](Settings&) {},
    [](Settings& s) { s.circuit = Circuit::HighPass, s.frequency = "2,5k"; },
    [](Settings& s) { s.frequency = "1 kHz", s.Value() = "4k7"; },
    [](Settings& s) { s.response = ResponseKind::Bessel, s.series = Series::E96; },
    [](Settings& s) {
        s.series = Series::E192, s.moveSeries = Series::E24, s.moveSteps = "3";
        s.objective = Objective::Shape;
    },
    [](Settings& s) { s.coefficients = Coefficients::Window; },
    [](Settings& s) { s.coefficients = Coefficients::Window, s.response = ResponseKind::Bessel; },
    [](Settings& s) { s.response = ResponseKind::Chebyshev05, s.frequencyIsPassbandEdge = true; },
    [](Settings& s) { s.frequencyIsPassbandEdge = true; },  // off for Butterworth
    [](Settings& s) { s.moveSeries = Series::E6, s.objective = Objective::Shape; },  // no series
    [](Settings& s) { s.gbw = "1,5Meg"; },
    [](Settings& s) { s.gbw = "1Meg", s.ro = "100"; },
    [](Settings& s) { s.gbw = "1Meg", s.a0 = "1e5", s.ro = "0"; },
    [](Settings& s) { s.toleranceR = "0,5 %", s.samples = "1000", s.seed = "7"; },
    [](Settings& s) { s.toleranceC = "5%", s.distribution = Distribution::Normal; },
    [](Settings& s) { s.samples = "1000", s.seed = "7"; },  // no tolerance: not applied
    [](Settings& s) { s.noiseVoltage = "10n", s.bandFrom = "20", s.bandTo = "20k"; },
    [](Settings& s) { s.noiseCurrent = "1p"; },
    // Each frequency its own --at, a ';' left before the next one passed over.
    [](Settings& s) { s.attenuationAt = " 24k ;50;; 1,5Meg;"; },
    [](Settings& s) { s.attenuationAt = "1;2;3;4;5;6;7;8"; },
    // An empty end of the band is the number it shows, of the f3 the frequency names.
    [](Settings& s) { s.bandTo = "20k"; },
    [](Settings& s) { s.bandFrom = "3"; },
    [](Settings& s) { s.circuit = Circuit::HighPass, s.bandTo = "1Meg", s.gbw = "10Meg"; },
    [](Settings& s) {
        s.response = ResponseKind::Chebyshev1, s.frequencyIsPassbandEdge = true;
        s.bandTo = "1k";
    },
    // And what both refuse.
    [](Settings& s) { s.frequency = "0"; },
    [](Settings& s) { s.gbw = "50"; },
    [](Settings& s) { s.toleranceR = "31"; },
    [](Settings& s) { s.noiseVoltage = "1.5"; },
    [](Settings& s) { s.series = Series::E3, s.moveSeries = Series::E3, s.moveSteps = "51"; },
};

TEST(Settings, ReadAsTheDesignCommandReadsTheirArguments)
{
    for (const Set& set : Agreeing) {
        Settings settings;
        set(settings);
        const std::vector<std::string> args = ArgumentsOf(settings);
        const std::vector<std::string_view> views(args.begin(), args.end());
        const cli::DesignArguments companion = cli::ParseDesignArguments(views);
        const auto read = Read(settings);
        const auto* options = std::get_if<cli::DesignOptions>(&companion);
        const auto* inputs = std::get_if<DesignInputs>(&read);
        ASSERT_EQ(options != nullptr, inputs != nullptr) << CommandOf(settings);
        if (!options)
            continue;
        EXPECT_EQ(Described(*inputs),
                  Described({options->request, options->opamp, options->tolerance, options->noise,
                             options->attenuationAt}))
            << CommandOf(settings);
    }
}

TEST(Settings, ArgumentsReadBackIntoSettingsOfTheSameDesign)
{
    for (const Set& set : Agreeing) {
        Settings settings;
        set(settings);
        const std::vector<std::string> args = ArgumentsOf(settings);
        const std::vector<std::string_view> views(args.begin(), args.end());
        const auto back = SettingsFromArguments(views);
        ASSERT_TRUE(std::holds_alternative<Settings>(back)) << CommandOf(settings);
        EXPECT_EQ(ArgumentsOf(std::get<Settings>(back)), args);
    }
}

// Last designs as the designer has kept them, as its fields held them.
TEST(Settings, KeptArgumentsLoadAsTheFieldsHeldThem)
{
    const struct {
        std::vector<std::string_view> kept;
        Set fields;
    } rows[] = {
        {{"lowpass", "100", "33k"}, [](Settings&) {}},
        {{"highpass", "2.5k", "4n7", "--series", "E12", "--move-value", "E6:3", "--objective",
          "shape"},
         [](Settings& s) {
             s.circuit = Circuit::HighPass, s.frequency = "2.5k", s.Value() = "4n7";
             s.series = Series::E12, s.moveSeries = Series::E6, s.moveSteps = "3";
             s.objective = Objective::Shape;
         }},
        {{"lowpass", "100", "33k", "--opamp", "1Meg,200k,100", "--tolerance", "0.5,0", "--samples",
          "1000", "--seed", "7", "--distribution", "normal"},
         [](Settings& s) {
             s.gbw = "1Meg", s.a0 = "200k", s.ro = "100";
             s.toleranceR = "0.5", s.toleranceC = "0", s.samples = "1000", s.seed = "7";
             s.distribution = Distribution::Normal;
         }},
        {{"lowpass", "100", "33k", "--response", "chebyshev-1", "--frequency-is", "passband-edge",
          "--opamp-noise", "10n,0", "--noise-band", "20:20k"},
         [](Settings& s) {
             s.response = ResponseKind::Chebyshev1, s.frequencyIsPassbandEdge = true;
             s.noiseVoltage = "10n", s.noiseCurrent = "0", s.bandFrom = "20", s.bandTo = "20k";
         }},
        {{"lowpass", "100", "33k", "--tolerance=1%,5%", "--coefficients=window"},
         [](Settings& s) {
             s.toleranceR = "1%", s.toleranceC = "5%", s.coefficients = Coefficients::Window;
         }},
    };
    for (const auto& row : rows) {
        Settings fields;
        row.fields(fields);
        const auto loaded = SettingsFromArguments(row.kept);
        ASSERT_TRUE(std::holds_alternative<Settings>(loaded)) << row.kept.back();
        EXPECT_EQ(std::get<Settings>(loaded), fields) << row.kept.back();
    }
}

TEST(Settings, ArgumentsThatNameNoSettingAreRefused)
{
    const struct {
        std::vector<std::string_view> args;
        std::string_view argument;
        std::string_view why;
    } rows[] = {
        {{"lowpass", "100"}, "", "expected CIRCUIT FREQUENCY VALUE"},
        {{"lowpass", "100", "33k", "x"}, "x", "expected no more than"},
        {{"bandpass", "100", "33k"}, "bandpass", "expected lowpass or highpass"},
        {{"lowpass", "100", "33k", "--spice", "a.cir"}, "--spice", "expected no output option"},
        {{"lowpass", "100", "33k", "--json"}, "--json", "expected no output option"},
        {{"lowpass", "100", "33k", "--nosuch"}, "--nosuch", "unknown option"},
        {{"lowpass", "100", "33k", "--series"}, "--series", "expected a value after it"},
        {{"lowpass", "100", "33k", "--seed", "1", "--seed=2"}, "--seed", "expected once"},
        {{"lowpass", "100", "33k", "--response", "elliptic"},
         "--response elliptic",
         "expected butterworth, bessel, chebyshev-0.5 or chebyshev-1"},
        {{"lowpass", "100", "33k", "--opamp", "1,2,3,4"},
         "--opamp 1,2,3,4",
         "expected GBW[,A0[,RO]]"},
        {{"lowpass", "100", "33k", "--tolerance", "1"}, "--tolerance 1", "expected R%,C%"},
        {{"lowpass", "100", "33k", "--noise-band", "20"}, "--noise-band 20", "expected F1:F2"},
        {{"lowpass", "100", "33k", "--move-value", "E24", "--series", "E12:3"},
         "--series E12:3",
         "expected E3"},
        {{"lowpass", "100", "33k", "--move-value", "E24"},
         "--move-value",
         "expected --series as well"},
        {{"lowpass", "100", "33k", "--frequency-is", "passband-edge"},
         "--frequency-is",
         "expected --response chebyshev-0.5 or chebyshev-1"},
        {{"lowpass", "100", "33k", "--response", "bessel", "--coefficients", "window"},
         "--coefficients",
         "expected --response butterworth"},
    };
    for (const auto& row : rows) {
        const auto read = SettingsFromArguments(row.args);
        const auto* problem = std::get_if<ArgumentProblem>(&read);
        ASSERT_NE(problem, nullptr) << row.why;
        EXPECT_EQ(problem->argument, row.argument);
        EXPECT_TRUE(problem->why.starts_with(row.why)) << problem->why;
    }
    // A number may start with a minus, and after "--" anything is positional.
    const std::vector<std::string_view> negative = {"lowpass", "--", "-100", "33k"};
    const auto read = SettingsFromArguments(negative);
    ASSERT_TRUE(std::holds_alternative<Settings>(read));
    EXPECT_EQ(std::get<Settings>(read).frequency, "-100");
}

// The companion's options that name settings are the ones the settings' mapping reads, so
// that a new option reaches the window, a stored design and a link, or is refused there as
// an output.
TEST(Settings, EveryOptionOfTheCompanionIsASettingOrAnOutput)
{
    const std::set<std::string_view> outputs = {"--json", "--spice", "--dialect",
                                                "--svg",  "--html",  "--spice-checks"};
    for (const cli::DesignOption& option : cli::DesignOptionTable()) {
        if (option.name == "--help")
            continue;  // a program's own, asked before any design is read
        const std::string value =
            option.choices.empty() ? std::string("1") : std::string(option.choices.back());
        const std::string arg = std::string(option.name) + "=" + value;
        const std::vector<std::string_view> args = {"lowpass", "100", "33k", arg};
        const auto read = SettingsFromArguments(args);
        const auto* problem = std::get_if<ArgumentProblem>(&read);
        if (outputs.contains(option.name))
            EXPECT_TRUE(problem && !problem->why.starts_with("unknown")) << option.name;
        else
            EXPECT_FALSE(problem && problem->why.starts_with("unknown")) << option.name;
    }
}

}  // namespace
}  // namespace design
