// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "cli/design_command.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <vector>

#include "design/outputs/html_report.h"
#include "design/outputs/json.h"
#include "design/outputs/markup.h"
#include "design/outputs/netlist.h"
#include "design/outputs/plot.h"
#include "design/outputs/text.h"
#include "design/quantity.h"
#include "files/quoting.h"
#include "files/safe_write.h"

namespace cli {

namespace {

constexpr std::string_view Program = "butterworth3-cli design: ";

}  // namespace

std::string CommandLineOf(std::span<const std::string_view> args)
{
    std::string line = "butterworth3-cli design";
    for (const std::string_view arg : args)
        line += ' ' + files::ShellQuoted(arg);
    return line;
}

namespace {

// Standard output written through to its descriptor, so that a full disk or a lost pipe is
// known before any file is replaced.
bool Flushed(std::ostream& out)
{
    out.flush();
    return out.good() && (&out != &std::cout || std::fflush(stdout) == 0);
}

struct FileOutput {
    std::string_view option;
    std::string path;
    std::string Said() const { return std::string(option) + " " + files::ForMessage(path); }
};

std::string Listed(const std::vector<std::size_t>& indices, const std::vector<FileOutput>& named)
{
    std::string list;
    for (const std::size_t i : indices)
        list += (list.empty() ? " " : ", ") + named[i].Said();
    return list;
}

// The file and the reason; after a first file was replaced, which were and which were not.
std::string FailureMessage(const files::CannotWrite& failure, const std::vector<FileOutput>& named)
{
    std::string message = named[failure.index].Said() + ": cannot write: " + failure.reason;
    if (failure.replaced.empty() && !failure.partlyWritten)
        return message;  // nothing written
    if (failure.partlyWritten)
        message += " (partly written)";
    std::vector<std::size_t> notReplaced = failure.untouched;
    if (!failure.partlyWritten)
        notReplaced.insert(notReplaced.begin(), failure.index);
    if (!failure.replaced.empty())
        message += "; replaced:" + Listed(failure.replaced, named);
    if (!notReplaced.empty())
        message += "; not replaced:" + Listed(notReplaced, named);
    return message;
}

}  // namespace

int RunDesignCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                     std::vector<std::string>* replaced)
{
    const DesignArguments parsed = ParseDesignArguments(args);
    if (std::holds_alternative<DesignHelp>(parsed)) {
        out << DesignUsageText();
        return 0;
    }
    if (const auto* usage = std::get_if<DesignUsageError>(&parsed)) {
        err << Program << usage->message << "\n";
        return 2;
    }
    const DesignOptions& options = std::get<DesignOptions>(parsed);
    const design::Report report =
        design::MakeReport(options.request, options.opamp, options.tolerance, options.noise,
                           design::Sampling::Now, options.attenuationAt);

    // Every file is checked and written whole to a temporary before standard output is
    // flushed and the first one replaced; see files::WriteFiles.
    struct Output {
        std::string option;
        const std::optional<std::string>& path;
        std::string (*render)(const design::Report&, const DesignOptions&, const std::string&);
    };
    const Output outputs[] = {
        {"--spice", options.spice,
         [](const design::Report& r, const DesignOptions& o, const std::string&) {
             return design::outputs::Netlist(r, o.dialect);
         }},
        {"--svg", options.svg,
         [](const design::Report& r, const DesignOptions&, const std::string&) {
             return design::outputs::BodePlot(r, true);
         }},
        {"--spice-checks", options.spiceChecks,
         [](const design::Report& r, const DesignOptions&, const std::string&) {
             return design::outputs::CheckDeck(r);
         }},
        {"--html", options.html,
         [](const design::Report& r, const DesignOptions& o, const std::string& line) {
             return design::outputs::HtmlReport(r, line, o.dialect);
         }},
    };
    const std::string commandLine = CommandLineOf(args);
    std::optional<std::string> toStdout;
    std::string_view toStdoutOption;
    std::vector<std::string> contents;
    std::vector<FileOutput> named;
    std::vector<files::Output> written;
    contents.reserve(std::size(outputs));
    for (const Output& output : outputs) {
        if (!output.path)
            continue;
        std::string content = output.render(report, options, commandLine);
        if (*output.path == "-") {
            toStdout = std::move(content);
            toStdoutOption = output.option;
            continue;
        }
        contents.push_back(std::move(content));
        named.push_back({output.option, *output.path});
        written.push_back({*output.path, contents.back()});
    }
    // Standard output named a second time, as /dev/stdout, /proc/self/fd/1 or the file it
    // goes to, would mix two outputs in one stream.
    if (toStdout)
        for (const FileOutput& file : named)
            if (files::NamesStandardOutput(file.path)) {
                err << Program << file.Said()
                    << ": expected a file other than standard output, which " << toStdoutOption
                    << " - writes\n";
                return 2;
            }
    files::WriteHooks hooks;
    int flushError = 0;
    hooks.flushStandardOutput = [&] {
        if (toStdout)
            out << *toStdout;
        else
            out << (options.json ? design::outputs::JsonDocument(report)
                                 : design::outputs::TerminalText(report));
        const bool flushed = Flushed(out);
        flushError = errno;
        return flushed;
    };
    const files::WriteResult result = files::WriteFiles(written, hooks);
    if (const auto* same = std::get_if<files::SameFile>(&result)) {
        err << Program << named[same->second].Said() << ": the same file as "
            << named[same->first].Said() << "\n";
        return 2;
    }
    if (std::holds_alternative<files::StandardOutputLost>(result)) {
        errno = flushError;  // reported where standard output is known (main)
        return FileExitCode;
    }
    if (const auto* failure = std::get_if<files::CannotWrite>(&result)) {
        err << Program << FailureMessage(*failure, named) << "\n";
        return FileExitCode;
    }
    if (replaced)
        for (const FileOutput& file : named)
            replaced->push_back(file.Said());
    return 0;
}

}  // namespace cli
