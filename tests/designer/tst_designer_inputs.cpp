// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer's command line, and its fields as the design command's: what the copied
// command line says, and what the program's own arguments open or say.
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "designer/command_line.h"
#include "designer/form.h"

namespace designer {
namespace {

using design::Series;
using design::Settings;

struct LineCase {
    const char* what;
    std::function<void(Settings&)> set;
    const char* line;
};

const LineCase LineCases[] = {
    {"the first design", [](Settings&) {}, "butterworth3-cli design lowpass 100 33k"},
    {"a high-pass keeps its own value",
     [](Settings& in) { in.circuit = design::Circuit::HighPass; },
     "butterworth3-cli design highpass 100 10n"},
    {"a decimal comma becomes a point", [](Settings& in) { in.frequency = "2,5k"; },
     "butterworth3-cli design lowpass 2.5k 33k"},
    {"options in the help's order",
     [](Settings& in) {
         in.gbw = "1,5Meg";
         in.moveSeries = Series::E24;
         in.moveSteps = "3";
         in.series = Series::E96;
         in.response = design::ResponseKind::Bessel;
     },
     "butterworth3-cli design lowpass 100 33k --response bessel --series E96 --move-value E24:3 "
     "--opamp 1.5Meg"},
    {"RO without A0 keeps A0's default",
     [](Settings& in) {
         in.gbw = "1Meg";
         in.ro = "100";
     },
     "butterworth3-cli design lowpass 100 33k --opamp 1Meg,200k,100"},
    {"one tolerance given, the other is 0; samples go with it",
     [](Settings& in) {
         in.toleranceR = "0,5";
         in.samples = "1000";
         in.seed = "7";
         in.distribution = design::Distribution::Normal;
     },
     "butterworth3-cli design lowpass 100 33k --tolerance 0.5,0 --samples 1000 --seed 7 "
     "--distribution normal"},
    {"samples without a tolerance are not given", [](Settings& in) { in.samples = "1000"; },
     "butterworth3-cli design lowpass 100 33k"},
    {"the noise and the ripple band's edge",
     [](Settings& in) {
         in.response = design::ResponseKind::Chebyshev1;
         in.frequencyIsPassbandEdge = true;
         in.noiseVoltage = "10n";
         in.bandFrom = "20";
         in.bandTo = "20k";
     },
     "butterworth3-cli design lowpass 100 33k --response chebyshev-1 --frequency-is "
     "passband-edge --opamp-noise 10n,0 --noise-band 20:20k"},
    {"an empty end of the noise band is the number it shows",
     [](Settings& in) { in.bandTo = "20k"; },
     "butterworth3-cli design lowpass 100 33k --noise-band 1:20k"},
    {"quoted as the report quotes", [](Settings& in) { in.Value() = "33 k"; },
     "butterworth3-cli design lowpass 100 '33 k'"},
    // What is off in the window: a setting that does not apply with the others.
    {"a move and an objective without a series",
     [](Settings& in) {
         in.moveSeries = Series::E6;
         in.objective = design::Objective::Shape;
     },
     "butterworth3-cli design lowpass 100 33k"},
    {"the calculator's coefficients with another response",
     [](Settings& in) {
         in.coefficients = design::Coefficients::Window;
         in.response = design::ResponseKind::Bessel;
     },
     "butterworth3-cli design lowpass 100 33k --response bessel"},
    {"the ripple band's edge without a ripple band",
     [](Settings& in) { in.frequencyIsPassbandEdge = true; },
     "butterworth3-cli design lowpass 100 33k"},
    {"the calculator's coefficients of a Butterworth response",
     [](Settings& in) { in.coefficients = design::Coefficients::Window; },
     "butterworth3-cli design lowpass 100 33k --coefficients window"},
};

TEST(DesignerInputs, CommandLineGivesOnlyWhatDiffersFromTheDefaults)
{
    for (const LineCase& c : LineCases) {
        design::Settings inputs;
        c.set(inputs);
        EXPECT_EQ(CommandLineOf(inputs), c.line) << c.what;
    }
}

TEST(DesignerInputs, ArgumentsThatAreNoDesignSayWhichAndWhy)
{
    const struct {
        std::vector<std::string_view> args;
        const char* message;
    } cases[] = {
        {{"lowpass", "0", "33k"},
         "FREQUENCY '0': expected a frequency from 1e-30 to 1e30 Hz, such as 100, 2.5k or 1 kHz"},
        {{"lowpass", "100", "33k", "--opamp", "1Meg,0.5"},
         "--opamp '1Meg,0.5': expected an open-loop gain from 1 to 1e30, such as 200k"},
        {{"lowpass", "100", "33k", "--spice", "a.cir"},
         "'--spice': expected no output option; the window saves the netlist, plot and report "
         "from its menu"},
        {{"lowpass", "100", "33k", "--nosuch\x1b"}, "'--nosuch\\x1b': unknown option"},
        {{"lowpass", "100"}, "expected CIRCUIT FREQUENCY VALUE"},
    };
    for (const auto& c : cases) {
        const auto read = ReadProgramArguments(c.args);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.message;
        EXPECT_TRUE(std::get<std::string>(read).starts_with(c.message))
            << std::get<std::string>(read);
    }
}

// The window binds its fields through the table by loops: each setting has one row, at its
// own place, and a choice offers every value the setting can hold, each once.
TEST(DesignerForm, EverySettingIsOneRowAndEveryChoiceAnItem)
{
    const std::vector<FieldRow>& rows = FormRows();
    ASSERT_EQ(rows.size(), std::size_t(design::SettingCount));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const FieldRow& row = rows[i];
        EXPECT_EQ(row.setting, design::Setting(i));
        Settings settings;
        EXPECT_EQ(design::TextOf(settings, row.setting) == nullptr, !row.items.empty()) << i;
        std::set<int> choices;
        for (const Item& item : row.items) {
            design::SetChoice(settings, row.setting, item.choice);
            EXPECT_EQ(design::ChoiceOf(settings, row.setting), item.choice) << item.text;
            EXPECT_TRUE(choices.insert(item.choice).second) << item.text;
        }
    }
    const auto count = [&rows](design::Setting setting) {
        return rows[std::size_t(setting)].items.size();
    };
    EXPECT_EQ(count(design::Setting::Response), design::All<design::ResponseKind>.size());
    EXPECT_EQ(count(design::Setting::Series), design::All<design::Series>.size() + 1);
    EXPECT_EQ(count(design::Setting::MoveSeries), design::All<design::Series>.size() + 1);
    EXPECT_EQ(count(design::Setting::Distribution), design::All<design::Distribution>.size());
}

}  // namespace
TEST(DesignerInputs, TheProgramsHelpAndVersionComeBeforeAnyDesign)
{
    const struct {
        std::vector<std::string_view> args;
        std::size_t kind;  // the alternative of ProgramArguments
    } rows[] = {
        {{"--help"}, 1},
        {{"-h"}, 1},
        {{"lowpass", "100", "33k", "--help"}, 1},
        {{"--version"}, 2},
        {{"lowpass", "--version"}, 2},
        {{"lowpass", "100", "33k"}, 0},
        {{"lowpass", "100", "--", "--help"}, 3},  // a VALUE of "--help" does not read
        {{"--nosuch"}, 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ReadProgramArguments(row.args).index(), row.kind) << row.args.back();
    EXPECT_TRUE(ProgramHelpText().starts_with("Usage: butterworth3-designer "));
    EXPECT_TRUE(ProgramVersionText().starts_with("butterworth3-designer 1."));
}

}  // namespace designer
