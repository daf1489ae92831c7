// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/command_line.h"

#include <vector>

#include "design/settings_arguments.h"
#include "files/quoting.h"

namespace designer {

std::string CommandLineOf(const design::Settings& settings)
{
    std::string line = "butterworth3-cli design";
    for (const std::string& arg : design::ArgumentsOf(settings))
        line += ' ' + files::ShellQuoted(arg);
    return line;
}

namespace {

// The text of the argument that holds a setting, as given.
std::string GivenAs(std::string_view name, const design::Settings& settings,
                    std::span<const std::string_view> args)
{
    if (name == "FREQUENCY")
        return settings.frequency;
    if (name == "VALUE")
        return settings.Value();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size())
            return std::string(args[i + 1]);
        if (args[i].starts_with(std::string(name) + "="))
            return std::string(args[i].substr(name.size() + 1));
    }
    return {};
}

}  // namespace

ProgramArguments ReadProgramArguments(std::span<const std::string_view> args)
{
    for (const std::string_view arg : args) {
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help")
            return HelpRequest{};
        if (arg == "--version")
            return VersionRequest{};
    }
    auto mapped = design::SettingsFromArguments(args);
    if (const auto* problem = std::get_if<design::ArgumentProblem>(&mapped))
        return problem->argument.empty()
                   ? problem->why
                   : files::ForMessage(problem->argument) + ": " + problem->why;
    const design::Settings& settings = std::get<design::Settings>(mapped);
    const auto read = design::Read(settings);
    if (const auto* problem = std::get_if<design::SettingProblem>(&read)) {
        const std::string_view name = design::ArgumentOf(problem->setting);
        return std::string(name) + " " + files::ForMessage(GivenAs(name, settings, args)) + ": " +
               design::Words(*problem);
    }
    return settings;
}

std::string ProgramHelpText()
{
    return "Usage: butterworth3-designer [lowpass|highpass FREQUENCY VALUE [options]]\n"
           "\n"
           "The designer window of the third-order single-op-amp filter: its parts, figures,\n"
           "Bode plot, schematic and tolerance spread, recomputed as the fields change.\n"
           "Without arguments it opens the last design; with them, that design, read as\n"
           "butterworth3-cli design reads it (butterworth3-cli design --help lists the\n"
           "options). The output options are refused: the window saves the netlist, plot\n"
           "and report from its File menu.\n"
           "\n"
           "  -h, --help   print this text\n"
           "  --version    print the version\n"
           "\n"
           "Exit status: 0 when the window is closed, 1 without a display, 2 when the\n"
           "arguments do not read.\n";
}

std::string ProgramVersionText()
{
    return "butterworth3-designer " BUTTERWORTH3_VERSION "\n";
}

}  // namespace designer
