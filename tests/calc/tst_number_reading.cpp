// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Typed characters, text checks and the reading of field texts as numbers.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "calc/powers_of_ten.h"

namespace {

using calc::Extended;
using namespace calc::literals;

std::string Describe(Extended x)
{
    const calc::ExtendedBits bits = calc::BitsOf(x);
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (%04x %016llx)", static_cast<double>(x),
                  bits.signExponent, static_cast<unsigned long long>(bits.significand));
    return text;
}

// Bit-exact equality of extended values, printed readably on failure.
::testing::AssertionResult SameExtended(Extended actual, Extended expected)
{
    if (calc::BitsOf(actual) == calc::BitsOf(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << Describe(actual) << " instead of " << Describe(expected);
}

// The extended value nearest to a decimal text such as "1.5e-3".
Extended Nearest(const std::string& decimal)
{
    return calc::FromBits(calc::ExtendedFromDecimal(decimal));
}

TEST(KeyFilter, PassesDigitsAndCommaTurnsFullStopIntoComma)
{
    for (char32_t c = U'0'; c <= U'9'; ++c)
        EXPECT_EQ(calc::KeyFilter(c, false), c);
    EXPECT_EQ(calc::KeyFilter(U',', false), U',');
    EXPECT_EQ(calc::KeyFilter(U'.', false), U',');
}

TEST(KeyFilter, DropsEverythingElseUnlessBackspaceWasPressed)
{
    // Letters, signs, blanks, Enter, Escape, Backspace's own character after another key,
    // the clipboard and undo control characters, Cyrillic, and the Ctrl+Backspace character.
    const char32_t dropped[] = {U'a', U'e', U'E', U'+', U'-', U' ', U'\t', 13,   10,   27,
                                8,    3,    22,   24,   26,   127,  U'/',  U':', U'с', 0x1F600};
    for (const char32_t c : dropped) {
        EXPECT_EQ(calc::KeyFilter(c, false), std::nullopt) << "code " << unsigned(c);
        // After a Backspace key-down every character goes through unchanged, "." included.
        EXPECT_EQ(calc::KeyFilter(c, true), c) << "code " << unsigned(c);
    }
    EXPECT_EQ(calc::KeyFilter(U'.', true), U'.');
}

TEST(FieldTextCheck, RejectsLeadingCommaAndSecondComma)
{
    struct Row {
        const char* text;
        bool wellFormed;
    };
    // clang-format off
    const Row rows[] = {
        {"5,5,5", false}, {",5", false}, {",", false}, {"1,,", false}, {",,", false},
        {"5,", true},     {"5,5", true}, {"abc", true}, {" ,5", true}, {"-,5", true},
        {"1.5", true},    {"1e5", true}, {"", true},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(calc::FieldTextCheck(row.text), row.wellFormed) << '"' << row.text << '"';
}

TEST(ReadNumber, ReadsTheTextsOfTheFieldGrammar)
{
    struct Row {
        const char* text;
        Extended value;
    };
    // clang-format off
    const Row rows[] = {
        {"5", 5},        {"007", 7},          {"5,", 5},          {",", 0},
        {"0", 0},        {"1e2", 100},        {"1E2", 100},       {"1e", 1},
        {"1e+", 1},      {"2e-", 2},          {"12,5", 12.5_ext},    {"+12,5", 12.5_ext},
        {"-5", -5},      {"   5", 5},         {"5   ", 5},        {"  -0,5e1  ", -5},
        {",5e1", 5},     {"1e0000000002", 100}, {"0000000000000000000000000000001", 1},
        {"1,000000000000000000000000000", 1},   {"25e-1", 2.5_ext},    {"-,", -0.0_ext},      {",e", 0},   {"0e4999", 0},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_TRUE(SameExtended(calc::ReadNumber(row.text), row.value)) << '"' << row.text << '"';
}

TEST(ReadNumber, MinusZeroKeepsItsSign)
{
    EXPECT_TRUE(calc::signbit(calc::ReadNumber("-0")));
    EXPECT_FALSE(calc::signbit(calc::ReadNumber("0")));
}

TEST(ReadNumber, RejectsOtherTextsWithTheWholeTextInTheMessage)
{
    // clang-format off
    const std::string rows[] = {
        "",       " ",      "+",     "-",       "e5",     "+e",    "12a",    "1 000",
        "1.5",    "\t5",    "5\t",   "- 5",     "--5",    "+-5",   "5-",     "1e5e",
        "1ee5",   "1e 5",   "1e--5", "0x10",    "inf",    "nan",   "1,5,",   "5\x7f",
        "\x7f",   "1e5000", "1e-5000", "1e49999", std::string("5\0", 2),  "٣",
        "1e4933", "99e4931",
    };
    // clang-format on
    for (const std::string& text : rows) {
        try {
            calc::ReadNumber(text);
            ADD_FAILURE() << '"' << text << "\" was read";
        } catch (const calc::EConvertError& error) {
            EXPECT_EQ(error.message(), "'" + text + "' is not a valid floating point value");
        }
    }
}

TEST(ReadNumber, TakesExponentDigitsOnlyBelowFiveHundred)
{
    // 1e499 and 1e500 are read; a fourth exponent digit after 500 is left over.
    EXPECT_NO_THROW(calc::ReadNumber("1e499"));
    EXPECT_NO_THROW(calc::ReadNumber("1e500"));
    EXPECT_NO_THROW(calc::ReadNumber("0e4999"));  // 499, then one more digit: 4999
    EXPECT_THROW(calc::ReadNumber("1e5000"), calc::EConvertError);
    EXPECT_THROW(calc::ReadNumber("1e49990"), calc::EConvertError);
    EXPECT_GT(calc::ReadNumber("1e-4000"), 0);  // extended reaches 1e-4951
    EXPECT_EQ(calc::ReadNumber("1e-4999"), 0);  // below the extended range: silently 0
}

TEST(ReadNumber, SingleRoundingAgreesWithCorrectlyRoundedConversion)
{
    // With at most 19 digits the accumulated integer is exact, and a power of ten up to
    // 10^27 is exact too, so the result is one correctly rounded operation: the extended
    // value nearest to the decimal.
    std::mt19937_64 random(20261207);
    for (int n = 0; n < 20000; ++n) {
        const int digitCount = 1 + static_cast<int>(random() % 19);
        std::string digits;
        for (int i = 0; i < digitCount; ++i)
            digits += static_cast<char>('0' + random() % 10);
        const int fraction = static_cast<int>(random() % (digitCount + 1));
        const int p = static_cast<int>(random() % 55) - 27;
        const int exponent = p + fraction;
        const std::string whole = digits.substr(0, digitCount - fraction);
        const std::string part = digits.substr(digitCount - fraction);
        const std::string field = whole + "," + part + "e" + std::to_string(exponent);
        const std::string c = whole + "." + part + "e" + std::to_string(exponent);
        EXPECT_TRUE(SameExtended(calc::ReadNumber(field), Nearest(c))) << field;
    }
}

TEST(ReadNumber, ScalesThroughThreeTablesOfNearestPowers)
{
    // Every table entry is the extended value nearest to its power of ten.
    for (std::size_t i = 0; i < calc::PowersOfTen.size(); ++i)
        EXPECT_TRUE(SameExtended(calc::PowersOfTen[i], Nearest("1e" + std::to_string(i)))) << i;
    for (std::size_t i = 0; i < calc::PowersOfTen32.size(); ++i)
        EXPECT_TRUE(SameExtended(calc::PowersOfTen32[i], Nearest("1e" + std::to_string(32 * i))))
            << 32 * i;
    for (std::size_t i = 0; i < calc::PowersOfTen512.size(); ++i)
        EXPECT_TRUE(SameExtended(calc::PowersOfTen512[i], Nearest("1e" + std::to_string(512 * i))))
            << 512 * i;
    // 10^1234 = 10^18 * 10^192 * 10^1024, multiplied in that order.
    const Extended expected =
        1.0_ext * calc::PowersOfTen[18] * calc::PowersOfTen32[6] * calc::PowersOfTen512[2];
    EXPECT_TRUE(SameExtended(calc::ReadNumber("1e1234"), expected));
    EXPECT_TRUE(SameExtended(calc::ReadNumber("1e-1234"), 1.0_ext / calc::PowersOfTen[18] /
                                                              calc::PowersOfTen32[6] /
                                                              calc::PowersOfTen512[2]));
}

TEST(ReadNumber, OverflowingTheExtendedRangeIsNotANumber)
{
    EXPECT_THROW(calc::ReadNumber(std::string(5000, '9')), calc::EConvertError);
    EXPECT_THROW(calc::ReadNumber(std::string(5000, '9') + "e-10"), calc::EConvertError);
    // Scaling by 10^-5120 or less gives 0 outright, even for a mantissa that overflowed.
    EXPECT_EQ(calc::ReadNumber("," + std::string(6000, '9')), 0);
}

TEST(StoreAsDouble, OverflowsAboveTheLargestDoubleAndUnderflowsToZero)
{
    EXPECT_EQ(calc::ReadDouble("1e308"), 1e308);
    EXPECT_EQ(calc::ReadDouble("1,7976931348623157e308"), 1.7976931348623157e308);
    EXPECT_EQ(calc::ReadDouble("1e-400"), 0.0);
    EXPECT_EQ(calc::ReadDouble("-1e-400"), 0.0);
    for (const std::string& text :
         {std::string(400, '9'), std::string("1e309"), std::string("-1e309"),
          std::string("1,8e308"), std::string("1e4932")}) {
        try {
            calc::ReadDouble(text);
            ADD_FAILURE() << text << " was stored";
        } catch (const calc::EOverflow& error) {
            EXPECT_EQ(error.message(), "Floating point overflow");
        }
    }
}

TEST(ReadNumber, IsLinearInTheLengthOfTheText)
{
    // A megabyte of digits, of zeros, of blanks and of exponent zeros each reads in one pass.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(calc::ReadNumber(std::string(1 << 20, '7')), calc::EConvertError);
    EXPECT_EQ(calc::ReadNumber(std::string(1 << 20, '0')), 0);
    EXPECT_EQ(calc::ReadNumber(std::string(1 << 20, ' ') + "5" + std::string(1 << 20, ' ')), 5);
    EXPECT_EQ(calc::ReadNumber("5e" + std::string(1 << 20, '0') + "1"), 50);
    EXPECT_EQ(calc::ReadNumber("0," + std::string(1 << 20, '0') + "1"), 0);
    // Generous: a quadratic reading would take minutes here.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(ErrorBoxText, AppendsAFullStopAfterALetterOrDigitOnly)
{
    struct Row {
        const char* message;
        const char* text;
    };
    // clang-format off
    const Row rows[] = {
        {"'12a' is not a valid floating point value", "'12a' is not a valid floating point value."},
        {"Floating point overflow", "Floating point overflow."},
        {"", ""}, {"ends with 9", "ends with 9."}, {"ends.", "ends."}, {"blank ", "blank "},
        {"bracket)", "bracket)"}, {"bang!", "bang!"}, {"quote'", "quote'"}, {"slash/", "slash/."},
        {"comma,", "comma,"}, {"minus-", "minus-"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(calc::ErrorBoxText(row.message), row.text);
}

}  // namespace
