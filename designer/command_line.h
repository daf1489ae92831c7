// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer's command line, and a design as the companion's: the window's settings map
// to the design command's arguments (design/settings_arguments.h), so that a copied command
// line gives the same design bit for bit. No Qt.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "design/settings.h"

namespace designer {

// "butterworth3-cli design lowpass 100 33k ...", quoted as the report quotes.
std::string CommandLineOf(const design::Settings& settings);

// The program's own command line: a design whose settings read (the arguments of the
// design command after the word "design", output options refused), or a request for its
// help or version (-h, --help, --version anywhere before "--"), or the one-line message
// for arguments that do not read.
struct HelpRequest { };
struct VersionRequest { };
using ProgramArguments = std::variant<design::Settings, HelpRequest, VersionRequest, std::string>;
ProgramArguments ReadProgramArguments(std::span<const std::string_view> args);
std::string ProgramHelpText();
std::string ProgramVersionText();

}  // namespace designer
