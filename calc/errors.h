// The two errors that the number reading raises. Nothing in the calculation catches
// them: they travel up to whoever runs the calculation, which shows their message.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace calc {

// A text that is not a number. Message: "'<text>' is not a valid floating point value".
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A number that does not fit a double. Message: "Floating point overflow".
class EOverflow : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text of the error box for a message: a "." is appended when the message is not
// empty and its last character has a code above that of "." (a letter or a digit, but
// not a blank, ")", "!", a quote or "." itself).
std::string ErrorBoxText(std::string_view message);

}  // namespace calc
