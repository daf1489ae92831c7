// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "cli/cli.h"

namespace {

// Output that never arrived is a failure, not a success: with standard output closed, on a
// full disk or into a pipe whose reader has gone (with SIGPIPE ignored; by default the
// signal ends the program quietly, as `| head` expects).
// A command that flushed before it ended and failed leaves the reason in errno. The files
// the command replaced all the same are named, so that exit status 3 never hides a change.
bool OutputWritten(bool stdoutWasClosed, const std::vector<std::string>& replaced)
{
    const int earlier = errno;
    errno = stdoutWasClosed ? EBADF : 0;
    std::cout.flush();
    const bool written =
        !stdoutWasClosed && std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        std::string files;
        for (const std::string& file : replaced)
            files += (files.empty() ? "; replaced: " : ", ") + file;
        std::fprintf(stderr, "butterworth3-cli: cannot write the output: %s%s\n",
                     std::strerror(errno != 0     ? errno
                                   : earlier != 0 ? earlier
                                                  : EIO),
                     files.c_str());
    }
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    // A closed descriptor 0, 1 or 2 would be reused by the next file opened, and a
    // netlist could then land where the text was meant to go: fill them with /dev/null.
    const bool stdoutWasClosed = ::fcntl(1, F_GETFD) == -1;
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", O_RDWR) == -1)
            return cli::WriteErrorExitCode;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::vector<std::string> replaced;
    const int code = cli::RunCommandLine(args, std::cout, std::cerr, &replaced);
    return OutputWritten(stdoutWasClosed, replaced) ? code : cli::WriteErrorExitCode;
}
