// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Arguments shown back to a shell, in a one-line message and on a page.
#include <string>

#include <gtest/gtest.h>

#include "files/quoting.h"

namespace {

struct QuotingRow {
    const char* name;
    std::string argument;
    std::string shell;
    std::string message;
    std::string display;
};

void PrintTo(const QuotingRow& row, std::ostream* out)
{
    *out << row.name;
}

class Quoting : public testing::TestWithParam<QuotingRow> { };

TEST_P(Quoting, showsEachArgumentSafely)
{
    const QuotingRow& row = GetParam();
    EXPECT_EQ(files::ShellQuoted(row.argument), row.shell);
    EXPECT_EQ(files::ForMessage(row.argument), row.message);
    EXPECT_EQ(files::ForDisplay(row.argument), row.display);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Quoting, testing::Values(
    QuotingRow{"plain", "33k", "33k", "'33k'", "33k"},
    QuotingRow{"plainPunctuation", "--spice=a_b-c+d.e,f:g%h/i@j", "--spice=a_b-c+d.e,f:g%h/i@j",
               "'--spice=a_b-c+d.e,f:g%h/i@j'", "--spice=a_b-c+d.e,f:g%h/i@j"},
    QuotingRow{"utf8", "33kΩ", "33kΩ", "'33kΩ'", "33kΩ"},
    QuotingRow{"empty", "", "''", "''", ""},
    QuotingRow{"space", "my file.cir", "'my file.cir'", "'my file.cir'", "my file.cir"},
    QuotingRow{"quote", "it's", "'it'\\''s'", "'it\\'s'", "it's"},
    QuotingRow{"backslash", "a\\x41", "'a\\x41'", "'a\\\\x41'", "a\\x41"},
    QuotingRow{"markup", "a<b>&\"c", "'a<b>&\"c'", "'a<b>&\"c'", "a<b>&\"c"},
    QuotingRow{"newline", "a\nb", "'a\nb'", "'a\\nb'", "a\\nb"},
    QuotingRow{"tabAndReturn", "a\tb\rc", "'a\tb\rc'", "'a\\tb\\rc'", "a\\tb\\rc"},
    QuotingRow{"escapeSequence", "\x1b[31mred", "'\x1b[31mred'", "'\\x1b[31mred'",
               "\\x1b[31mred"},
    QuotingRow{"nulAndDel", std::string("a\0b\x7f", 4), std::string("'a\0b\x7f'", 6),
               "'a\\x00b\\x7f'", "a\\x00b\\x7f"},
    QuotingRow{"c1Controls", "a\u0085b\u009b", "a\u0085b\u009b", "'a\\u0085b\\u009b'",
               "a\\u0085b\\u009b"},
    QuotingRow{"lineSeparators", "a\u2028b\u2029", "a\u2028b\u2029", "'a\\u2028b\\u2029'",
               "a\\u2028b\\u2029"},
    QuotingRow{"rightToLeftOverride", "x\u202egnp.cir", "x\u202egnp.cir",
               "'x\\u202egnp.cir'", "x\\u202egnp.cir"},
    QuotingRow{"everyBidiControl",
               "\u202a\u202b\u202c\u202d\u2066\u2067\u2068\u2069\u200e\u200f\u061c",
               "\u202a\u202b\u202c\u202d\u2066\u2067\u2068\u2069\u200e\u200f\u061c",
               "'\\u202a\\u202b\\u202c\\u202d\\u2066\\u2067\\u2068\\u2069\\u200e\\u200f\\u061c'",
               "\\u202a\\u202b\\u202c\\u202d\\u2066\\u2067\\u2068\\u2069\\u200e\\u200f\\u061c"},
    QuotingRow{"noncharacters", "a\uFDD0\uFFFE\U0010FFFF", "a\uFDD0\uFFFE\U0010FFFF",
               "'a\\ufdd0\\ufffe\\U0010ffff'", "a\\ufdd0\\ufffe\\U0010ffff"},
    QuotingRow{"hebrewStaysAsItIs", "שלום.cir", "שלום.cir", "'שלום.cir'", "שלום.cir"},
    QuotingRow{"invalidByte", "a\xff" "b", "a\xff" "b", "'a\\xffb'", "a\uFFFDb"},
    QuotingRow{"truncatedSequence", "a\xe2\x80", "a\xe2\x80", "'a\\xe2\\x80'",
               "a\uFFFD\uFFFD"},
    QuotingRow{"overlongSlash", "\xc0\xaf", "\xc0\xaf", "'\\xc0\\xaf'", "\uFFFD\uFFFD"},
    QuotingRow{"surrogate", "\xed\xa0\x80", "\xed\xa0\x80", "'\\xed\\xa0\\x80'",
               "\uFFFD\uFFFD\uFFFD"},
    QuotingRow{"aboveUnicode", "\xf4\x90\x80\x80", "\xf4\x90\x80\x80",
               "'\\xf4\\x90\\x80\\x80'", "\uFFFD\uFFFD\uFFFD\uFFFD"},
    QuotingRow{"fourByteCharacter", "\U0001F50A", "\U0001F50A", "'\U0001F50A'", "\U0001F50A"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
