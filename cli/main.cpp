#include <fcntl.h>
#include <iostream>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv)
{
    // A closed descriptor 0, 1 or 2 would be reused by the next file opened, and a
    // netlist could then land where the text was meant to go: fill them with /dev/null.
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", O_RDWR) == -1)
            return 3;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int code = cli::RunCommandLine(args, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
