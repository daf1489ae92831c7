// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The two errors that the number reading raises. Nothing in the calculation catches
// them: they travel up to whoever runs the calculation, which shows their message.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace calc {

// An error with a message meant for the user. message() is the whole text, even one that
// quotes a field holding a NUL character, which what() would cut short.
class CalcError : public std::runtime_error {
public:
    explicit CalcError(std::string message)
        : std::runtime_error(message), message_(std::move(message))
    {
    }
    const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

// A text that is not a number. Message: "'<text>' is not a valid floating point value".
class EConvertError : public CalcError {
public:
    using CalcError::CalcError;
};

// A number that does not fit a double. Message: "Floating point overflow".
class EOverflow : public CalcError {
public:
    using CalcError::CalcError;
};

// The text of the error box for a message: a "." is appended when the message is not
// empty and its last character has a code above that of "." (a letter or a digit, but
// not a blank, ")", "!", a quote or "." itself).
std::string ErrorBoxText(std::string_view message);

}  // namespace calc
