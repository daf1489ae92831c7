// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculation's constants: every _ext literal in calc/ is listed from the sources and
// must be stored as the extended value nearest to its decimal, as MPFR and (where there
// is one) the x87's strtold find it; no `long double` literal is left to a compiler.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "calc/extended.h"
#include "extended_references.h"

namespace {

using calc::ExtendedBits;

struct Literal {
    std::string file;
    std::string text;  // as written, without the suffix
};

// The calc/ sources without their comments.
std::vector<std::pair<std::string, std::string>> CalcSources()
{
    std::vector<std::pair<std::string, std::string>> sources;
    for (const auto& entry : std::filesystem::directory_iterator(BUTTERWORTH3_CALC_SOURCE_DIR)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp")
            continue;
        std::ifstream in(entry.path());
        std::string code;
        for (std::string line; std::getline(in, line);)
            code += line.substr(0, line.find("//")) + '\n';
        sources.emplace_back(entry.path().filename().string(), code);
    }
    return sources;
}

std::vector<Literal> MatchesIn(const std::regex& pattern)
{
    std::vector<Literal> found;
    for (const auto& [file, code] : CalcSources()) {
        for (auto it = std::sregex_iterator(code.begin(), code.end(), pattern);
             it != std::sregex_iterator(); ++it)
            found.push_back({file, (*it)[1].str()});
    }
    return found;
}

std::string Hex(ExtendedBits bits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04x:%016llx", bits.signExponent,
                  static_cast<unsigned long long>(bits.significand));
    return text;
}

// The nearest extended value by MPFR (64 bits, the x87's exponent range).
ExtendedBits MpfrNearest(const std::string& decimal)
{
    reference::Mpfr::SetX87Range();
    reference::Mpfr x;
    x.Subnormalize(mpfr_strtofr(x.get(), decimal.c_str(), nullptr, 10, MPFR_RNDN));
    return x.Bits();
}

::testing::AssertionResult StoredExactly(const std::string& decimal, ExtendedBits stored)
{
    const ExtendedBits mpfr = MpfrNearest(decimal);
    if (stored != mpfr)
        return ::testing::AssertionFailure()
               << decimal << ": " << Hex(stored) << " instead of MPFR's " << Hex(mpfr);
#if HOST_HAS_X87
    const ExtendedBits x87 = reference::Bits(std::strtold(decimal.c_str(), nullptr));
    if (stored != x87)
        return ::testing::AssertionFailure()
               << decimal << ": " << Hex(stored) << " instead of strtold's " << Hex(x87);
#endif
    return ::testing::AssertionSuccess();
}

TEST(ExtendedLiterals, EveryConstantOfTheCalculationIsTheNearestExtendedValue)
{
    const std::vector<Literal> literals =
        MatchesIn(std::regex(R"((?:^|[^\w.])(\d[\d.']*(?:[eE][-+]?\d+)?)_ext\b)"));
    for (const Literal& literal : literals) {
        std::string decimal = literal.text;
        std::erase(decimal, '\'');
        const ExtendedBits parsed = calc::ExtendedFromDecimal(decimal);
        EXPECT_TRUE(StoredExactly(decimal, parsed)) << literal.file;
        // Through the calculation's type: what the compiled constant holds.
        EXPECT_EQ(calc::BitsOf(calc::FromBits(parsed)), parsed) << literal.file << ": " << decimal;
    }
    std::printf("%zu constants in calc/\n", literals.size());
    EXPECT_EQ(literals.size(), 91u) << "the calculation's constants changed: check this list";
}

TEST(ExtendedLiterals, NoLongDoubleLiteralIsLeft)
{
    // 1.5L means what each compiler's long double makes of it: binary128, double, or x87.
    for (const Literal& literal :
         MatchesIn(std::regex(R"((?:^|[^\w.])(\d[\d.']*(?:[eE][-+]?\d+)?)[lL]\b)")))
        ADD_FAILURE() << literal.file << ": " << literal.text << "L";
}

TEST(ExtendedFromDecimal, GivesTheNearestValueOfAnyDecimalInTheNormalRange)
{
    std::mt19937_64 random(18);
    const long count = 40'000;
    long checked = 0;
    for (long n = 0; n < count; ++n) {
        std::string digits;
        const int digitCount = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < digitCount; ++i)
            digits += static_cast<char>('0' + random() % 10);
        const int point = static_cast<int>(random() % (digitCount + 1));
        // Mostly near the calculation's magnitudes, some near both ends of the range.
        const int exponent = random() % 4 == 0 ? static_cast<int>(random() % 9800) - 4900
                                               : static_cast<int>(random() % 80) - 40;
        const std::string decimal =
            digits.substr(0, point) + "." + digits.substr(point) + "e" + std::to_string(exponent);
        const ExtendedBits mpfr = MpfrNearest(decimal);
        const bool normal = mpfr.BiasedExponent() != 0 && mpfr.BiasedExponent() != 0x7fff;
        if (!normal && mpfr.significand != 0) {
            EXPECT_THROW(calc::ExtendedFromDecimal(decimal), std::out_of_range) << decimal;
            continue;
        }
        EXPECT_TRUE(StoredExactly(decimal, calc::ExtendedFromDecimal(decimal)));
        ++checked;
    }
    EXPECT_GT(checked, count * 9 / 10);
}

TEST(ExtendedFromDecimal, RefusesOtherTexts)
{
    for (const char* text : {"", ".", "e5", "1e", "1e+", "1.2.3", "0x1p3", "1f", "-1", "1e5e"})
        EXPECT_THROW(calc::ExtendedFromDecimal(text), std::invalid_argument) << text;
    // Denormals, infinity: no constant of the calculation is one.
    for (const char* text : {"1e5000", "1.2e4932", "1e-4940", "3e-4951"})
        EXPECT_THROW(calc::ExtendedFromDecimal(text), std::out_of_range) << text;
}

}  // namespace
