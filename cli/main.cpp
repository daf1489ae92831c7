#include <iostream>
#include <string_view>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int code = cli::RunCommandLine(args, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
