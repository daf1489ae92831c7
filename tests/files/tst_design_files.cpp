// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The design command's files in the whole command: its exit status and its one line, for
// the cases a user meets.
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/design_command.h"
#include "scratch.h"

namespace {

using scratch::Folder;

// Standard output that takes nothing, as a full disk or a closed pipe.
class Refusing : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

struct CommandRow {
    const char* name;
    // What the user had, and the arguments after "design lowpass 100 33k" ("{}/" is the folder).
    std::function<void(Folder&)> setup;
    std::vector<std::string> args;
    bool standardOutputFails;
    int exitCode;
    std::string error;  // the line on stderr after "butterworth3-cli design: ", "{}/" the folder
    std::vector<std::string> names;  // in the folder afterwards
};

void PrintTo(const CommandRow& row, std::ostream* out)
{
    *out << row.name;
}

std::string InFolder(std::string text, const Folder& folder)
{
    for (std::size_t at; (at = text.find("{}/")) != std::string::npos;)
        text.replace(at, 3, folder.path().string() + "/");
    return text;
}

class Command : public testing::TestWithParam<CommandRow> { };

TEST_P(Command, keepsWhatTheUserHad)
{
    const CommandRow& row = GetParam();
    Folder folder;
    folder.Write("keep.cir", "precious\n");
    row.setup(folder);
    std::vector<std::string> args = {"lowpass", "100", "33k"};
    for (const std::string& arg : row.args)
        args.push_back(InFolder(arg, folder));
    const std::vector<std::string_view> views(args.begin(), args.end());
    Refusing refusing;
    std::ostringstream text;
    std::ostream refused(&refusing);
    std::ostream& out = row.standardOutputFails ? refused : text;
    std::ostringstream err;

    EXPECT_EQ(cli::RunDesignCommand(views, out, err), row.exitCode);
    EXPECT_EQ(err.str(), row.error.empty()
                             ? ""
                             : "butterworth3-cli design: " + InFolder(row.error, folder) + "\n");
    EXPECT_EQ(folder.Names(), row.names);
    if (row.exitCode != 0) {
        EXPECT_EQ(folder.Read("keep.cir"), "precious\n");
    }
}

const auto Nothing = [](Folder&) {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Command, testing::Values(
    CommandRow{"failedRunKeepsTheUsersFile",
        [](Folder& f) { scratch::fs::create_directory(f.path() / "d"); },
        {"--spice", "{}/keep.cir", "--svg", "{}/d"}, false, 3,
        "--svg '{}/d': cannot write: Is a directory", {"d", "keep.cir"}},
    CommandRow{"failingStandardOutputRenamesNothing", Nothing,
        {"--html", "{}/h.html", "--spice", "-"}, true, 3, "", {"keep.cir"}},
    CommandRow{"failingStandardOutputWithTheText", Nothing,
        {"--spice", "{}/keep.cir"}, true, 3, "", {"keep.cir"}},
    CommandRow{"samePathTwice", Nothing,
        {"--spice", "{}/r", "--svg", "{}/r"}, false, 2,
        "--svg '{}/r': the same file as --spice '{}/r'", {"keep.cir"}},
    CommandRow{"sameFileThroughASymlink",
        [](Folder& f) { scratch::fs::create_symlink("keep.cir", f.path() / "l.svg"); },
        {"--spice", "{}/keep.cir", "--html", "{}/./l.svg"}, false, 2,
        "--html '{}/./l.svg': the same file as --spice '{}/keep.cir'", {"keep.cir", "l.svg"}},
    CommandRow{"controlCharactersInTheNameStayOnOneLine", Nothing,
        {"--svg", "{}/a\nb\x1b[2J\u202e/x.svg"}, false, 3,
        "--svg '{}/a\\nb\\x1b[2J\\u202e/x.svg': cannot write: No such file or directory",
        {"keep.cir"}},
    CommandRow{"allThreeWritten", Nothing,
        {"--spice", "{}/keep.cir", "--svg", "{}/p.svg", "--html", "{}/r.html"}, false, 0, "",
        {"keep.cir", "p.svg", "r.html"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
