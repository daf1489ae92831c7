// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The real butterworth3-cli executable, started as a user or a script would start it:
// its standard output, standard error and exit code.
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "calc/calculation.h"

#ifndef BUTTERWORTH3_CLI_PATH
#error "BUTTERWORTH3_CLI_PATH must name the butterworth3-cli executable"
#endif

extern char** environ;

namespace {

struct Finished {
    std::string out;
    std::string err;
    int exitCode = -1;
};

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

// Runs the program with exactly these arguments: no shell, so empty texts, blanks and
// control characters arrive unchanged. The outputs are small; reading stdout to its end
// before stderr cannot block the child.
Finished RunProgram(const std::vector<std::string>& args)
{
    Finished result;
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe failed";
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);

    std::string path = BUTTERWORTH3_CLI_PATH;
    std::vector<char*> argv{path.data()};
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned == 0) {
        result.out = ReadAll(outPipe[0]);
        result.err = ReadAll(errPipe[0]);
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
    } else {
        ADD_FAILURE() << "cannot start " << path;
    }
    close(outPipe[0]);
    close(errPipe[0]);
    return result;
}

struct ProgramRow {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    int exitCode;
};

void PrintTo(const ProgramRow& row, std::ostream* os)
{
    *os << row.name;
}

class Program : public testing::TestWithParam<ProgramRow> { };

TEST_P(Program, PrintsOutcomeAndExits)
{
    const ProgramRow& row = GetParam();
    const Finished run = RunProgram(row.args);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, row.exitCode);
}

const std::string outOfRange = "Data is outrange / Данные выходят из диапазона\n";

// clang-format off
const ProgramRow programRows[] = {
    {"defaults", {"100", "33", "10"},
     "C1 = 68,05 nF\nC2 = 0,17 uF\nC3 = 9,86 nF\n"
     "R1 = 109,5 kOhm / кОм\nR2 = 43 kOhm / кОм\nR3 = 755,8 kOhm / кОм\n", 0},
    {"highestCorner", {"500", "--khz", "1000", "10", "--uf"},
     "C1 = below display range <--- !\nC2 = 1 pF <--- !\nC3 = below display range <--- !\n"
     "R1 = below display range <--- !\nR2 = below display range <--- !\n"
     "R3 = below display range <--- !\n", 0},
    {"pastedMinusAfterDoubleDash", {"--", "-5", "33", "10"},
     outOfRange + "Field: frequency\nCorrected text: \"1\"\n", 1},
    {"letter", {"12a", "33", "10"}, "'12a' is not a valid floating point value.\n", 1},
    {"fourHundredNines", {std::string(400, '9'), "33", "10"}, "Floating point overflow.\n", 1},
    {"emptyArgument", {"100", "", "10"}, "A field is empty: nothing is calculated.\n", 1},
    {"controlCharacterArgumentShownEscaped", {"100", "33", "1\x01"},
     R"('1\x01' is not a valid floating point value.)" "\n", 1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cli, Program, testing::ValuesIn(programRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliProgram, HelpPrintsUsageOnStdout)
{
    const Finished run = RunProgram({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Usage: butterworth3-cli ", 0), 0u) << run.out;
    EXPECT_EQ(run.err, "");
}

TEST(CliProgram, UsageErrorPrintsUsageOnStderr)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"100", "33"}, std::vector<std::string>{"-5", "33", "10"}}) {
        const Finished run = RunProgram(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: butterworth3-cli "), std::string::npos) << run.err;
    }
}

TEST(CliProgram, JsonValuesReadBackBitExactly)
{
    const Finished run = RunProgram({"--json", "100", "33", "10"});
    ASSERT_EQ(run.exitCode, 0);
    const nlohmann::json j = nlohmann::json::parse(run.out);
    ASSERT_EQ(j.at("outcome"), "ok");

    calc::CalcState state;
    const calc::Calculation direct = calc::Calculate(state, {"100", "33", "10"});
    ASSERT_TRUE(std::holds_alternative<calc::Computed>(direct));
    const calc::FilterResults& values = std::get<calc::Computed>(direct).values;
    ASSERT_EQ(j.at("components").size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        const calc::Component component = calc::AllComponents[i];
        EXPECT_EQ(j.at("components")[i].at("name"), calc::ComponentName(component));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(j.at("components")[i].at("value").get<double>()),
                  std::bit_cast<std::uint64_t>(calc::ComponentValue(values, component)))
            << calc::ComponentName(component);
    }
}

TEST(CliProgram, JsonRejectionKeepsExitCode)
{
    const Finished run = RunProgram({"--json", "--", "-5", "33", "10"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              "{\"outcome\":\"out-of-range\",\"field\":\"frequency\",\"replacement\":\"1\"}\n");
}

}  // namespace
