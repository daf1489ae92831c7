// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Runs the companion's command line on argument lists read from stdin, one list a line
// (arguments separated by single spaces), all in one process: under an emulator, a
// thousand designs cost one start instead of thousands. Each run prints a header line
//   @@ <exit status> <bytes of standard output> <bytes of standard error>
// followed by exactly those bytes, so that the output is what the program itself prints.
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::vector<std::string_view> args;
        for (std::size_t start = 0; start < line.size();) {
            const std::size_t end = std::min(line.find(' ', start), line.size());
            args.push_back(std::string_view(line).substr(start, end - start));
            start = end + 1;
        }
        std::ostringstream out, err;
        const int status = cli::RunCommandLine(args, out, err);
        const std::string o = out.str(), e = err.str();
        std::cout << "@@ " << status << ' ' << o.size() << ' ' << e.size() << '\n' << o << e;
    }
    return std::cout.good() ? 0 : 1;
}
