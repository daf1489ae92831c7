#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/cli.h"

namespace {

// Output that never arrived is a failure, not a success: with standard output closed, on a
// full disk or into a pipe whose reader has gone (with SIGPIPE ignored; by default the
// signal ends the program quietly, as `| head` expects).
bool OutputWritten()
{
    errno = 0;
    std::cout.flush();
    const bool written = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written)
        std::fprintf(stderr, "butterworth3-cli: cannot write the output: %s\n",
                     std::strerror(errno != 0 ? errno : EIO));
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int code = cli::RunCommandLine(args, std::cout, std::cerr);
    return OutputWritten() ? code : cli::WriteErrorExitCode;
}
