// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The "design" command's arguments: one table of options drives the parsing, the usage text
// and the message for an unknown option; the bash completion and the manual page are
// checked against it.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/analysis.h"
#include "design/design.h"
#include "design/outputs/netlist.h"
#include "design/report.h"

namespace cli {

struct DesignOptions {
    design::Request request;
    std::optional<design::OpAmp> opamp;
    std::optional<design::ToleranceRequest> tolerance;
    design::NoiseRequest noise;
    std::vector<double> attenuationAt;  // Hz, each --at in order
    bool json = false;
    // Files to write besides the text; "-" is standard output, in place of the text.
    std::optional<std::string> spice;
    design::outputs::Dialect dialect = design::outputs::Dialect::Ngspice;
    std::optional<std::string> svg;
    std::optional<std::string> html;
    std::optional<std::string> spiceChecks;  // an ngspice deck of the other figures' checks
};

// What FREQUENCY names: the -3 dB point, or the end of a Chebyshev response's ripple band.
enum class FrequencyIs { F3, PassbandEdge };
struct DesignHelp { };
struct DesignUsageError {
    std::string message;  // one line, no newline: the argument and what was expected
};
using DesignArguments = std::variant<DesignOptions, DesignHelp, DesignUsageError>;

// What the options have set so far.
struct OptionsRead;

struct DesignOption {
    std::string_view name;   // "--series"
    std::string_view alias;  // "-h", or empty
    // What the value looks like in the usage text, "FILE" or "E3|E6|...": empty for a flag.
    std::string metavariable;
    std::vector<std::string_view> choices;  // every value taken, when they are a fixed set
    std::string_view help;                  // lines of the usage text, '\n' between them
    // Takes the value (empty for a flag); returns what was expected when it cannot.
    std::function<std::optional<std::string>(std::string_view value, OptionsRead& read)> take;
    bool repeatable = false;  // each value adds one (--at); any other is given once

    bool TakesValue() const { return !metavariable.empty(); }
};

// In the order of the usage text.
const std::vector<DesignOption>& DesignOptionTable();

// Parses the arguments after the word "design". "-h"/"--help" wins over any problem. A
// flag may be given again; an option with a value only once, unless it adds one each time.
DesignArguments ParseDesignArguments(std::span<const std::string_view> args);

std::string DesignUsageText();

}  // namespace cli
