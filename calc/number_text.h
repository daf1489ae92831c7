// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Number texts as the three input fields hold them: a comma is the decimal separator,
// there is no thousands separator. This file owns the key filter applied to typed
// characters, the well-formedness check and the reading of a text as a number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/extended.h"

namespace calc {

// What a typed character becomes in a field. With `backspaceFlag` set (the key-down
// before it was Backspace) every character passes unchanged; otherwise digits and ","
// pass, "." passes as ",", and everything else (letters, blanks, signs, control
// characters such as Enter 13, Escape 27, Ctrl+V 22) is dropped: std::nullopt.
std::optional<char32_t> KeyFilter(char32_t typed, bool backspaceFlag);

// False when the text starts with "," or holds more than one ",". Looks at nothing else.
bool FieldTextCheck(std::string_view text);

// Reads a field text as a number, in extended precision, with rounding to nearest:
//   spaces* [+|-] digits* [, digits*] [(E|e) [+|-] digits*] spaces*
// with at least one digit or the comma before the exponent ("," reads as 0, "5," as 5,
// "1e" as 1). Only the space character is skipped. Exponent digits are taken while the
// exponent read so far is below 500; a digit left over makes the text invalid.
// All mantissa digits are accumulated as value * 10 + digit, then scaled by 10^p
// (p = exponent - digits after the comma) through the powers-of-ten tables; a result too
// small for the format becomes 0.
// Throws EConvertError("'<text>' is not a valid floating point value") for a text of
// another form or whose value is infinite. Runs in time linear in the text's length.
Extended ReadNumber(std::string_view text);

// Stores an extended value as a double, rounding to nearest; a value too small becomes
// 0. Throws EOverflow("Floating point overflow") when the result is not finite.
double StoreAsDouble(Extended value);

// ReadNumber then StoreAsDouble: the number as a field's check sees it.
double ReadDouble(std::string_view text);

}  // namespace calc
