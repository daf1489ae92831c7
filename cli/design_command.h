// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The companion's "design" command: exact or standard part values for a -3 dB frequency,
// with the response figures, an op-amp analysis and a tolerance analysis on request.
// The maths is in design/; this is the argument grammar and the rendering.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "design/analysis.h"
#include "design/design.h"
#include "design/outputs/netlist.h"
#include "design/report.h"

namespace cli {

struct DesignOptions {
    design::Request request;
    std::optional<design::OpAmp> opamp;
    std::optional<design::ToleranceRequest> tolerance;
    bool json = false;
    // Files to write besides the text; "-" is standard output, in place of the text.
    std::optional<std::string> spice;
    design::outputs::Dialect dialect = design::outputs::Dialect::Ngspice;
    std::optional<std::string> svg;
    std::optional<std::string> html;
};
struct DesignHelp { };
struct DesignUsageError {
    std::string message;  // one line, no newline: the argument and what was expected
};
using DesignArguments = std::variant<DesignOptions, DesignHelp, DesignUsageError>;

// Parses the arguments after the word "design". "-h"/"--help" wins over any problem.
DesignArguments ParseDesignArguments(std::span<const std::string_view> args);

std::string DesignUsageText();

// A short text for a terminal, each figure with its unit.
std::string RenderDesignText(const design::Report& report);
std::string RenderDesignJson(const design::Report& report);  // one object and "\n"

// The arguments as a shell would take them back: "butterworth3-cli design lowpass ..." with
// single quotes around any argument that needs them.
std::string CommandLineOf(std::span<const std::string_view> args);

inline constexpr int FileExitCode = 3;

// The whole command: 0 with a design, 2 on bad input or two outputs on one file (one line on
// `err`, nothing on `out`), 3 when a file cannot be written (one line on `err`: nothing
// written, or which files were replaced and which not) or `out` fails (nothing on `err`,
// no file written, errno set).
int RunDesignCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace cli
