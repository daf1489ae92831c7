// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What the command-line companion prints for each outcome of a Go, as text and as JSON,
// and its exit code.
#include "cli/cli.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

cli::Options Parsed(const std::vector<std::string_view>& args)
{
    const cli::ParsedArguments parsed = cli::ParseArguments(args);
    if (!std::holds_alternative<cli::Options>(parsed))
        ADD_FAILURE() << "arguments not parsed as options";
    return std::holds_alternative<cli::Options>(parsed) ? std::get<cli::Options>(parsed)
                                                        : cli::Options{};
}

const std::string defaultsText = "C1 = 68,05 nF\n"
                                 "C2 = 0,17 uF\n"
                                 "C3 = 9,86 nF\n"
                                 "R1 = 109,5 kOhm / кОм\n"
                                 "R2 = 43 kOhm / кОм\n"
                                 "R3 = 755,8 kOhm / кОм\n";

// Results: their JSON form is checked against the core below (JsonResults).
struct ResultsRow {
    const char* name;
    std::vector<std::string_view> args;
    std::string plain;
};

void PrintTo(const ResultsRow& row, std::ostream* os)
{
    *os << row.name;
}

class RendersResults : public testing::TestWithParam<ResultsRow> { };

TEST_P(RendersResults, AsPlainLinesWithExitZero)
{
    const ResultsRow& row = GetParam();
    const cli::Outcome outcome = cli::Run(Parsed(row.args));
    EXPECT_EQ(cli::RenderPlain(outcome), row.plain);
    EXPECT_EQ(cli::ExitCode(outcome), 0);
}

// clang-format off
const ResultsRow resultsRows[] = {
    {"defaults", {"100", "33", "10"}, defaultsText},
    {"defaultsTypedWithFullStop", {"100.", "33.0", "10"}, defaultsText},
    {"sameProductFrequencyCapacitance", {"1000", "10", "1"},
     "C1 = 22,46 nF\nC2 = 57,15 nF\nC3 = 3,25 nF\n"
     "R1 = 109,5 kOhm / кОм\nR2 = 43 kOhm / кОм\nR3 = 755,8 kOhm / кОм\n"},
    {"lowestCornerMarksAll", {"1", "0,1", "0,1"},
     "C1 = 2245,67 uF <--- !\nC2 = 5715,24 uF <--- !\nC3 = 325,47 uF <--- !\n"
     "R1 = 1094665,1 kOhm / кОм <--- !\nR2 = 430354 kOhm / кОм <--- !\n"
     "R3 = 7558250,6 kOhm / кОм <--- !\n"},
    {"highestCornerBelowDisplayRange", {"500", "--khz", "1000", "10", "--uf"},
     "C1 = below display range <--- !\nC2 = 1 pF <--- !\nC3 = below display range <--- !\n"
     "R1 = below display range <--- !\nR2 = below display range <--- !\n"
     "R3 = below display range <--- !\n"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cli, RendersResults, testing::ValuesIn(resultsRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Every outcome without results, as text and as JSON, with exit code 1.
struct RejectionRow {
    const char* name;
    std::vector<std::string_view> args;
    std::string plain;
    std::string json;
};

void PrintTo(const RejectionRow& row, std::ostream* os)
{
    *os << row.name;
}

class RendersRejection : public testing::TestWithParam<RejectionRow> { };

TEST_P(RendersRejection, AsPlainLines)
{
    const RejectionRow& row = GetParam();
    const cli::Outcome outcome = cli::Run(Parsed(row.args));
    EXPECT_EQ(cli::RenderPlain(outcome), row.plain);
    EXPECT_EQ(cli::ExitCode(outcome), 1);
}

TEST_P(RendersRejection, AsJson)
{
    const RejectionRow& row = GetParam();
    const cli::Outcome outcome = cli::Run(Parsed(row.args));
    EXPECT_EQ(cli::RenderJson(outcome), row.json + "\n");
}

const std::string nines400(400, '9');

// clang-format off
const RejectionRow rejectionRows[] = {
    {"emptyFrequency", {"", "33", "10"},
     "A field is empty: nothing is calculated.\n", R"({"outcome":"empty"})"},
    {"emptyCapacitanceAfterBadFrequency", {",5", "33", ""},
     "A field is empty: nothing is calculated.\n", R"({"outcome":"empty"})"},
    {"leadingCommaIsInputError", {",5", "33", "10"},
     "Input error / Ошибка ввода\nField: frequency\n",
     R"({"outcome":"input-error","field":"frequency"})"},
    {"twoCommasInCapacitance", {"100", "33", "5.5,5"},
     "Input error / Ошибка ввода\nField: capacitance\n",
     R"({"outcome":"input-error","field":"capacitance"})"},
    {"frequencyAboveHzRangeEmptiesField", {"150000", "33", "10"},
     "Data is outrange / Данные выходят из диапазона\nField: frequency\nCorrected text: \"\"\n",
     R"({"outcome":"out-of-range","field":"frequency","replacement":""})"},
    {"negativeFrequency", {"--", "-5", "33", "10"},
     "Data is outrange / Данные выходят из диапазона\nField: frequency\nCorrected text: \"1\"\n",
     R"({"outcome":"out-of-range","field":"frequency","replacement":"1"})"},
    {"frequencyAboveKhzRange", {"--khz", "600", "33", "10"},
     "Data is outrange / Данные выходят из диапазона\nField: frequency\nCorrected text: \"500\"\n",
     R"({"outcome":"out-of-range","field":"frequency","replacement":"500"})"},
    {"resistanceBelowRange", {"100", "0.05", "10"},
     "Data is outrange / Данные выходят из диапазона\nField: resistance\nCorrected text: \"0,1\"\n",
     R"({"outcome":"out-of-range","field":"resistance","replacement":"0,1"})"},
    {"capacitanceAboveUfRange", {"--uf", "100", "33", "2000"},
     "Data is outrange / Данные выходят из диапазона\nField: capacitance\nCorrected text: \"10\"\n",
     R"({"outcome":"out-of-range","field":"capacitance","replacement":"10"})"},
    {"firstBadFieldWins", {"0,5", "2000", ",1"},
     "Data is outrange / Данные выходят из диапазона\nField: frequency\nCorrected text: \"1\"\n",
     R"({"outcome":"out-of-range","field":"frequency","replacement":"1"})"},
    {"letterIsConversionError", {"100", "12a", "10"},
     "'12a' is not a valid floating point value.\n",
     R"({"outcome":"error","message":"'12a' is not a valid floating point value."})"},
    {"blankIsNotEmpty", {" ", "33", "10"},
     "' ' is not a valid floating point value.\n",
     R"({"outcome":"error","message":"' ' is not a valid floating point value."})"},
    {"messageShowsTextAsTyped", {"100", "33", "1.5 x"},
     "'1,5 x' is not a valid floating point value.\n",
     R"({"outcome":"error","message":"'1,5 x' is not a valid floating point value."})"},
    // The field text is shown on one line, never obeyed by a terminal: controls, bidirectional
    // controls and invalid UTF-8 escaped or replaced, as text and as JSON.
    {"deleteCharacterIsEscaped", {"100", "3\x7f", "10"},
     R"('3\x7f' is not a valid floating point value.)" "\n",
     R"({"outcome":"error","message":"'3\u007f' is not a valid floating point value."})"},
    {"controlCharacterIsEscaped", {"100", "3\x01", "10"},
     R"('3\x01' is not a valid floating point value.)" "\n",
     R"({"outcome":"error","message":"'3\u0001' is not a valid floating point value."})"},
    {"tabIsEscaped", {"\t100", "33", "10"},
     R"('\t100' is not a valid floating point value.)" "\n",
     R"({"outcome":"error","message":"'\t100' is not a valid floating point value."})"},
    {"terminalSequencesAreEscaped", {"1\n\x1b[2J", "2", "3"},
     R"('1\n\x1b[2J' is not a valid floating point value.)" "\n",
     R"({"outcome":"error","message":"'1\n\u001b[2J' is not a valid floating point value."})"},
    {"bidirectionalControlsAreEscaped", {"100", "33", "1\xe2\x80\xae" "5"},
     R"('1\u202e5' is not a valid floating point value.)" "\n",
     R"({"outcome":"error","message":"'1\u202e5' is not a valid floating point value."})"},
    {"invalidUtf8IsReplaced", {"100", "33", "1\xff\xd0"},
     "'1\xef\xbf\xbd\xef\xbf\xbd' is not a valid floating point value.\n",
     "{\"outcome\":\"error\",\"message\":\"'1\xef\xbf\xbd\xef\xbf\xbd' is not a valid floating "
     "point value.\"}"},
    {"validUtf8IsKept", {"100", "33", "1\xd0\xb4"},
     "'1\xd0\xb4' is not a valid floating point value.\n",
     "{\"outcome\":\"error\",\"message\":\"'1\xd0\xb4' is not a valid floating point value.\"}"},
    {"overflowingFrequency", {nines400, "33", "10"},
     "Floating point overflow.\n",
     R"({"outcome":"error","message":"Floating point overflow."})"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cli, RendersRejection, testing::ValuesIn(rejectionRows),
                         [](const auto& info) { return std::string(info.param.name); });

std::uint64_t Bits(double x)
{
    return std::bit_cast<std::uint64_t>(x);
}

// Results as JSON: the same texts and markers as the plain lines, and values that read
// back to the very doubles the calculation stored.
struct JsonRow {
    const char* name;
    std::vector<std::string_view> args;
};

void PrintTo(const JsonRow& row, std::ostream* os)
{
    *os << row.name;
}

class JsonResults : public testing::TestWithParam<JsonRow> { };

TEST_P(JsonResults, MatchPlainTextAndReadBackExactly)
{
    cli::Options options = Parsed(GetParam().args);
    options.json = true;
    const cli::Outcome outcome = cli::Run(options);
    ASSERT_TRUE(std::holds_alternative<calc::Computed>(outcome));
    const calc::Computed& computed = std::get<calc::Computed>(outcome);

    // An independent calculation, straight from the core.
    calc::CalcState state;
    calc::SetFrequencyUnit(state, options.kHz ? calc::FrequencyUnit::kHz : calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(state,
                             options.uF ? calc::CapacitanceUnit::uF : calc::CapacitanceUnit::nF);
    const calc::Calculation direct = calc::Calculate(state, options.texts);
    ASSERT_TRUE(std::holds_alternative<calc::Computed>(direct));
    const calc::FilterResults& expectedValues = std::get<calc::Computed>(direct).values;

    const std::string text = cli::RenderJson(outcome);
    ASSERT_EQ(text.rfind(R"({"outcome":"ok","components":[{"name":"C1","value":)", 0), 0u) << text;
    const nlohmann::json j = nlohmann::json::parse(text);
    ASSERT_EQ(j.size(), 2u);
    const nlohmann::json& components = j.at("components");
    ASSERT_EQ(components.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        const calc::Component component = calc::AllComponents[i];
        const nlohmann::json& c = components[i];
        SCOPED_TRACE(calc::ComponentName(component));
        EXPECT_EQ(c.size(), 5u);
        EXPECT_EQ(c.at("name"), calc::ComponentName(component));
        ASSERT_TRUE(c.at("value").is_number_float());
        EXPECT_EQ(Bits(c.at("value").get<double>()),
                  Bits(calc::ComponentValue(expectedValues, component)));
        const calc::ComponentDisplay& display = computed.components[i];
        if (display.texts) {
            EXPECT_EQ(c.at("text"), display.texts->number);
            EXPECT_EQ(c.at("unit"), display.texts->unit);
        } else {
            EXPECT_TRUE(c.at("text").is_null());
            EXPECT_TRUE(c.at("unit").is_null());
        }
        EXPECT_EQ(c.at("marker").get<bool>(), display.marker);
    }
}

const JsonRow jsonRows[] = {
    {"defaults", {"100", "33", "10"}},
    {"lowestCorner", {"1", "0,1", "0,1"}},
    {"highestCorner", {"--khz", "--uf", "500", "1000", "10"}},
    {"lowerLimitsKhzUf", {"--khz", "--uf", "0,1", "0,1", "0,01"}},
    {"manyDigits", {"99999", "999,999", "123,456789"}},
};

INSTANTIATE_TEST_SUITE_P(Cli, JsonResults, testing::ValuesIn(jsonRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RenderJson, BelowDisplayRangeHasNullTexts)
{
    cli::Options options = Parsed({"--khz", "--uf", "500", "1000", "10"});
    const nlohmann::json j = nlohmann::json::parse(cli::RenderJson(cli::Run(options)));
    const nlohmann::json& c1 = j.at("components").at(0);
    EXPECT_TRUE(c1.at("text").is_null());
    EXPECT_TRUE(c1.at("unit").is_null());
    EXPECT_TRUE(c1.at("marker").get<bool>());
    const nlohmann::json& c2 = j.at("components").at(1);
    EXPECT_EQ(c2.at("text"), "1");
    EXPECT_EQ(c2.at("unit"), "pF");
}

// The JSON number output must give back the same double when parsed, by the JSON
// library itself and by strtod, for any finite double, not only for the ones above.
void ExpectRoundTrip(double x)
{
    const std::string text = nlohmann::json(x).dump();
    EXPECT_EQ(Bits(nlohmann::json::parse(text).get<double>()), Bits(x)) << text;
    EXPECT_EQ(Bits(std::strtod(text.c_str(), nullptr)), Bits(x)) << text;
}

TEST(RenderJson, NumberOutputRoundTripsEdgeDoubles)
{
    // clang-format off
    const double edges[] = {
        0.0, -0.0, 1.0, 0.1, 1e23, 5e-324, DBL_MIN, DBL_MAX, -DBL_MAX, DBL_EPSILON,
        std::nextafter(DBL_MIN, 0.0), std::nextafter(1.0, 2.0), std::nextafter(1.0, 0.0),
        9007199254740993.0, 4.35e-14, 1e-12, 1e-9, 1e-7, 68.05e-9, 2.2e-308,
    };
    // clang-format on
    for (const double x : edges)
        ExpectRoundTrip(x);
}

TEST(RenderJson, NumberOutputRoundTripsRandomDoubles)
{
    std::mt19937_64 bits(20261207);
    int checked = 0;
    while (checked < 200000) {
        const double x = std::bit_cast<double>(bits());
        if (!std::isfinite(x))
            continue;
        ExpectRoundTrip(x);
        if (HasFailure())
            return;
        ++checked;
    }
}

TEST(RenderReadingError, ReadingErrorMessageGetsErrorBoxFullStop)
{
    // The full stop is the error box's rule, not always appended.
    EXPECT_EQ(cli::RenderPlain(cli::ReadingError{"Floating point overflow"}),
              "Floating point overflow.\n");
    EXPECT_EQ(cli::RenderPlain(cli::ReadingError{"done!"}), "done!\n");
    EXPECT_EQ(cli::RenderJson(cli::ReadingError{"a)"}),
              "{\"outcome\":\"error\",\"message\":\"a)\"}\n");
}

}  // namespace
