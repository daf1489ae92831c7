// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The command-line companion of the window program: one press of Go, headless.
// The three arguments are the field texts as the window would hold them; the outcome is
// the window's results, banner or error box, printed as text or as one JSON object.
// main() only wires argv, the standard streams and the exit code to RunCommandLine.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/calculation.h"

namespace cli {

struct Options {
    bool kHz = false;   // frequency in kHz instead of Hz
    bool uF = false;    // capacitance in uF instead of nF
    bool json = false;  // one JSON object instead of plain lines
    calc::FieldTexts texts;
};
struct HelpRequest { };
struct VersionRequest { };
struct UsageError {
    std::string message;
};
using ParsedArguments = std::variant<Options, HelpRequest, VersionRequest, UsageError>;

// Parses the arguments after the program name. Options may stand anywhere before "--";
// every argument after it, and every argument that does not start with "-" (or is "-"
// alone), is a field text. A "." in a field text becomes "," as typing it would; nothing
// else is touched. "-h" or "--help" wins over any other problem, then "--version".
ParsedArguments ParseArguments(std::span<const std::string_view> args);

// The usage text, ending with a newline.
std::string UsageText();

struct EmptyField { };  // Go does nothing
struct ReadingError {
    std::string message;  // message() of EConvertError or EOverflow
};
using Outcome = std::variant<EmptyField, calc::Rejected, calc::Computed, ReadingError>;

// One Go with the units and texts of `options`, on a fresh calculation state.
Outcome Run(const Options& options);

// The outcome as the window would show it, one line per item, each ending with "\n".
std::string RenderPlain(const Outcome& outcome);
// The outcome as one JSON object followed by "\n". Field texts that are not valid UTF-8
// have their bad bytes replaced by U+FFFD.
std::string RenderJson(const Outcome& outcome);

// 0 for results, 1 for any rejected input (empty field, input error, out of range,
// reading error).
int ExitCode(const Outcome& outcome);
inline constexpr int UsageExitCode = 2;
// The output could not be written (standard output closed or full, a broken pipe).
inline constexpr int WriteErrorExitCode = 3;

// "butterworth3-cli 1.1.0\n".
std::string VersionText();

// The whole program: parse, run, print to `out` (usage errors to `err`), exit code. The
// files it replaced, as its messages name them (--html 'r.html'), go to `replaced` when
// given: a caller that finds `out` lost afterwards can say what was written all the same.
int RunCommandLine(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                   std::vector<std::string>* replaced = nullptr);

}  // namespace cli
