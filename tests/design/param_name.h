// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Readable, unique names for parameterised tests: the row's text with everything but
// letters and digits turned into '_', after the row's index.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline std::string ParamName(std::size_t index, std::string_view text)
{
    std::string name = "r" + std::to_string(index) + "_";
    for (const char c : text) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += alnum ? c : '_';
    }
    return name;
}
