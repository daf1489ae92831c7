// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The real companion writing files, as separate processes: a run ended by a signal leaves no
// temporary, parallel runs never tear a hard-linked file, standard output is not named twice,
// and a run whose standard output was closed names the files it replaced.
#include <csignal>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "scratch.h"

#ifndef BUTTERWORTH3_CLI_PATH
#error "BUTTERWORTH3_CLI_PATH must name the butterworth3-cli executable"
#endif

namespace {

using scratch::Folder;

struct Started {
    pid_t pid = -1;
    int err = -1;  // the read end of its standard error
};

// Starts the companion with `args`, its standard output on `out` (closed when -1), its
// standard error on a pipe.
Started Start(const std::vector<std::string>& args, int out)
{
    int errPipe[2];
    if (::pipe2(errPipe, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(errPipe[1], 2);
        if (out >= 0)
            ::dup2(out, 1);
        else
            ::close(1);
        std::vector<char*> argv{const_cast<char*>(BUTTERWORTH3_CLI_PATH)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(errPipe[1]);
    return {pid, errPipe[0]};
}

struct Ended {
    int status = -1;
    std::string err;
};

Ended Wait(const Started& started)
{
    Ended ended;
    ended.err = Folder::ReadPath("/proc/self/fd/" + std::to_string(started.err));
    ::close(started.err);
    ::waitpid(started.pid, &ended.status, 0);
    return ended;
}

int ExitCode(const Ended& ended)
{
    return WIFEXITED(ended.status) ? WEXITSTATUS(ended.status) : -1;
}

// Polls `ready` every millisecond for at most 10 s; false when it never held.
template <class Ready>
bool AwaitUpTo10s(Ready ready)
{
    for (int i = 0; i < 10000; ++i) {
        if (ready())
            return true;
        ::usleep(1000);
    }
    return false;
}

const std::vector<std::string> Design = {"design", "lowpass", "100", "33k", "--series", "E24"};

std::vector<std::string> With(std::vector<std::string> args, std::vector<std::string> more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// ---- A signal while the run waits, its temporaries written ----

enum class Waits { ForAFifoReader, OnAFullStandardOutput };

struct SignalRow {
    const char* name;
    int signal;
    Waits waits;
};

void PrintTo(const SignalRow& row, std::ostream* out)
{
    *out << row.name;
}

class ProgramSignals : public testing::TestWithParam<SignalRow> { };

TEST_P(ProgramSignals, endTheRunWithoutATemporary)
{
    const SignalRow& row = GetParam();
    Folder folder;
    folder.Write("keep.cir", "precious\n");
    std::vector<std::string> args =
        With(Design, {"--spice", folder / "keep.cir", "--html", folder / "r.html"});
    int outPipe[2];
    ASSERT_EQ(::pipe2(outPipe, O_CLOEXEC), 0);
    if (row.waits == Waits::ForAFifoReader) {
        ASSERT_EQ(::mkfifo((folder / "plot.svg").c_str(), 0600), 0);
        args = With(args, {"--svg", folder / "plot.svg"});
    } else {
        // A pipe that holds less than the plot, and no one reading it.
        ASSERT_GT(::fcntl(outPipe[1], F_SETPIPE_SZ, 4096), 0);
        args = With(args, {"--svg", "-"});
    }
    const Started run = Start(args, outPipe[1]);
    ::close(outPipe[1]);
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(AwaitUpTo10s([&] { return !folder.Temporaries().empty(); }))
        << "the run's temporaries, while it waits";
    ASSERT_EQ(::kill(run.pid, row.signal), 0);
    const Ended ended = Wait(run);
    ::close(outPipe[0]);
    EXPECT_TRUE(WIFSIGNALED(ended.status) && WTERMSIG(ended.status) == row.signal)
        << "ended by its signal, as without the writer: status " << ended.status << " "
        << ended.err;
    EXPECT_EQ(folder.Temporaries(), std::vector<std::string>{});
    EXPECT_EQ(folder.Read("keep.cir"), "precious\n");
    EXPECT_FALSE(scratch::fs::exists(folder.path() / "r.html"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ProgramSignals, testing::Values(
    SignalRow{"sigintWaitingForAFifoReader", SIGINT, Waits::ForAFifoReader},
    SignalRow{"sigtermWaitingForAFifoReader", SIGTERM, Waits::ForAFifoReader},
    SignalRow{"sighupWaitingForAFifoReader", SIGHUP, Waits::ForAFifoReader},
    SignalRow{"sigintOnAFullStandardOutput", SIGINT, Waits::OnAFullStandardOutput},
    SignalRow{"sigtermOnAFullStandardOutput", SIGTERM, Waits::OnAFullStandardOutput},
    SignalRow{"sighupOnAFullStandardOutput", SIGHUP, Waits::OnAFullStandardOutput}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- Standard output named a second time ----

struct StdoutRow {
    const char* name;
    // The name another output gives standard output, which is `out.txt` in the folder.
    std::string (*second)(Folder&);
    int exitCode;
};

void PrintTo(const StdoutRow& row, std::ostream* out)
{
    *out << row.name;
}

class ProgramStdout : public testing::TestWithParam<StdoutRow> { };

TEST_P(ProgramStdout, isOneOutputOnly)
{
    const StdoutRow& row = GetParam();
    Folder folder;
    const int out = ::open((folder / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(out, 0);
    const Ended ended =
        Wait(Start(With(Design, {"--spice", "-", "--svg", row.second(folder)}), out));
    ::close(out);
    EXPECT_EQ(ExitCode(ended), row.exitCode) << ended.err;
    if (row.exitCode == 2) {
        EXPECT_EQ(folder.Read("out.txt"), "") << "nothing written";
        EXPECT_NE(ended.err.find("expected a file other than standard output, which --spice - "
                                 "writes\n"),
                  std::string::npos)
            << ended.err;
    } else {
        EXPECT_EQ(folder.Read("out.txt").rfind("* butterworth3-cli design", 0), 0u);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ProgramStdout, testing::Values(
    StdoutRow{"devStdout", [](Folder&) { return std::string("/dev/stdout"); }, 2},
    StdoutRow{"procSelfFd1", [](Folder&) { return std::string("/proc/self/fd/1"); }, 2},
    StdoutRow{"itsPath", [](Folder& f) { return f / "out.txt"; }, 2},
    StdoutRow{"aLinkToIt",
        [](Folder& f) {
            scratch::fs::create_symlink("out.txt", f.path() / "link.svg");
            return f / "link.svg";
        }, 2},
    StdoutRow{"anotherFile", [](Folder& f) { return f / "plot.svg"; }, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- Standard output closed: the files are written, and named ----

TEST(ProgramStdout, closedNamesTheFilesReplacedWithExitThree)
{
    Folder folder;
    folder.Write("r.html", "old\n");
    const Ended ended =
        Wait(Start(With(Design, {"--spice", folder / "a.cir", "--html", folder / "r.html"}), -1));
    EXPECT_EQ(ExitCode(ended), 3);
    EXPECT_EQ(ended.err, "butterworth3-cli: cannot write the output: Bad file descriptor; "
                         "replaced: --spice '" +
                             folder / "a.cir" + "', --html '" + folder / "r.html" + "'\n");
    EXPECT_EQ(folder.Read("r.html").rfind("<!DOCTYPE html>", 0), 0u);
}

// ---- Parallel runs on one hard-linked file ----

// Eight runs at a time write one report through one of its two names; every round, both
// names hold one run's whole report. BUTTERWORTH3_PARALLEL_ROUNDS sets the rounds (400).
TEST(ProgramParallel, runsNeverTearAHardLinkedFile)
{
    constexpr int Runs = 8;
    const char* const roundsText = std::getenv("BUTTERWORTH3_PARALLEL_ROUNDS");
    const int rounds = roundsText ? std::atoi(roundsText) : 400;
    Folder folder;
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    // Reports of different lengths that take about as long to make, so that the runs overlap
    // and a torn file cannot pass for a whole one; each first written alone, through the
    // name it is written through later.
    std::vector<std::vector<std::string>> args;
    std::set<std::string> whole;
    for (int i = 0; i < Runs; ++i) {
        const std::string name = i % 2 ? "a.html" : "b.html";
        args.push_back({"design", i % 3 ? "lowpass" : "highpass", std::to_string(1 << (3 * i)),
                        i % 3 ? "33k" : "10n", "--html", folder / name});
        ASSERT_EQ(ExitCode(Wait(Start(args.back(), devNull))), 0);
        whole.insert(folder.Read(name));
    }
    scratch::fs::remove(folder.path() / "b.html");
    ASSERT_EQ(whole.size(), std::size_t{Runs});
    folder.Write("a.html", "old\n");
    scratch::fs::create_hard_link(folder.path() / "a.html", folder.path() / "b.html");
    int torn = 0;
    for (int round = 0; round < rounds && torn == 0; ++round) {
        std::vector<Started> started;
        for (const auto& run : args)
            started.push_back(Start(run, devNull));
        for (const Started& run : started)
            EXPECT_EQ(ExitCode(Wait(run)), 0);
        const std::string a = folder.Read("a.html");
        torn += !whole.contains(a) || folder.Read("b.html") != a;
    }
    ::close(devNull);
    EXPECT_EQ(torn, 0) << "a report torn by parallel runs";
    EXPECT_EQ(folder.Temporaries(), std::vector<std::string>{});
}

}  // namespace
