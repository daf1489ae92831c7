// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The companion's "design" command: exact or standard part values for a -3 dB frequency,
// with the response figures, an op-amp analysis and a tolerance analysis on request.
// The maths is in design/, the options in design_options.h; this is the rendering.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/design_options.h"
#include "design/report.h"

namespace cli {

// The arguments as a shell would take them back: "butterworth3-cli design lowpass ..." with
// single quotes around any argument that needs them.
std::string CommandLineOf(std::span<const std::string_view> args);

inline constexpr int FileExitCode = 3;

// The whole command: 0 with a design, 2 on bad input or two outputs on one file (one line on
// `err`, nothing on `out`), 3 when a file cannot be written (one line on `err`: nothing
// written, or which files were replaced and which not) or `out` fails (nothing on `err`,
// no file written, errno set). With 0, the files written are added to `replaced`, as the
// messages name them.
int RunDesignCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                     std::vector<std::string>* replaced = nullptr);

}  // namespace cli
