// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Every output of the design command is the same, byte for byte, under a locale that writes
// a decimal comma, set in the process as a Qt program sets it. LOCPATH names the folder the
// test command built de_DE.UTF-8 into.
#include <clocale>
#include <cstdlib>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/design_command.h"

namespace {

constexpr const char* CommaLocale = "de_DE.UTF-8";

// The outputs of one design: the text, the JSON, both netlists, the plot and the report.
std::vector<std::string> Outputs(std::vector<std::string_view> args)
{
    static const std::vector<std::vector<std::string_view>> Formats = {
        {},
        {"--json"},
        {"--spice", "-"},
        {"--spice", "-", "--dialect", "ltspice"},
        {"--svg", "-"},
        {"--html", "-"}};
    std::vector<std::string> outputs;
    for (const auto& format : Formats) {
        std::vector<std::string_view> all = args;
        all.insert(all.end(), format.begin(), format.end());
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunDesignCommand(all, out, err), 0) << err.str();
        outputs.push_back(out.str());
    }
    return outputs;
}

class CommaLocaleTest : public testing::TestWithParam<std::vector<std::string_view>> {
protected:
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

TEST_P(CommaLocaleTest, WritesAndReadsAsInTheCLocale)
{
    ASSERT_STREQ(std::setlocale(LC_ALL, "C"), "C");
    const std::vector<std::string> plain = Outputs(GetParam());

    ASSERT_NE(std::setlocale(LC_ALL, CommaLocale), nullptr)
        << CommaLocale << " is missing from LOCPATH "
        << (std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "(unset)");
    std::locale::global(std::locale(CommaLocale));
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const std::vector<std::string> comma = Outputs(GetParam());

    ASSERT_EQ(comma.size(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_FALSE(plain[i].empty());
        EXPECT_EQ(comma[i], plain[i]) << "output " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, CommaLocaleTest,
    testing::Values(
        std::vector<std::string_view>{"lowpass", "100", "33k"},
        std::vector<std::string_view>{"highpass", "2.5k", "4.7n", "--series", "E24"},
        std::vector<std::string_view>{"lowpass", "1.5k", "10k", "--response", "chebyshev-0.5",
                                      "--series", "E12", "--move-value", "E24:3"},
        std::vector<std::string_view>{"highpass", "10k", "1n", "--opamp", "1.5Meg,200k,100"},
        std::vector<std::string_view>{"lowpass", "12.5", "4k7", "--response", "bessel", "--opamp",
                                      "2.2Meg", "--objective", "shape", "--series", "E96"},
        std::vector<std::string_view>{"lowpass", "100", "33k", "--tolerance", "0.5%,1.5%",
                                      "--samples", "2000", "--distribution", "normal"},
        std::vector<std::string_view>{"highpass", "1kHz", "10", "--coefficients", "window"},
        std::vector<std::string_view>{"lowpass", "1", "22.165k", "--series", "E6"}));

}  // namespace
