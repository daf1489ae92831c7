// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Field checks, range limits and corrected texts, and the order in which a calculation
// looks at the three fields.
#include <gtest/gtest.h>

#include <string>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/number_text.h"

namespace {

using calc::Accepted;
using namespace calc::literals;
using calc::FieldOutcome;
using calc::InputError;
using calc::OutOfRange;

enum class Which { FrequencyHz, FrequencyKHz, Resistance, CapacitanceNF, CapacitanceUF };

FieldOutcome Check(Which which, const std::string& text)
{
    switch (which) {
    case Which::FrequencyHz: return calc::CheckFrequency(text, 1);
    case Which::FrequencyKHz: return calc::CheckFrequency(text, 1000);
    case Which::Resistance: return calc::CheckResistance(text);
    case Which::CapacitanceNF: return calc::CheckCapacitance(text, 1e-9);
    case Which::CapacitanceUF: return calc::CheckCapacitance(text, 1e-6);
    }
    return InputError{};
}

// "accepted 7", "input error", "out of range '0,1'"
std::string Describe(const FieldOutcome& outcome)
{
    if (const auto* accepted = std::get_if<Accepted>(&outcome)) {
        char text[64];
        std::snprintf(text, sizeof text, "accepted %.17g", accepted->value);
        return text;
    }
    if (std::holds_alternative<InputError>(outcome))
        return "input error";
    return "out of range '" + std::get<OutOfRange>(outcome).replacement + "'";
}

TEST(FieldChecks, LimitsAndCorrectedTextsOfEveryFieldAndUnit)
{
    struct Row {
        Which which;
        const char* text;
        const char* outcome;
    };
    const Row rows[] = {
        {Which::Resistance, "5,5,5", "input error"},
        {Which::Resistance, ",5", "input error"},
        {Which::FrequencyHz, ",", "input error"},
        {Which::CapacitanceUF, ",,1", "input error"},
        {Which::Resistance, "5,", "accepted 5"},
        {Which::Resistance, "007", "accepted 7"},
        {Which::Resistance, "1e2", "accepted 100"},
        {Which::Resistance, "1e-4000", "out of range '0,1'"},
        // Each lower limit itself is accepted: "0,1" read into a double lies just above
        // the extended 0.1.
        {Which::FrequencyKHz, "0,1", "accepted 0.10000000000000001"},
        {Which::Resistance, "0,1", "accepted 0.10000000000000001"},
        {Which::CapacitanceNF, "0,1", "accepted 0.10000000000000001"},
        {Which::CapacitanceUF, "0,01", "accepted 0.01"},
        {Which::FrequencyHz, "1", "accepted 1"},
        {Which::FrequencyHz, "99999", "accepted 99999"},
        {Which::FrequencyKHz, "500", "accepted 500"},
        {Which::Resistance, "1000", "accepted 1000"},
        {Which::CapacitanceNF, "1000", "accepted 1000"},
        {Which::CapacitanceUF, "10", "accepted 10"},
        // Above 99999 Hz the field is emptied rather than set to the limit.
        {Which::FrequencyHz, "100000", "out of range ''"},
        {Which::FrequencyHz, "99999,01", "out of range ''"},
        {Which::FrequencyHz, "0,5", "out of range '1'"},
        {Which::FrequencyHz, "-5", "out of range '1'"},
        {Which::FrequencyHz, "-0", "out of range '1'"},
        {Which::FrequencyHz, "0,9999999999", "out of range '1'"},
        {Which::FrequencyKHz, "0,05", "out of range '0,1'"},
        {Which::FrequencyKHz, "0,09999999999999999", "out of range '0,1'"},
        {Which::FrequencyKHz, "600", "out of range '500'"},
        {Which::FrequencyKHz, "150", "accepted 150"},
        {Which::Resistance, "0,05", "out of range '0,1'"},
        {Which::Resistance, "1000,5", "out of range '1000'"},
        {Which::CapacitanceNF, "2000", "out of range '1000'"},
        {Which::CapacitanceUF, "2000", "out of range '10'"},
        {Which::CapacitanceNF, "0,05", "out of range '0,1'"},
        {Which::CapacitanceUF, "0,005", "out of range '0,01'"},
        {Which::CapacitanceUF, "0,05", "accepted 0.050000000000000003"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Describe(Check(row.which, row.text)), row.outcome) << row.text;
}

TEST(FieldChecks, EveryCorrectedTextIsAcceptedByTheNextCheck)
{
    const Which all[] = {Which::FrequencyHz, Which::FrequencyKHz, Which::Resistance,
                         Which::CapacitanceNF, Which::CapacitanceUF};
    for (const Which which : all) {
        for (const char* text : {"0,000001", "1e30"}) {
            const FieldOutcome first = Check(which, text);
            ASSERT_TRUE(std::holds_alternative<OutOfRange>(first)) << text;
            const std::string& replacement = std::get<OutOfRange>(first).replacement;
            if (replacement.empty())
                continue;  // the emptied frequency field: Go is disabled until it is typed into
            EXPECT_TRUE(std::holds_alternative<Accepted>(Check(which, replacement))) << replacement;
        }
    }
}

TEST(FieldChecks, ReadingErrorsEscapeTheCheck)
{
    EXPECT_THROW(calc::CheckResistance("12a"), calc::EConvertError);
    EXPECT_THROW(calc::CheckResistance("1 000"), calc::EConvertError);
    EXPECT_THROW(calc::CheckResistance("1e-5000"), calc::EConvertError);
    EXPECT_THROW(calc::CheckFrequency(std::string(400, '9'), 1), calc::EOverflow);
    // The text check comes first: a malformed text is never read.
    EXPECT_TRUE(std::holds_alternative<InputError>(calc::CheckResistance(",abc")));
    EXPECT_TRUE(std::holds_alternative<InputError>(calc::CheckResistance("a,b,c")));
}

TEST(UnitMultipliers, SettersHoldTheNearestDoubles)
{
    calc::CalcState state;
    EXPECT_EQ(state.FreqMultiplier, 1.0);
    EXPECT_EQ(state.CapMultiplier, 1e-9);
    calc::SetFrequencyUnit(state, calc::FrequencyUnit::kHz);
    calc::SetCapacitanceUnit(state, calc::CapacitanceUnit::uF);
    EXPECT_EQ(state.FreqMultiplier, 1000.0);
    EXPECT_EQ(state.CapMultiplier, 1e-6);
    calc::SetFrequencyUnit(state, calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(state, calc::CapacitanceUnit::nF);
    EXPECT_EQ(state.FreqMultiplier, 1.0);
    EXPECT_EQ(state.CapMultiplier, 1e-9);
}

TEST(FilterInputs, ScalesTheExtendedReadingNotTheCheckedDouble)
{
    // R and C are the texts read again, scaled in extended precision, rounded once.
    const calc::FilterInputs inputs = calc::FormFilterInputs(100, 1, "0,1", "4,7", 1e-9);
    EXPECT_EQ(inputs.f, 100.0);
    EXPECT_EQ(inputs.FreqMultiplier, 1.0);
    EXPECT_EQ(inputs.R, static_cast<double>(calc::ReadNumber("0,1") * 1000.0_ext));
    EXPECT_EQ(inputs.R, 100.0);
    EXPECT_EQ(inputs.C,
              static_cast<double>(calc::ReadNumber("4,7") * static_cast<calc::Extended>(1e-9)));
}

TEST(FilterInputs, DiffersFromTheDoubleProductWhereRoundingTwiceWould)
{
    // Find texts whose double reading, scaled, rounds differently from the extended one:
    // the inputs must follow the extended reading.
    int differing = 0;
    for (int hundredths = 10; hundredths <= 100000; ++hundredths) {
        const std::string text = std::to_string(hundredths / 100) + "," +
                                 std::to_string(hundredths % 100 / 10) +
                                 std::to_string(hundredths % 10);
        const double viaDouble = calc::ReadDouble(text) * 1e-9;
        const calc::FilterInputs inputs = calc::FormFilterInputs(1, 1, "1", text, 1e-9);
        EXPECT_EQ(inputs.C,
                  static_cast<double>(calc::ReadNumber(text) * static_cast<calc::Extended>(1e-9)));
        differing += inputs.C != viaDouble;
    }
    EXPECT_GT(differing, 0) << "no text tells the two readings apart; the test proves nothing";
}

calc::FieldTexts Texts(const char* f, const char* r, const char* c)
{
    return {f, r, c};
}

TEST(Calculate, StopsAtTheFirstFieldThatIsNotAccepted)
{
    struct Row {
        calc::FieldTexts texts;
        calc::Field field;
        const char* outcome;
    };
    const Row rows[] = {
        {Texts("0,5", "5000", "5000"), calc::Field::Frequency, "out of range '1'"},
        {Texts("100", "5000", "5000"), calc::Field::Resistance, "out of range '1000'"},
        {Texts("100", "33", "5000"), calc::Field::Capacitance, "out of range '1000'"},
        {Texts(",5", "5000", "abc"), calc::Field::Frequency, "input error"},
        {Texts("100", "1,2,3", "abc"), calc::Field::Resistance, "input error"},
        {Texts("100", "33", ",1"), calc::Field::Capacitance, "input error"},
    };
    for (const Row& row : rows) {
        calc::CalcState state;
        const calc::Calculation result = calc::Calculate(state, row.texts);
        ASSERT_TRUE(std::holds_alternative<calc::Rejected>(result));
        const auto& rejected = std::get<calc::Rejected>(result);
        EXPECT_EQ(rejected.field, row.field);
        EXPECT_EQ(Describe(rejected.outcome), row.outcome);
    }
}

TEST(Calculate, ReadingErrorsLeaveThePreviousResultsInPlace)
{
    calc::CalcState state;
    ASSERT_TRUE(
        std::holds_alternative<calc::Computed>(calc::Calculate(state, Texts("100", "33", "10"))));
    const calc::FilterResults before = state.results;
    EXPECT_THROW(calc::Calculate(state, Texts("100", "33", "10a")), calc::EConvertError);
    EXPECT_THROW(calc::Calculate(state, Texts("100", "33", std::string(400, '9').c_str())),
                 calc::EOverflow);
    // A later field is never read once an earlier one is rejected.
    EXPECT_NO_THROW(calc::Calculate(state, Texts("0", "33", "10a")));
    EXPECT_EQ(state.results.C1, before.C1);
    EXPECT_EQ(state.results.R3, before.R3);
}

TEST(Calculate, UsesTheUnitsOfTheState)
{
    calc::CalcState state;
    calc::SetCapacitanceUnit(state, calc::CapacitanceUnit::uF);
    auto result = calc::Calculate(state, Texts("100", "33", "20"));
    ASSERT_TRUE(std::holds_alternative<calc::Rejected>(result));
    EXPECT_EQ(Describe(std::get<calc::Rejected>(result).outcome), "out of range '10'");
    result = calc::Calculate(state, Texts("100", "33", "10"));
    ASSERT_TRUE(std::holds_alternative<calc::Computed>(result));
    EXPECT_EQ(state.inputs.C, static_cast<double>(10.0_ext * static_cast<calc::Extended>(1e-6)));

    calc::SetFrequencyUnit(state, calc::FrequencyUnit::kHz);
    result = calc::Calculate(state, Texts("150", "33", "10"));
    ASSERT_TRUE(std::holds_alternative<calc::Computed>(result));
    EXPECT_EQ(state.inputs.FreqMultiplier, 1000.0);
    EXPECT_EQ(state.inputs.f, 150.0);
}

TEST(Calculate, AnyEmptyFieldStopsGo)
{
    EXPECT_FALSE(calc::AnyFieldEmpty(Texts("100", "33", "10")));
    EXPECT_TRUE(calc::AnyFieldEmpty(Texts("", "33", "10")));
    EXPECT_TRUE(calc::AnyFieldEmpty(Texts("100", "", "10")));
    EXPECT_TRUE(calc::AnyFieldEmpty(Texts("100", "33", "")));
    EXPECT_FALSE(calc::AnyFieldEmpty(Texts(" ", " ", " ")));
}

}  // namespace
