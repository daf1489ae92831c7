// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Elementary functions that give the same bits on every processor and C library: each is
// computed in double-double arithmetic (pairs of doubles, about 104 bits) from IEEE
// addition, multiplication, division and square root alone, which are exact to the last
// bit everywhere, and then rounded once to double. The results are the correctly rounded
// values except where the exact value lies within about 2^-100 of a halfway point.
//
// The C library's functions differ between processors in their last bits (glibc's cbrt on
// ARM, fused multiply-adds, the x87 code of 32-bit x86), and the design's choices compare
// figures made from them. Log10 keeps the C library's own formula (see portable_math.cpp),
// so that its results are those of x86-64 glibc.
#pragma once

namespace design::portable {

double Cbrt(double x);
double Exp(double x);
double Log(double x);    // x > 0
double Log10(double x);  // x > 0
double Exp10(double x);  // 10^x
double Acos(double x);   // -1 <= x <= 1
double Cos(double x);    // |x| < 2^20
double Sinh(double x);
double Cosh(double x);
double Asinh(double x);

}  // namespace design::portable
