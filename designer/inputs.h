// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What the designer window's fields hold, and how they become a design: the fields are turned
// into the design command's arguments and read by the companion's own parser, so that the
// window and butterworth3-cli read every number alike, refuse alike, and a copied command
// line gives the same design bit for bit. No Qt.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/design_options.h"
#include "design/vocabulary.h"

namespace designer {

// The fields, as typed. An empty text field is its option not given (its default).
struct Inputs {
    design::Circuit circuit = design::Circuit::LowPass;
    design::ResponseKind response = design::ResponseKind::Butterworth;
    design::Coefficients coefficients = design::Coefficients::Exact;
    bool frequencyIsPassbandEdge = false;
    std::string frequency = "100";
    // Each circuit keeps its own equal value: R of the low-pass, C of the high-pass.
    std::array<std::string, 2> value = {"33k", "10n"};
    std::optional<design::Series> series;
    std::optional<design::Series> moveSeries;
    std::string moveSteps;
    design::Objective objective = design::Objective::Balanced;
    std::string gbw, a0, ro;
    std::string toleranceR, toleranceC;  // percent
    design::Distribution distribution = design::Distribution::Uniform;
    std::string samples, seed;
    std::string noiseVoltage, noiseCurrent;  // the op-amp's EN and IN
    std::string bandFrom, bandTo;            // the rms noise band, Hz

    std::string& Value() { return value[static_cast<std::size_t>(circuit)]; }
    const std::string& Value() const { return value[static_cast<std::size_t>(circuit)]; }
    bool operator==(const Inputs&) const = default;
};

// Every field of the window, in reading order.
enum class Field {
    Circuit,
    Response,
    Coefficients,
    Frequency,
    FrequencyIs,
    Value,
    Series,
    MoveSeries,
    MoveSteps,
    Objective,
    Gbw,
    A0,
    Ro,
    NoiseVoltage,
    NoiseCurrent,
    BandFrom,
    BandTo,
    ToleranceR,
    ToleranceC,
    Distribution,
    Samples,
    Seed,
};

// The design command's arguments for the fields, without the word "design": the circuit,
// frequency and value, then only the options that differ from their defaults, in the order
// of the command's help. A decimal comma typed in a number becomes a point (inside an option
// the comma separates items). The tolerance, samples, seed and distribution go together:
// none without a tolerance; an empty one of two paired fields (R% and C%, EN and IN) is 0.
std::vector<std::string> ArgumentsOf(const Inputs& inputs);

// "butterworth3-cli design lowpass 100 33k ...", quoted as the report quotes.
std::string CommandLineOf(const Inputs& inputs);

// A field that does not read, and why: the companion's words for the argument that holds it,
// without the argument itself ("expected ...").
struct FieldProblem {
    Field field;
    std::string message;
};

std::variant<cli::DesignOptions, FieldProblem> Read(const Inputs& inputs);

// The fields that a design command's arguments (after the word "design") set; the
// companion's message when they do not read. Output options (--json, --spice, ...) are
// refused: the window has its own actions for them.
std::variant<Inputs, std::string> InputsFromArguments(std::span<const std::string_view> args);

// The program's own command line: a design (as InputsFromArguments reads it), or a request
// for its help or version (-h, --help, --version anywhere before "--"), or the message for
// arguments that do not read.
struct HelpRequest { };
struct VersionRequest { };
using ProgramArguments = std::variant<Inputs, HelpRequest, VersionRequest, std::string>;
ProgramArguments ReadProgramArguments(std::span<const std::string_view> args);
std::string ProgramHelpText();
std::string ProgramVersionText();

// The text of a number as the design command takes it: a decimal comma becomes a point.
std::string WithDecimalPoint(std::string_view text);

}  // namespace designer
