// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The x87 rounds every result to the precision its control word selects, and not every
// system leaves it at 64 bits: Windows starts each thread at 53. A calculation made
// through `long double` holds this guard, which selects 64-bit precision for its
// lifetime and then restores the caller's. Nothing to do for the software format.
#pragma once

#include <cstdint>

#include "calc/extended.h"

namespace calc {

#if BUTTERWORTH3_NATIVE_EXTENDED

class X87PrecisionGuard {
public:
    X87PrecisionGuard() : saved_(ControlWord())
    {
        if ((saved_ & PrecisionMask) != Precision64)
            SetControlWord(static_cast<std::uint16_t>(saved_ | Precision64));
    }
    ~X87PrecisionGuard()
    {
        if ((saved_ & PrecisionMask) != Precision64)
            SetControlWord(saved_);
    }
    X87PrecisionGuard(const X87PrecisionGuard&) = delete;
    X87PrecisionGuard& operator=(const X87PrecisionGuard&) = delete;

    static constexpr std::uint16_t PrecisionMask = 0x0300;
    static constexpr std::uint16_t Precision53 = 0x0200;
    static constexpr std::uint16_t Precision64 = 0x0300;

    static std::uint16_t ControlWord()
    {
        std::uint16_t word = 0;
        asm volatile("fnstcw %0" : "=m"(word));
        return word;
    }
    static void SetControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

private:
    std::uint16_t saved_;
};

#else

class X87PrecisionGuard {
public:
    X87PrecisionGuard() { }  // NOLINT: user-provided, so that holding one is no unused variable
};

#endif

}  // namespace calc
