// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Settings as the design command's arguments and back: the one mapping that a copied command
// line, a stored last design and a link use, so that each gives the same design as the
// companion, bit for bit.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/settings.h"

namespace design {

// The arguments after the word "design": the circuit, frequency and value, then only the
// options that differ from their defaults, in the order of the command's help. A setting
// that does not apply is not given. A decimal comma typed in a number becomes a point
// (inside an option the comma separates items). The op-amp's and the tolerance's missing
// items are their defaults (A0 200k; a tolerance 0); a noise band's empty end is the
// number it stands for, when the frequency reads.
std::vector<std::string> ArgumentsOf(const Settings& settings);

// The argument that holds a setting: "FREQUENCY", "VALUE", "--opamp", ... ("CIRCUIT" too).
std::string_view ArgumentOf(Setting setting);

// An argument that names no setting, or not as the command writes it.
struct ArgumentProblem {
    std::string argument;  // as given; empty when one is missing
    std::string why;       // "expected ...", "unknown option ..."
};

// The settings that the arguments after "design" name, each number's text as given; only
// their form is checked here (Read checks the values). Output options, which name no
// setting, are refused.
std::variant<Settings, ArgumentProblem>
SettingsFromArguments(std::span<const std::string_view> args);

}  // namespace design
