// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer's fields as the design command's arguments: what the copied command line
// says, which field a problem is told at, and a command line read back into the fields.
#include <functional>

#include <gtest/gtest.h>

#include "designer/inputs.h"

namespace designer {
namespace {

using design::Series;

struct LineCase {
    const char* what;
    std::function<void(Inputs&)> set;
    const char* line;
};

const LineCase LineCases[] = {
    {"the first design", [](Inputs&) {}, "butterworth3-cli design lowpass 100 33k"},
    {"a high-pass keeps its own value", [](Inputs& in) { in.circuit = design::Circuit::HighPass; },
     "butterworth3-cli design highpass 100 10n"},
    {"a decimal comma becomes a point", [](Inputs& in) { in.frequency = "2,5k"; },
     "butterworth3-cli design lowpass 2.5k 33k"},
    {"options in the help's order",
     [](Inputs& in) {
         in.gbw = "1,5Meg";
         in.moveSeries = Series::E24;
         in.moveSteps = "3";
         in.series = Series::E96;
         in.response = design::ResponseKind::Bessel;
     },
     "butterworth3-cli design lowpass 100 33k --response bessel --series E96 --move-value E24:3 "
     "--opamp 1.5Meg"},
    {"RO without A0 keeps A0's default",
     [](Inputs& in) {
         in.gbw = "1Meg";
         in.ro = "100";
     },
     "butterworth3-cli design lowpass 100 33k --opamp 1Meg,200k,100"},
    {"one tolerance given, the other is 0; samples go with it",
     [](Inputs& in) {
         in.toleranceR = "0,5";
         in.samples = "1000";
         in.seed = "7";
         in.distribution = design::Distribution::Normal;
     },
     "butterworth3-cli design lowpass 100 33k --tolerance 0.5,0 --samples 1000 --seed 7 "
     "--distribution normal"},
    {"samples without a tolerance are not given", [](Inputs& in) { in.samples = "1000"; },
     "butterworth3-cli design lowpass 100 33k"},
    {"the noise and the ripple band's edge",
     [](Inputs& in) {
         in.response = design::ResponseKind::Chebyshev1;
         in.frequencyIsPassbandEdge = true;
         in.noiseVoltage = "10n";
         in.bandFrom = "20";
         in.bandTo = "20k";
     },
     "butterworth3-cli design lowpass 100 33k --response chebyshev-1 --frequency-is "
     "passband-edge --opamp-noise 10n,0 --noise-band 20:20k"},
    {"quoted as the report quotes", [](Inputs& in) { in.Value() = "33 k"; },
     "butterworth3-cli design lowpass 100 '33 k'"},
    // What is off in the window: a setting that does not apply with the others.
    {"a move and an objective without a series",
     [](Inputs& in) {
         in.moveSeries = Series::E6;
         in.objective = design::Objective::Shape;
     },
     "butterworth3-cli design lowpass 100 33k"},
    {"the calculator's coefficients with another response",
     [](Inputs& in) {
         in.coefficients = design::Coefficients::Window;
         in.response = design::ResponseKind::Bessel;
     },
     "butterworth3-cli design lowpass 100 33k --response bessel"},
    {"the ripple band's edge without a ripple band",
     [](Inputs& in) { in.frequencyIsPassbandEdge = true; },
     "butterworth3-cli design lowpass 100 33k"},
    {"the calculator's coefficients of a Butterworth response",
     [](Inputs& in) { in.coefficients = design::Coefficients::Window; },
     "butterworth3-cli design lowpass 100 33k --coefficients window"},
};

TEST(DesignerInputs, CommandLineGivesOnlyWhatDiffersFromTheDefaults)
{
    for (const LineCase& c : LineCases) {
        Inputs inputs;
        c.set(inputs);
        EXPECT_EQ(CommandLineOf(inputs), c.line) << c.what;
    }
}

struct ProblemCase {
    std::function<void(Inputs&)> set;
    Field field;
};

const ProblemCase ProblemCases[] = {
    {[](Inputs& in) { in.frequency = "abc"; }, Field::Frequency},
    {[](Inputs& in) { in.frequency = "-h"; }, Field::Frequency},
    {[](Inputs& in) { in.Value() = "0"; }, Field::Value},
    {[](Inputs& in) { in.Value() = "--json"; }, Field::Value},
    {[](Inputs& in) { in.frequency = "1e29"; }, Field::Value},  // parts beyond 1e-30
    {[](Inputs& in) { in.gbw = "fast"; }, Field::Gbw},
    {[](Inputs& in) { in.gbw = "50"; }, Field::Gbw},  // below the frequency
    {[](Inputs& in) { in.gbw = "1Meg", in.a0 = "x"; }, Field::A0},
    {[](Inputs& in) { in.gbw = "1Meg", in.ro = "x"; }, Field::Ro},
    {[](Inputs& in) { in.a0 = "100k"; }, Field::Gbw},  // A0 without a GBW
    {[](Inputs& in) { in.toleranceR = "1", in.toleranceC = "40"; }, Field::ToleranceC},
    {[](Inputs& in) { in.toleranceR = "x", in.toleranceC = "5"; }, Field::ToleranceR},
    {[](Inputs& in) { in.toleranceR = "1", in.samples = "0"; }, Field::Samples},
    {[](Inputs& in) { in.toleranceR = "1", in.seed = "-1"; }, Field::Seed},
    {[](Inputs& in) { in.series = Series::E24, in.moveSeries = Series::E6, in.moveSteps = "99"; },
     Field::MoveSteps},
    {[](Inputs& in) { in.noiseVoltage = "10n", in.noiseCurrent = "2"; }, Field::NoiseCurrent},
    {[](Inputs& in) { in.noiseVoltage = "x"; }, Field::NoiseVoltage},
    {[](Inputs& in) { in.bandFrom = "20"; }, Field::BandTo},
    {[](Inputs& in) { in.bandFrom = "x", in.bandTo = "20k"; }, Field::BandFrom},
};

TEST(DesignerInputs, AProblemIsToldAtItsFieldInTheCompanionsWords)
{
    for (const ProblemCase& c : ProblemCases) {
        Inputs inputs;
        c.set(inputs);
        const auto read = Read(inputs);
        const auto* problem = std::get_if<FieldProblem>(&read);
        ASSERT_NE(problem, nullptr) << CommandLineOf(inputs);
        EXPECT_EQ(problem->field, c.field) << CommandLineOf(inputs) << ": " << problem->message;
        EXPECT_TRUE(problem->message.starts_with("expected"))
            << CommandLineOf(inputs) << ": " << problem->message;
    }
}

TEST(DesignerInputs, ACommandLineReadsBackIntoTheSameFields)
{
    for (const LineCase& c : LineCases) {
        Inputs inputs;
        c.set(inputs);
        if (!std::holds_alternative<cli::DesignOptions>(Read(inputs)))
            continue;  // the fields of a design only
        const std::vector<std::string> args = ArgumentsOf(inputs);
        const std::vector<std::string_view> views(args.begin(), args.end());
        const auto back = InputsFromArguments(views);
        ASSERT_TRUE(std::holds_alternative<Inputs>(back)) << c.what;
        EXPECT_EQ(ArgumentsOf(std::get<Inputs>(back)), args) << c.what;
    }
}

TEST(DesignerInputs, ArgumentsThatAreNoDesignGiveTheCompanionsMessage)
{
    const struct {
        std::vector<std::string_view> args;
        const char* message;
    } cases[] = {
        {{"lowpass", "0", "33k"}, "FREQUENCY '0': expected"},
        {{"lowpass", "100", "33k", "--spice", "a.cir"}, "--spice: expected no output option"},
        {{"lowpass", "100", "33k", "--nosuch"}, "'--nosuch': unknown option"},
        {{"lowpass", "100", "33k", "--help"}, "--help: expected a design"},
    };
    for (const auto& c : cases) {
        const auto read = InputsFromArguments(c.args);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.message;
        EXPECT_TRUE(std::get<std::string>(read).starts_with(c.message))
            << std::get<std::string>(read);
    }
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
