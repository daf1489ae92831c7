// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The real executable when its output cannot go anywhere: a failure is reported as one line
// on standard error with exit status 3, never as success; a reader that goes away early
// (`| head`) ends it quietly through SIGPIPE, as for any command.
#include <csignal>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#ifndef BUTTERWORTH3_CLI_PATH
#error "BUTTERWORTH3_CLI_PATH must name the butterworth3-cli executable"
#endif

namespace {

enum class Stdout { Closed, Full, PipeWithoutReader };

struct Row {
    const char* name;
    Stdout destination;
    bool ignoreSigpipe;
    std::vector<const char*> args;
    int exitCode;       // -1: ended by SIGPIPE instead
    const char* error;  // what standard error must name; "" for nothing at all
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

class WriteErrors : public testing::TestWithParam<Row> { };

TEST_P(WriteErrors, AreReportedWithExitThree)
{
    const Row& row = GetParam();
    int errPipe[2];
    int outPipe[2];
    ASSERT_EQ(pipe(errPipe), 0);
    ASSERT_EQ(pipe(outPipe), 0);
    close(outPipe[0]);  // no reader at all, before the child can write anything
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(errPipe[1], 2);
        switch (row.destination) {
        case Stdout::Closed: close(1); break;
        case Stdout::Full: dup2(open("/dev/full", O_WRONLY), 1); break;
        case Stdout::PipeWithoutReader: dup2(outPipe[1], 1); break;
        }
        close(outPipe[1]);
        close(errPipe[0]);
        close(errPipe[1]);
        std::signal(SIGPIPE, row.ignoreSigpipe ? SIG_IGN : SIG_DFL);
        std::vector<char*> argv{const_cast<char*>(BUTTERWORTH3_CLI_PATH)};
        for (const char* arg : row.args)
            argv.push_back(const_cast<char*>(arg));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    std::string error;
    char buffer[512];
    for (ssize_t n; (n = read(errPipe[0], buffer, sizeof buffer)) > 0;)
        error.append(buffer, static_cast<std::size_t>(n));
    close(errPipe[0]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);

    if (row.exitCode < 0) {
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), SIGPIPE);
    } else {
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), row.exitCode);
    }
    if (*row.error == '\0') {
        EXPECT_EQ(error, "");
    } else {
        EXPECT_EQ(error.find("butterworth3-cli: cannot write the output: "), 0u) << error;
        EXPECT_NE(error.find(row.error), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), error.size() - 1) << "one line: " << error;
    }
}

const std::vector<const char*> Go{"100", "33", "10"};
const std::vector<const char*> Design{"design", "lowpass", "100", "33k", "--json"};
const std::vector<const char*> Help{"--help"};

INSTANTIATE_TEST_SUITE_P(
    Cli, WriteErrors,
    testing::Values(Row{"ClosedStdout", Stdout::Closed, false, Go, 3, "Bad file descriptor"},
                    Row{"FullDisk", Stdout::Full, false, Go, 3, "No space left on device"},
                    Row{"FullDiskDesign", Stdout::Full, false, Design, 3, "No space left"},
                    Row{"FullDiskHelp", Stdout::Full, false, Help, 3, "No space left"},
                    Row{"BrokenPipeIgnored", Stdout::PipeWithoutReader, true, Go, 3, "Broken pipe"},
                    Row{"BrokenPipeDefault", Stdout::PipeWithoutReader, false, Go, -1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
