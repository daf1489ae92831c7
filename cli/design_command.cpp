// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "cli/design_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <vector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "design/outputs/html_report.h"
#include "design/outputs/json.h"
#include "design/outputs/markup.h"
#include "design/outputs/netlist.h"
#include "design/outputs/plot.h"
#include "design/outputs/text.h"
#include "design/quantity.h"
#include "files/quoting.h"

namespace cli {

namespace {

using design::Circuit;

constexpr std::string_view Program = "butterworth3-cli design: ";

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

}  // namespace

std::string CommandLineOf(std::span<const std::string_view> args)
{
    std::string line = "butterworth3-cli design";
    for (const std::string_view arg : args)
        line += ' ' + files::ShellQuoted(arg);
    return line;
}

namespace {

std::string ErrnoText()
{
    return std::strerror(errno);
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A file written to a temporary name, not yet renamed into place.
struct Pending {
    std::string option;
    std::string path;
    std::string temporary;
};

}  // namespace

namespace {

std::optional<std::string> WriteTemporary(const std::string& path, std::string_view content,
                                          std::string& temporary)
{
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return std::string("a directory, not a file");
    std::string pattern = directory + "." + name + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return ErrnoText();
    // mkstemp makes the file private; give it the mode a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, content);
    std::string reason = ok ? "" : ErrnoText();
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = ErrnoText();
    }
    if (!ok) {
        ::unlink(pattern.c_str());
        return reason;
    }
    temporary = pattern;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteWholeFile(const std::string& path, std::string_view content)
{
    std::string temporary;
    if (auto problem = WriteTemporary(path, content, temporary))
        return problem;
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = ErrnoText();
        ::unlink(temporary.c_str());
        return reason;
    }
    return std::nullopt;
}

int RunDesignCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
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
        design::MakeReport(options.request, options.opamp, options.tolerance, options.noise);

    // Every file is written to a temporary first; only when all are whole are they
    // renamed into place, so that a failure leaves no file at all.
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
    std::vector<Pending> pending;
    for (const Output& output : outputs) {
        if (!output.path)
            continue;
        std::string content = output.render(report, options, commandLine);
        if (*output.path == "-") {
            toStdout = std::move(content);
            continue;
        }
        Pending file{output.option, *output.path, {}};
        if (auto problem = WriteTemporary(file.path, content, file.temporary)) {
            for (const Pending& p : pending)
                ::unlink(p.temporary.c_str());
            err << Program << output.option << " " << Quoted(*output.path)
                << ": cannot write: " << *problem << "\n";
            return FileExitCode;
        }
        pending.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (::rename(pending[i].temporary.c_str(), pending[i].path.c_str()) != 0) {
            const std::string reason = ErrnoText();
            for (std::size_t j = i; j < pending.size(); ++j)
                ::unlink(pending[j].temporary.c_str());
            for (std::size_t j = 0; j < i; ++j)
                ::unlink(pending[j].path.c_str());
            err << Program << pending[i].option << " " << Quoted(pending[i].path)
                << ": cannot write: " << reason << "\n";
            return FileExitCode;
        }
    }
    if (toStdout)
        out << *toStdout;
    else
        out << (options.json ? design::outputs::JsonDocument(report)
                             : design::outputs::TerminalText(report));
    return 0;
}

}  // namespace cli
