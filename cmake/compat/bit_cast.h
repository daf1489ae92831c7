// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// std::bit_cast for a C++20 standard library without it (Debian 12's emscripten 3.1.6,
// libc++ 13), included before every source of such a build; the compiler's built-in does
// the work, as it does in the libraries that have it.
#pragma once

#include <version>

#ifndef __cpp_lib_bit_cast
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept
{
    static_assert(sizeof(To) == sizeof(From));
    return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
