// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Argument parsing of the command-line companion: options, "--", field texts, usage errors.
#include "cli/cli.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct ParsedFields {
    bool kHz, uF, json;
    std::string frequency, resistance, capacitance;
};

struct OptionsRow {
    const char* name;
    std::vector<std::string_view> args;
    ParsedFields expected;
};

void PrintTo(const OptionsRow& row, std::ostream* os)
{
    *os << row.name;
}

class ParsesOptions : public testing::TestWithParam<OptionsRow> { };

TEST_P(ParsesOptions, GivesUnitsOutputAndFieldTexts)
{
    const OptionsRow& row = GetParam();
    const cli::ParsedArguments parsed = cli::ParseArguments(row.args);
    ASSERT_TRUE(std::holds_alternative<cli::Options>(parsed));
    const cli::Options& options = std::get<cli::Options>(parsed);
    EXPECT_EQ(options.kHz, row.expected.kHz);
    EXPECT_EQ(options.uF, row.expected.uF);
    EXPECT_EQ(options.json, row.expected.json);
    EXPECT_EQ(options.texts.frequency, row.expected.frequency);
    EXPECT_EQ(options.texts.resistance, row.expected.resistance);
    EXPECT_EQ(options.texts.capacitance, row.expected.capacitance);
}

// clang-format off
const OptionsRow optionsRows[] = {
    {"plainTexts", {"100", "33", "10"}, {false, false, false, "100", "33", "10"}},
    {"allOptionsFirst", {"--khz", "--uf", "--json", "1", "2", "3"}, {true, true, true, "1", "2", "3"}},
    {"optionsBetweenAndAfter", {"500", "--khz", "1000", "10", "--uf"}, {true, true, false, "500", "1000", "10"}},
    {"repeatedOptionCountsOnce", {"--uf", "1", "--uf", "2", "3"}, {false, true, false, "1", "2", "3"}},
    {"fullStopBecomesComma", {"12.5", ".1", "1.2.3"}, {false, false, false, "12,5", ",1", "1,2,3"}},
    {"nothingElseIsTouched", {"12a", " 1 000 ", "\t5e3"}, {false, false, false, "12a", " 1 000 ", "\t5e3"}},
    {"doubleDashLetsMinusThrough", {"--", "-5", "33", "10"}, {false, false, false, "-5", "33", "10"}},
    {"optionsBeforeDoubleDashStillCount", {"--khz", "--", "-0.5", "-", "--uf"}, {true, false, false, "-0,5", "-", "--uf"}},
    {"secondDoubleDashIsAText", {"--", "1", "--", "3"}, {false, false, false, "1", "--", "3"}},
    {"helpAfterDoubleDashIsAText", {"--", "--help", "2", "3"}, {false, false, false, "--help", "2", "3"}},
    {"loneDashIsAText", {"-", "33", "10"}, {false, false, false, "-", "33", "10"}},
    {"emptyAndBlankTexts", {"", "33", " "}, {false, false, false, "", "33", " "}},
    {"controlAndNonUtf8Bytes", {"\x7f", "1\x08", "\xff\xd0"}, {false, false, false, "\x7f", "1\x08", "\xff\xd0"}},
    {"cyrillicText", {"5\xd0\xb4", "33", "10"}, {false, false, false, "5\xd0\xb4", "33", "10"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cli, ParsesOptions, testing::ValuesIn(optionsRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedRow {
    const char* name;
    std::vector<std::string_view> args;
    bool help;                // HelpRequest rather than UsageError
    const char* messagePart;  // for a UsageError
};

void PrintTo(const RefusedRow& row, std::ostream* os)
{
    *os << row.name;
}

class RefusesOrHelps : public testing::TestWithParam<RefusedRow> { };

TEST_P(RefusesOrHelps, GivesHelpOrUsageError)
{
    const RefusedRow& row = GetParam();
    const cli::ParsedArguments parsed = cli::ParseArguments(row.args);
    if (row.help) {
        EXPECT_TRUE(std::holds_alternative<cli::HelpRequest>(parsed));
        return;
    }
    ASSERT_TRUE(std::holds_alternative<cli::UsageError>(parsed));
    EXPECT_NE(std::get<cli::UsageError>(parsed).message.find(row.messagePart), std::string::npos)
        << std::get<cli::UsageError>(parsed).message;
}

const RefusedRow refusedRows[] = {
    {"helpAlone", {"--help"}, true, ""},
    {"helpWithFields", {"100", "33", "10", "--help"}, true, ""},
    {"helpWinsOverUnknownOption", {"--bogus", "--help"}, true, ""},
    {"helpWinsOverFieldCount", {"--help", "1"}, true, ""},
    {"noArguments", {}, false, "got 0"},
    {"twoFields", {"1", "2"}, false, "got 2"},
    {"fourFields", {"1", "2", "3", "4"}, false, "got 4"},
    {"onlyDoubleDash", {"--"}, false, "got 0"},
    {"minusWithoutDoubleDash", {"-5", "33", "10"}, false, "'-5'"},
    {"unknownLongOption", {"--mhz", "1", "2", "3"}, false, "'--mhz'"},
    {"optionsAreCaseSensitive", {"--kHz", "1", "2", "3"}, false, "'--kHz'"},
    {"noOptionValues", {"--khz=1", "1", "2", "3"}, false, "'--khz=1'"},
    {"firstUnknownOptionIsReported", {"-x", "--y", "1", "2", "3"}, false, "'-x'"},
    {"unknownOptionShownOnOneLine",
     {"--x\nFAKE\x1b[31m", "1", "2"},
     false,
     R"('--x\nFAKE\x1b[31m')"},
    {"unknownOptionsBytesEscaped",
     {"--\xff\xe2\x80\xae", "1", "2", "3"},
     false,
     R"('--\xff\u202e')"},
};

INSTANTIATE_TEST_SUITE_P(Cli, RefusesOrHelps, testing::ValuesIn(refusedRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunCommandLine, HelpGoesToStdoutWithExitZero)
{
    const std::vector<std::string_view> args = {"--help"};
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCommandLine(args, out, err), 0);
    EXPECT_EQ(out.str(), cli::UsageText());
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(
        out.str().rfind("Usage: butterworth3-cli [--khz] [--uf] [--json] FREQUENCY RESISTANCE "
                        "CAPACITANCE\n",
                        0),
        0u);
}

TEST(RunCommandLine, UsageErrorGoesToStderrWithExitTwo)
{
    const std::vector<std::string_view> args = {"100", "33"};
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCommandLine(args, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind("butterworth3-cli: expected 3 field texts", 0), 0u) << err.str();
    EXPECT_NE(err.str().find(cli::UsageText()), std::string::npos);
}

}  // namespace
