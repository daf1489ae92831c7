// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Arguments as a user typed them, shown back: to a shell, in a one-line message, on a page.
#pragma once

#include <string>
#include <string_view>

namespace files {

// The argument as a POSIX shell takes it back as one word: as it is when it holds only
// letters, digits, bytes from 0x80 up and _-+.,:=%/@; otherwise in single quotes, a quote
// inside written '\''.
std::string ShellQuoted(std::string_view argument);

// The argument in single quotes for a one-line message, every byte that could break the
// line, move the cursor or reorder the text written as an escape: C0 and C1 controls and
// DEL (\n, \t, \r, \x1b, \u0085), the line and paragraph separators, the bidirectional
// controls (\u202e ...), the noncharacters (\ufffe, \U0010ffff), and each byte that is not
// part of valid UTF-8 (\xff). A backslash
// and a quote are written \\ and \' so that every escape reads one way.
std::string ForMessage(std::string_view argument);

// The text as valid UTF-8 that shows what it holds on one line: invalid bytes become
// U+FFFD, and the characters ForMessage escapes are written the same way (\x1b, \u202e).
// Nothing else changes, backslashes and quotes included.
std::string ForDisplay(std::string_view text);

// A JSON text (valid UTF-8) with every character ForMessage escapes above U+001F written as
// a JSON escape (\u202e, \ud83f\udffe): the same value when read, shown on one line in order.
std::string ForJson(std::string_view json);

}  // namespace files
