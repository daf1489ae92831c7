// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a fuzz target does when one of its properties fails: names the property, dumps the
// input's bytes and aborts, so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

[[noreturn]] inline void Violated(const char* property, std::string_view text)
{
    std::fprintf(stderr, "property violated: %s\n  text (%zu bytes):", property, text.size());
    for (const unsigned char c : text)
        std::fprintf(stderr, " %02x", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

#define BUTTERWORTH3_FUZZ_CHECK(condition, text)                                                   \
    do {                                                                                           \
        if (!(condition))                                                                          \
            Violated(#condition, (text));                                                          \
    } while (false)
