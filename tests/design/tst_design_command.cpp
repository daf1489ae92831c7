// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The companion's design command: its figures in text and JSON, its keys, and one line on
// stderr with exit status 2 for every kind of bad input.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "design/analysis.h"
#include "tests/design/param_name.h"

namespace {

struct Ran {
    int code;
    std::string out;
    std::string err;
};

Ran RunCli(std::vector<std::string_view> args)
{
    std::ostringstream out, err;
    const int code = cli::RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

nlohmann::json Json(std::vector<std::string_view> args)
{
    args.push_back("--json");
    const Ran ran = RunCli(args);
    EXPECT_EQ(ran.code, 0) << ran.err;
    return nlohmann::json::parse(ran.out);
}

struct TextRow {
    std::vector<std::string_view> args;
    std::vector<std::string> lines;  // each must appear as printed
};

class DesignText : public testing::TestWithParam<TextRow> { };

TEST_P(DesignText, PrintsTheWorkedFigures)
{
    const Ran ran = RunCli(GetParam().args);
    EXPECT_EQ(ran.code, 0);
    EXPECT_EQ(ran.err, "");
    for (const std::string& line : GetParam().lines)
        EXPECT_NE(ran.out.find(line), std::string::npos) << line << "\n" << ran.out;
}

INSTANTIATE_TEST_SUITE_P(
    Figures, DesignText,
    testing::Values(
        TextRow{{"design", "lowpass", "100", "33k"},
                {"f  = 100 Hz", "R  = 33 kOhm", "C1    67.1656 nF", "C2    171.059 nF",
                 "C3    9.76397 nF", "window's f3    98.8697 Hz (-1.130 %)",
                 "Ra -0.626 Rb -0.067 Rc -0.307 C1 -0.319 C2 -0.145 C3 -0.536"}},
        TextRow{{"design", "highpass", "100", "10n"},
                {"C  = 10 nF", "R1    114.282 kOhm", "R2    44.8726 kOhm", "R3    786.14 kOhm",
                 "window's f3    104.172 Hz (+4.172 %)"}},
        TextRow{{"design", "lowpass", "100", "33k", "--series", "E24"},
                {"68 nF", "160 nF", "10 nF", "f3             99.0884 Hz (-0.912 %)",
                 "shape error    0.316 dB", "combinations   64"}},
        TextRow{{"design", "lowpass", "100", "33k", "--series", "E12"},
                {"180 nF", "(-2.433 %)", "shape error    0.817 dB"}},
        TextRow{{"design", "lowpass", "100", "33k", "--series", "E12", "--move-value", "E24"},
                {"R  = 39 kOhm chosen from E24", "56 nF", "150 nF", "8.2 nF", "(+0.274 %)",
                 "shape error    0.193 dB", "combinations   320"}},
        TextRow{{"design", "highpass", "100", "10n", "--series", "E24"},
                {"120 kOhm", "47 kOhm", "750 kOhm", "(+0.326 %)", "shape error    0.187 dB"}},
        TextRow{{"design", "highpass", "100", "10n", "--series=E96"},
                {"115 kOhm", "44.2 kOhm", "787 kOhm", "(-0.024 %)", "shape error    0.105 dB"}},
        TextRow{{"design", "lowpass", "100", "33k", "--opamp", "1Meg"},
                {"GBW 1 MHz, A0 200000, RO 0 Ohm", "(82.8 f) for f3 within 1 %",
                 "(749 f) for f3 within 0.1 %", "(476 f) for at most 0.1 dB more shape error"}},
        TextRow{{"design", "lowpass", "100", "33k", "--tolerance", "1,1"},
                {"R 1 %, C 1 %, uniform, 100000 samples", "sigma 0.547 %"}},
        // The comma separates R from C, never a decimal comma.
        TextRow{{"design", "lowpass", "100", "33k", "--tolerance", "1,5", "--samples", "100"},
                {"R 1 %, C 5 %"}},
        // What the message for "--opamp 1,5Meg" suggests.
        TextRow{{"design", "lowpass", "100", "33k", "--opamp", "1.5Meg"},
                {"GBW 1.5 MHz, A0 200000, RO 0 Ohm"}},
        // As the results write them: a space between the number and its unit.
        TextRow{{"design", "lowpass", "1 kHz", "8.2 k\u2126", "--opamp", "1.5 MHz", "--tolerance",
                 "1 %,5 %", "--samples", "100"},
                {"f  = 1 kHz", "R  = 8.2 kOhm", "GBW 1.5 MHz", "R 1 %, C 5 %"}},
        // The value is repeated as read, so 10 farads cannot pass unnoticed.
        TextRow{{"design", "highpass", "1kHz", "10"}, {"f  = 1 kHz", "C  = 10 F", "<--- !"}},
        // A part of exactly 10 uF is practical, one just above it is not.
        TextRow{{"design", "lowpass", "1", "22.165k", "--series", "E6"},
                {"C1    9.99985 uF     10 uF         +0.002 %\n",
                 "C2    25.4678 uF     22 uF         -13.616 % <--- !\n"}},
        TextRow{{"design", "lowpass", "2,5k", "4k7", "--response", "chebyshev-0.5"},
                {"f  = 2.5 kHz", "R  = 4.7 kOhm", "Chebyshev 0.5 dB", "ripple edge    2.1413"}},
        // The figures beyond f3, with the stop-band's floor of the op-amp's output resistance.
        TextRow{
            {"design", "lowpass", "1k", "10k", "--opamp", "1Meg,200k,100", "--opamp-noise",
             "10n,1p", "--tolerance", "1,1"},
            {"group delay    318.31 us at DC, within 1 % up to 138.822 Hz\n",
             "step           overshoot 8.147 %, rise 10-90 % 364.49 us, settling 1 % 1.49928 "
             "ms, 0.1 % 2.15317 ms\n",
             "noise          41.7279 nV/sqrt(Hz) at 100 Hz, 5.83135 uV rms from 10 Hz to 100 "
             "kHz\n",
             "noise shares   Ra 0.5 %, Rb 1.0 %, Rc 28.7 %, EN 49.1 %, IN+ 20.7 %, IN- 0.0 %\n",
             "  stop-band    -102.930 dB at 100 f, -105.995 dB at 1000 f, -123.091 dB at 10000 "
             "f\n",
             "  worst case   -1.970 % and +2.030 % (f3 at the 64 corners of the tolerances)\n"}},
        TextRow{
            {"design", "highpass", "10k", "1n", "--response", "bessel", "--opamp", "1Meg,200k,100"},
            {"  shape error  3.173 dB\n",
             "  aligned      0.283 dB (moved to f3, up to a tenth "
             "of the upper edge)\n",
             "step           overshoot 24.855 % (below 0)", "to 961.638 kHz (the upper edge)\n"}},
        // The target's gain as tables give it: Butterworth -10 log10(1 + (f/f3)^6) (or f3/f for
        // the high-pass), a Chebyshev response its ripple at the band's edge.
        TextRow{{"design", "lowpass", "1k", "10k", "--at", "2k", "--at", "1k", "--at", "500"},
                {"gain at        2 kHz: target -18.129 dB, circuit -18.129 dB\n",
                 "               1 kHz: target -3.010 dB",
                 "               500 Hz: target -0.067 dB"}},
        TextRow{{"design", "highpass", "1k", "10n", "--opamp", "1Meg", "--at", "500"},
                {"500 Hz: target -18.129 dB, circuit -18.129 dB, with the op-amp -18.117 dB\n"}},
        TextRow{{"design", "lowpass", "1k", "10k", "--response", "chebyshev-1", "--frequency-is",
                 "passband-edge", "--at", "1k"},
                {"1 kHz: target -1.000 dB"}},
        TextRow{{"design", "highpass", "1k", "10n", "--response", "chebyshev-0.5", "--frequency-is",
                 "passband-edge", "--at", "1k"},
                {"1 kHz: target -0.500 dB"}},
        TextRow{{"design", "lowpass", "1k", "10k", "--response", "chebyshev-1", "--frequency-is",
                 "passband-edge"},
                {"f  = 1.09487 kHz (the -3 dB frequency, from the ripple band's edge 1 kHz asked "
                 "for)\n",
                 "ripple edge    1 kHz"}}),
    [](const auto& info) {
        std::string joined;
        for (const std::string_view arg : info.param.args)
            joined += std::string(arg) + " ";
        return ParamName(info.index, joined.substr(7));
    });

TEST(DesignJson, HasTheKeysInOrderAndOnlyThoseThatApply)
{
    const nlohmann::json j =
        Json({"design", "highpass", "100", "10n", "--series", "E96", "--move-value", "E24:1",
              "--opamp", "1Meg,200k,100", "--tolerance", "1%,5%", "--samples", "2000"});
    std::vector<std::string> keys;
    for (auto it = j.begin(); it != j.end(); ++it)
        keys.push_back(it.key());
    // nlohmann::json sorts keys; the order check reads the text itself.
    const Ran ran =
        RunCli({"design", "highpass", "100", "10n", "--series", "E96", "--move-value", "E24:1",
                "--opamp", "1Meg,200k,100", "--tolerance", "1%,5%", "--samples", "2000", "--json"});
    std::size_t position = 0;
    for (const char* key : {"\"circuit\"",        "\"response\"",     "\"coefficients\"",
                            "\"frequency\"",      "\"value\"",        "\"value_chosen\"",
                            "\"parts\"",          "\"f3\"",           "\"f3_error\"",
                            "\"shape_error_db\"", "\"target_poles\"", "\"aligned_shape_error_db\"",
                            "\"combinations\"",   "\"window\"",       "\"opamp\"",
                            "\"sensitivity\"",    "\"tolerance\"",    "\"step\"",
                            "\"poles\"",          "\"noise\""}) {
        const std::size_t found = ran.out.find(key, position);
        ASSERT_NE(found, std::string::npos) << key;
        position = found;
    }
    EXPECT_EQ(keys.size(), 20u);
    EXPECT_EQ(j["parts"][0].size(), 5u);  // name ideal chosen error impractical
    EXPECT_EQ(j["combinations"], 192);
    EXPECT_TRUE(j["opamp"].contains("upper_edge"));
    EXPECT_EQ(j["opamp"]["ro"], 100);
    EXPECT_EQ(j["opamp"]["gbw_needed"].size(), 3u);
    for (const char* key : {"Ca", "Cb", "Cc", "R1", "R2", "R3"})
        EXPECT_TRUE(j["sensitivity"].contains(key)) << key;
    EXPECT_EQ(j["tolerance"]["samples"], 2000);
    EXPECT_EQ(j["tolerance"]["distribution"], "uniform");
    EXPECT_LE(j["tolerance"]["worst_low"], j["tolerance"]["p0_5"]);
    EXPECT_GE(j["tolerance"]["worst_high"], j["tolerance"]["p99_5"]);
    EXPECT_EQ(j["tolerance"]["worst_low_corner"].size(), 6u);
    EXPECT_FALSE(j.contains("ripple_edge"));
    for (const nlohmann::json& figures : {j, j["opamp"]}) {
        EXPECT_EQ(figures["step"].size(), 4u);
        EXPECT_TRUE(figures["step"]["rise_time"].is_null());  // a high-pass has none
        for (const char* key : {"density", "density_at", "rms", "band", "shares"})
            EXPECT_TRUE(figures["noise"].contains(key)) << key;
        EXPECT_TRUE(figures["aligned_shape_error_db"].is_number());
    }
    // The op-amp's noise band ends at the band-pass's upper edge.
    EXPECT_EQ(j["opamp"]["noise"]["band"][1], j["opamp"]["upper_edge"]);
}

TEST(DesignJson, AnImpracticalPartIsFlagged)
{
    const nlohmann::json j = Json({"design", "lowpass", "1", "22.165k", "--series", "E6"});
    EXPECT_EQ(j["parts"][0]["chosen"], 10e-6);
    EXPECT_EQ(j["parts"][0]["impractical"], false);
    EXPECT_EQ(j["parts"][1]["impractical"], true);
}

TEST(DesignJson, LeavesOutWhatDoesNotApply)
{
    const nlohmann::json j = Json({"design", "lowpass", "100", "33k", "--opamp", "1Meg"});
    EXPECT_FALSE(j.contains("value_chosen"));
    EXPECT_FALSE(j.contains("combinations"));
    EXPECT_FALSE(j.contains("tolerance"));
    EXPECT_FALSE(j["parts"][0].contains("chosen"));
    EXPECT_FALSE(j["opamp"].contains("upper_edge"));
    EXPECT_FALSE(j["opamp"].contains("stopband"));  // RO 0: no floor
    EXPECT_FALSE(j.contains("passband_edge"));
    const nlohmann::json chebyshev =
        Json({"design", "lowpass", "100", "33k", "--response", "chebyshev-1"});
    EXPECT_TRUE(chebyshev.contains("ripple_edge"));
    EXPECT_FALSE(chebyshev.contains("window"));  // the window computes Butterworth only
    EXPECT_FALSE(Json({"design", "highpass", "100", "10n"}).contains("group_delay"));
    EXPECT_TRUE(
        Json({"design", "lowpass", "100", "33k", "--opamp", "1Meg,200k,1"})["opamp"].contains(
            "stopband"));
}

TEST(DesignJson, F3IsNullWithoutACrossing)
{
    // A gain of 1 halves the output: the response never reaches -3 dB from above.
    const nlohmann::json j = Json({"design", "lowpass", "100", "33k", "--opamp", "1Meg,1"});
    EXPECT_TRUE(j["opamp"]["f3"].is_null());
    EXPECT_TRUE(j["opamp"]["f3_error"].is_null());
    EXPECT_TRUE(j["f3"].is_number());
    const Ran text = RunCli({"design", "lowpass", "100", "33k", "--opamp", "1Meg,1"});
    EXPECT_NE(text.out.find("f3           none (no -3 dB crossing)"), std::string::npos);
}

TEST(DesignJson, FiguresInSiUnitsAndFractions)
{
    const nlohmann::json lp =
        Json({"design", "lowpass", "100", "33k", "--series", "E24", "--tolerance", "1,1"});
    EXPECT_EQ(lp["value"], 33000.0);
    EXPECT_EQ(lp["parts"][1]["chosen"], 160e-9);  // reads back as the double of 160e-9
    EXPECT_NEAR(lp["f3"].get<double>(), 99.088, 0.0005);
    EXPECT_NEAR(lp["f3_error"].get<double>(), -0.00912, 0.000005);
    EXPECT_NEAR(lp["window"]["f3"].get<double>(), 98.870, 0.0005);
    EXPECT_NEAR(lp["tolerance"]["sigma"].get<double>(), 0.0055, 0.0002);
    EXPECT_EQ(lp["tolerance"]["seed"].get<std::uint64_t>(), design::ToleranceRequest{}.seed);
    const nlohmann::json exact = Json({"design", "lowpass", "100", "33k", "--opamp", "1Meg"});
    EXPECT_NEAR(exact["opamp"]["gbw_needed"]["f3_1pct"].get<double>(), 8280, 5);
    EXPECT_NEAR(exact["opamp"]["gbw_needed"]["f3_0_1pct"].get<double>(), 74900, 50);
    EXPECT_NEAR(exact["opamp"]["gbw_needed"]["shape_0_1db"].get<double>(), 47600, 50);
    const nlohmann::json hp = Json({"design", "highpass", "100", "10n", "--coefficients", "exact"});
    EXPECT_NEAR(hp["window"]["f3"].get<double>(), 104.172, 0.0005);
    EXPECT_NEAR(hp["parts"][2]["ideal"].get<double>(), 786140, 0.5);
}

TEST(DesignJson, DoublesReadBackExactly)
{
    const Ran ran = RunCli({"design", "lowpass", "123.456", "4k7", "--series", "E48", "--json"});
    const nlohmann::json j = nlohmann::json::parse(ran.out);
    const double ideal = j["parts"][0]["ideal"];
    // Rendering the parsed value again gives the same text: nothing was lost.
    EXPECT_NE(ran.out.find(nlohmann::json(ideal).dump()), std::string::npos);
    EXPECT_EQ(j["frequency"], 123.456);
}

TEST(DesignCommand, SameSeedSameFigures)
{
    const std::vector<std::string_view> args = {
        "design", "lowpass", "100", "33k",       "--tolerance", "5,5",   "--distribution",
        "normal", "--seed",  "42",  "--samples", "5000",        "--json"};
    EXPECT_EQ(RunCli(args).out, RunCli(args).out);
}

TEST(DesignCommand, HelpDescribesTheCommand)
{
    for (const std::string_view help : {"-h", "--help"}) {
        const Ran ran = RunCli({"design", help});
        EXPECT_EQ(ran.code, 0);
        EXPECT_EQ(ran.out.rfind("Usage: butterworth3-cli design", 0), 0u);
        EXPECT_NE(ran.out.find("--move-value"), std::string::npos);
    }
    EXPECT_EQ(RunCli({"design", "bandpass", "--help"}).code, 0);  // help wins
}

// The usage text comes from the table of options: its layout is held to the text as written
// by hand before.
TEST(DesignCommand, UsageTextAsWritten)
{
    std::ifstream file(BUTTERWORTH3_DESIGN_TEST_DATA "/design_usage.txt");
    ASSERT_TRUE(file);
    std::ostringstream expected;
    expected << file.rdbuf();
    EXPECT_EQ(RunCli({"design", "--help"}).out, expected.str());
}

TEST(DesignCommand, AfterTwoDashesDesignIsAFieldTextAsBefore)
{
    const Ran ran = RunCli({"--", "design", "33", "10"});
    EXPECT_EQ(ran.code, 1);
    EXPECT_EQ(ran.out, "'design' is not a valid floating point value.\n");
    EXPECT_EQ(RunCli({"100", "33", "10"}).code, 0);
}

struct BadRow {
    std::vector<std::string_view> args;
    std::string_view named;  // the argument the message names
};

class BadInput : public testing::TestWithParam<BadRow> { };

TEST_P(BadInput, OneLineOnStderrAndExitTwo)
{
    const Ran ran = RunCli(GetParam().args);
    EXPECT_EQ(ran.code, 2);
    EXPECT_EQ(ran.out, "");
    ASSERT_FALSE(ran.err.empty());
    EXPECT_EQ(ran.err.find('\n'), ran.err.size() - 1) << ran.err;
    EXPECT_NE(ran.err.find(GetParam().named), std::string::npos) << ran.err;
    EXPECT_NE(ran.err.find("expected"), std::string::npos) << ran.err;
}

INSTANTIATE_TEST_SUITE_P(
    Design, BadInput,
    testing::Values(
        BadRow{{"design"}, "CIRCUIT"},
        BadRow{{"design", "bandpass", "100", "33k"}, "CIRCUIT 'bandpass'"},
        BadRow{{"design", "lowpass"}, "FREQUENCY"}, BadRow{{"design", "lowpass", "100"}, "VALUE"},
        BadRow{{"design", "lowpass", "10x", "33k"}, "FREQUENCY '10x'"},
        BadRow{{"design", "lowpass", "0", "33k"}, "FREQUENCY '0'"},
        BadRow{{"design", "lowpass", "-100", "33k"}, "FREQUENCY '-100'"},
        BadRow{{"design", "lowpass", "1e999", "33k"}, "FREQUENCY '1e999'"},
        BadRow{{"design", "lowpass", "1e3k", "33k"}, "FREQUENCY '1e3k'"},
        BadRow{{"design", "lowpass", "100", "10nF"}, "VALUE '10nF'"},
        BadRow{{"design", "lowpass", "1e-31", "33k"}, "FREQUENCY '1e-31'"},
        BadRow{{"design", "lowpass", "1e20", "1e20"}, "FREQUENCY '1e20' and VALUE '1e20'"},
        BadRow{{"design", "lowpass", "100", "1e14", "--series", "E3", "--move-value", "E3:50"},
               "FREQUENCY '100' and VALUE '1e14'"},
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "1Meg,1e31"}, "--opamp '1Meg,1e31'"},
        // A gain below 1 cannot make a follower.
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "1Meg,0.5"}, "--opamp '1Meg,0.5'"},
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "1Meg,1e-3"}, "--opamp '1Meg,1e-3'"},
        BadRow{{"design", "highpass", "100", "33kohm"}, "VALUE '33kohm'"},
        BadRow{{"design", "lowpass", "100", "33k", "extra"}, "'extra'"},
        BadRow{{"design", "lowpass", "100", "33k", "--fast"}, "'--fast'"},
        BadRow{{"design", "lowpass", "100", "33k", "--series"}, "--series"},
        BadRow{{"design", "lowpass", "100", "33k", "--series", "E5"}, "--series 'E5'"},
        BadRow{{"design", "lowpass", "100", "33k", "--response", "elliptic"},
               "--response 'elliptic'"},
        BadRow{
            {"design", "lowpass", "100", "33k", "--response", "bessel", "--coefficients", "window"},
            "--coefficients window"},
        BadRow{{"design", "lowpass", "100", "33k", "--coefficients", "published"},
               "--coefficients 'published'"},
        BadRow{{"design", "lowpass", "100", "33k", "--move-value", "E24"}, "--move-value 'E24'"},
        BadRow{{"design", "lowpass", "100", "33k", "--series", "E24", "--move-value", "E24:x"},
               "--move-value 'E24:x'"},
        BadRow{{"design", "lowpass", "100", "33k", "--objective", "cheap"}, "--objective 'cheap'"},
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "1.5.0Meg"}, "--opamp '1.5.0Meg'"},
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "0"}, "--opamp '0'"},
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "1Meg,200k,100,1"},
               "--opamp '1Meg,200k,100,1'"},
        BadRow{{"design", "lowpass", "100", "33k", "--tolerance", "1"}, "--tolerance '1'"},
        BadRow{{"design", "lowpass", "100", "33k", "--tolerance", "1,-1"}, "--tolerance '1,-1'"},
        BadRow{{"design", "lowpass", "100", "33k", "--tolerance", "1,50"}, "--tolerance '1,50'"},
        BadRow{{"design", "lowpass", "100", "33k", "--samples", "20000000"},
               "--samples '20000000'"},
        BadRow{{"design", "lowpass", "100", "33k", "--samples", "1.5"}, "--samples '1.5'"},
        BadRow{{"design", "lowpass", "100", "33k", "--seed", "-1"}, "--seed '-1'"},
        BadRow{{"design", "lowpass", "100", "33k", "--distribution", "gauss"},
               "--distribution 'gauss'"},
        BadRow{{"design", "lowpass", "100", "33k", "--series", "E24", "--series", "E24"},
               "--series 'E24'"},
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "1,5Meg"}, "--opamp '1,5Meg'"},
        BadRow{{"design", "lowpass", "100", "33k", "--opamp", "100"}, "--opamp '100'"}),
    [](const auto& info) { return ParamName(info.index, info.param.named); });

struct MessageRow {
    std::vector<std::string_view> args;  // after "design lowpass 100 33k"
    std::string message;                 // the whole line after "butterworth3-cli design: "
};

class UsageMessage : public testing::TestWithParam<MessageRow> { };

TEST_P(UsageMessage, SaysWhatWasExpectedOnOneLine)
{
    std::vector<std::string_view> args = {"design", "lowpass", "100", "33k"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const Ran ran = RunCli(args);
    EXPECT_EQ(ran.code, 2);
    EXPECT_EQ(ran.out, "");
    EXPECT_EQ(ran.err, "butterworth3-cli design: " + GetParam().message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Design, UsageMessage,
    testing::Values(
        // A second value would replace the first, and with it an output or a setting.
        MessageRow{{"--spice", "a.cir", "--spice", "b.cir"},
                   "--spice 'b.cir': expected --spice once, not again after 'a.cir'"},
        MessageRow{{"--svg=a.svg", "--html", "r.html", "--svg", "a.svg"},
                   "--svg 'a.svg': expected --svg once, not again after 'a.svg'"},
        MessageRow{{"--seed", "1", "--seed=x"},
                   "--seed 'x': expected --seed once, not again after '1'"},
        // The comma made the GBW 1 Hz and the gain 5 M; the point gives what was meant.
        MessageRow{{"--opamp", "1,5Meg"},
                   "--opamp '1,5Meg': expected a GBW above the frequency of 100 Hz; the comma "
                   "separates GBW, A0 and RO, so write 1.5Meg"},
        MessageRow{{"--opamp", "2,2Meg,100k"},
                   "--opamp '2,2Meg,100k': expected a GBW above the frequency of 100 Hz; the "
                   "comma separates GBW, A0 and RO, so write 2.2Meg,100k"},
        // No point makes these fast enough: no suggestion.
        MessageRow{{"--opamp", "100"},
                   "--opamp '100': expected a GBW above the frequency of 100 Hz; the comma "
                   "separates GBW, A0 and RO"},
        MessageRow{{"--opamp", "1,5"},
                   "--opamp '1,5': expected a GBW above the frequency of 100 Hz; the comma "
                   "separates GBW, A0 and RO"},
        // Control characters, bidi controls and invalid UTF-8 never reach the terminal.
        MessageRow{{"--series", "E2\n4\x1b[2J\xe2\x80\xae"},
                   "--series 'E2\\n4\\x1b[2J\\u202e': expected E3, E6, E12, E24, E48, E96 or E192"},
        MessageRow{{"--bad\xff"},
                   "'--bad\\xff': unknown option; expected --response, --coefficients, --series, "
                   "--move-value, --objective, --opamp, --tolerance, --samples, --seed, "
                   "--distribution, --frequency-is, --opamp-noise, --noise-band, --at, --spice, "
                   "--dialect, --svg, --html, --spice-checks, --json or --help"},
        MessageRow{{"--frequency-is", "passband-edge"},
                   "--frequency-is passband-edge: expected --response chebyshev-0.5 or "
                   "chebyshev-1 (only a Chebyshev response has a ripple band)"},
        MessageRow{{"--opamp-noise", "10n"},
                   "--opamp-noise '10n': expected EN,IN in V/sqrt(Hz) and A/sqrt(Hz) with a "
                   "decimal point, such as 10n,1p"},
        MessageRow{{"--noise-band", "20k:20"},
                   "--noise-band '20k:20': expected F1:F2 in Hz with 0 < F1 < F2, such as 20:20k"},
        MessageRow{{"--at", "1,5k"},
                   "--at '1,5k': expected a frequency in Hz from 1e-30 to 1e30, such as 100, "
                   "2.5k or 1kHz"},
        MessageRow{{"--at=1", "--at=2", "--at=3", "--at=4", "--at=5", "--at=6", "--at=7", "--at=8",
                    "--at=9"},
                   "--at '9': expected --at at most 8 times"},
        MessageRow{{"--spice-checks", "-"},
                   "--spice-checks '-': expected a file name (the deck writes step.txt beside "
                   "where ngspice runs)"}),
    [](const auto& info) { return ParamName(info.index, info.param.message.substr(0, 24)); });

TEST(DesignCommand, AFlagGivenTwiceIsTheFlag)
{
    const Ran once = RunCli({"design", "lowpass", "100", "33k", "--json"});
    const Ran twice = RunCli({"design", "lowpass", "100", "33k", "--json", "--json"});
    EXPECT_EQ(twice.code, 0) << twice.err;
    EXPECT_EQ(twice.out, once.out);
    EXPECT_EQ(RunCli({"design", "-h", "--help"}).code, 0);
}

}  // namespace
