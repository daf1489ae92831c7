// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A design's settings as a form holds them: a choice for each choice, the text typed into
// each number field. Each setting is read alone, in its own words, and then together with
// the others; a problem names the one setting to change. No command-line syntax here: the
// mapping to the design command's arguments is settings_arguments.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/analysis.h"
#include "design/design.h"
#include "design/report.h"

namespace design {

// Every setting, in the order a form shows them.
enum class Setting {
    Circuit,
    Response,
    Coefficients,
    Frequency,
    FrequencyIs,
    Value,
    AttenuationAt,
    Series,
    MoveSeries,
    MoveSteps,
    Objective,
    Gbw,
    A0,
    Ro,
    NoiseVoltage,
    NoiseCurrent,
    BandFrom,
    BandTo,
    ToleranceR,
    ToleranceC,
    Distribution,
    Samples,
    Seed,
};
inline constexpr int SettingCount = int(Setting::Seed) + 1;

// An empty text is its setting's default: A0 200k, RO 0, a noise density 0, the noise band
// f/100 to 100 f, 2 steps, 100000 samples, the fixed seed. The op-amp is ideal while GBW,
// A0 and RO are all empty; there is no tolerance while both tolerances are empty. A number
// may have a decimal comma. A setting that cannot apply with the others (see Applies) is
// kept but not read.
struct Settings {
    Circuit circuit = Circuit::LowPass;
    ResponseKind response = ResponseKind::Butterworth;
    Coefficients coefficients = Coefficients::Exact;
    bool frequencyIsPassbandEdge = false;
    std::string frequency = "100";
    // Each circuit keeps its own equal value: R of the low-pass, C of the high-pass.
    std::array<std::string, 2> value = {"33k", "10n"};
    std::optional<Series> series;
    std::optional<Series> moveSeries;
    std::string moveSteps;
    Objective objective = Objective::Balanced;
    std::string gbw, a0, ro;
    std::string toleranceR, toleranceC;  // percent, "1" or "1 %"
    Distribution distribution = Distribution::Uniform;
    std::string samples, seed;
    std::string noiseVoltage, noiseCurrent;  // the op-amp's EN and IN
    std::string bandFrom, bandTo;            // the rms noise band, Hz
    std::string attenuationAt;  // frequencies to tell the gain at, "24k; 50" (none: empty)

    std::string& Value() { return value[static_cast<std::size_t>(circuit)]; }
    const std::string& Value() const { return value[static_cast<std::size_t>(circuit)]; }
    bool HasOpAmp() const { return !gbw.empty() || !a0.empty() || !ro.empty(); }
    bool HasTolerance() const { return !toleranceR.empty() || !toleranceC.empty(); }
    bool operator==(const Settings&) const = default;
};

// A setting as a form binds it: the text of a number setting (nullptr for a choice), and a
// choice's value as a number: the enumerator's, the series' or -1 for none, 1 for the
// ripple band's edge. The equal value is the circuit's own.
std::string* TextOf(Settings& settings, Setting setting);
const std::string* TextOf(const Settings& settings, Setting setting);
int ChoiceOf(const Settings& settings, Setting setting);
void SetChoice(Settings& settings, Setting setting, int choice);

// Whether a setting means anything with the others: the calculator's coefficients with a
// Butterworth response only, "frequency is" with a ripple band only, the move and the
// objective with a series, the sampling's settings with a tolerance.
bool Applies(Setting setting, const Settings& settings);

// The -3 dB frequency that the frequency names (the ripple band's edge names the f3 it
// gives), when it reads.
std::optional<double> F3Of(const Settings& settings);

// What a design is made of once its settings read.
struct DesignInputs {
    Request request;
    std::optional<OpAmp> opamp;
    std::optional<ToleranceRequest> tolerance;
    NoiseRequest noise;
    std::vector<double> attenuationAt;
};

// What a setting was expected to be. The words are a form's (Words below); each limit is
// that of validation.h.
enum class Expectation {
    Frequency,          // a frequency in range
    Resistance,         // the low-pass's R
    Capacitance,        // the high-pass's C
    PartsInRange,       // frequency and value that keep the computed parts in range
    MoveSteps,          // a whole number of steps
    Gbw,                // a GBW in range
    GbwWithGain,        // A0 or RO given without a GBW
    GbwAboveFrequency,  // a GBW above the filter's frequency (`bound`, Hz)
    Gain,               // A0
    OutputResistance,   // RO
    NoiseVoltage,
    NoiseCurrent,
    BandFrom,         // above 0 Hz
    BandTo,           // above the band's start (`bound`, Hz), up to the largest number
    BandToWithOpAmp,  // a high-pass with an op-amp ends a band at its upper edge only
                      // when both ends are empty
    AttenuationAt,    // frequencies in range separated by ';', at most MaxGainFrequencies
    Tolerance,        // percent
    Samples,
    Seed,
};

struct SettingProblem {
    Setting setting;
    Expectation expected;
    double bound = 0;  // the number the words name, where they name one
    bool operator==(const SettingProblem&) const = default;
};

// The design inputs, or the first problem in the form's order (each setting alone, then
// the parts the frequency and value build, then the op-amp against the frequency). What
// Read accepts, MakeReport takes.
std::variant<DesignInputs, SettingProblem> Read(const Settings& settings);

// "expected a frequency from 1e-30 to 1e30 Hz, such as 100, 2.5k or 1 kHz": one line, in
// English, for a form or a message. A translated form has its own words for each.
std::string Words(const SettingProblem& problem);

// One number setting's text alone, as a form's field and the design command read it: its
// value (a tolerance in percent, the steps a whole number), or the problem. Inside a command
// line's option the comma separates items, so there `decimalComma` is false. Not for the
// seed, whose 64 bits a double does not hold: ReadSeed.
std::variant<double, SettingProblem> ReadNumber(Setting setting, std::string_view text,
                                                Circuit circuit, bool decimalComma);
std::optional<std::uint64_t> ReadSeed(std::string_view text);  // 0 to 2^64 - 1

// The frequencies of the attenuation field, "24k; 50" (a decimal comma or point), in order;
// none for an empty text, nullopt when one does not read or there are too many. An empty item
// (a ';' typed before the next frequency) is passed over.
std::optional<std::vector<double>> AttenuationFrequencies(std::string_view text);
std::vector<std::string_view> AttenuationItems(std::string_view text);  // each one trimmed

// A percentage as the tolerance fields and the design command take it: "1", "0.5%", "1 %".
std::optional<double> ReadPercent(std::string_view text, bool decimalComma);

}  // namespace design
