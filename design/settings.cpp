// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/settings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>

#include "design/behaviour.h"
#include "design/double_text.h"
#include "design/quantity.h"
#include "design/validation.h"

namespace design {

namespace {

// A problem found, or nothing; the first found is the one told.
class Reading {
public:
    bool Failed() const { return problem_.has_value(); }
    const std::optional<SettingProblem>& First() const { return problem_; }
    void Refuse(const SettingProblem& problem)
    {
        if (!problem_)
            problem_ = problem;
    }
    void Refuse(Setting setting, Expectation expected, double bound = 0)
    {
        Refuse({setting, expected, bound});
    }

    // A number field: its value, or its default when empty; nothing when it does not read
    // (then the problem is recorded).
    std::optional<double> Number(Setting setting, const std::string& text, Circuit circuit,
                                 std::optional<double> empty = std::nullopt)
    {
        if (text.empty() && empty)
            return empty;
        auto read = ReadNumber(setting, text, circuit, true);
        if (const auto* problem = std::get_if<SettingProblem>(&read)) {
            Refuse(*problem);
            return std::nullopt;
        }
        return std::get<double>(read);
    }

private:
    std::optional<SettingProblem> problem_;
};

bool InRange(double x)
{
    return x >= Smallest && x <= Largest;
}

std::optional<int> WholeNumber(std::string_view text)
{
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

}  // namespace

std::string* TextOf(Settings& settings, Setting setting)
{
    return const_cast<std::string*>(TextOf(std::as_const(settings), setting));
}

const std::string* TextOf(const Settings& s, Setting setting)
{
    switch (setting) {
    case Setting::Frequency: return &s.frequency;
    case Setting::Value: return &s.Value();
    case Setting::MoveSteps: return &s.moveSteps;
    case Setting::Gbw: return &s.gbw;
    case Setting::A0: return &s.a0;
    case Setting::Ro: return &s.ro;
    case Setting::NoiseVoltage: return &s.noiseVoltage;
    case Setting::NoiseCurrent: return &s.noiseCurrent;
    case Setting::BandFrom: return &s.bandFrom;
    case Setting::BandTo: return &s.bandTo;
    case Setting::AttenuationAt: return &s.attenuationAt;
    case Setting::ToleranceR: return &s.toleranceR;
    case Setting::ToleranceC: return &s.toleranceC;
    case Setting::Samples: return &s.samples;
    case Setting::Seed: return &s.seed;
    default: return nullptr;
    }
}

int ChoiceOf(const Settings& s, Setting setting)
{
    const auto series = [](const std::optional<Series>& chosen) {
        return chosen ? int(*chosen) : -1;
    };
    switch (setting) {
    case Setting::Circuit: return int(s.circuit);
    case Setting::Response: return int(s.response);
    case Setting::Coefficients: return int(s.coefficients);
    case Setting::FrequencyIs: return s.frequencyIsPassbandEdge ? 1 : 0;
    case Setting::Series: return series(s.series);
    case Setting::MoveSeries: return series(s.moveSeries);
    case Setting::Objective: return int(s.objective);
    case Setting::Distribution: return int(s.distribution);
    default: return -1;
    }
}

void SetChoice(Settings& s, Setting setting, int choice)
{
    const auto series = [choice] {
        return choice < 0 ? std::nullopt : std::optional<Series>(Series(choice));
    };
    switch (setting) {
    case Setting::Circuit: s.circuit = Circuit(choice); break;
    case Setting::Response: s.response = ResponseKind(choice); break;
    case Setting::Coefficients: s.coefficients = Coefficients(choice); break;
    case Setting::FrequencyIs: s.frequencyIsPassbandEdge = choice == 1; break;
    case Setting::Series: s.series = series(); break;
    case Setting::MoveSeries: s.moveSeries = series(); break;
    case Setting::Objective: s.objective = Objective(choice); break;
    case Setting::Distribution: s.distribution = Distribution(choice); break;
    default: break;
    }
}

bool Applies(Setting setting, const Settings& settings)
{
    switch (setting) {
    case Setting::Coefficients: return TakesWindowCoefficients(settings.response);
    case Setting::FrequencyIs: return HasRippleBand(settings.response);
    case Setting::MoveSeries:
    case Setting::Objective: return settings.series.has_value();
    case Setting::MoveSteps: return settings.series && settings.moveSeries;
    case Setting::Distribution:
    case Setting::Samples:
    case Setting::Seed: return settings.HasTolerance();
    default: return true;
    }
}

std::optional<double> F3Of(const Settings& settings)
{
    const std::optional<double> f = ReadQuantity(settings.frequency, Unit::Hertz, true);
    if (!f || !InRange(*f))
        return std::nullopt;
    if (Applies(Setting::FrequencyIs, settings) && settings.frequencyIsPassbandEdge)
        return F3FromPassbandEdge(settings.circuit, settings.response, *f);
    return f;
}

std::optional<double> ReadPercent(std::string_view text, bool decimalComma)
{
    if (text.ends_with('%')) {
        text.remove_suffix(1);
        if (text.ends_with(' '))
            text.remove_suffix(1);  // "1 %", as the results write it
    }
    return ReadQuantity(text, Unit::None, decimalComma);
}

std::variant<double, SettingProblem> ReadNumber(Setting setting, std::string_view text,
                                                Circuit circuit, bool decimalComma)
{
    const bool lowPass = circuit == Circuit::LowPass;
    const auto quantity = [&](Unit unit) { return ReadQuantity(text, unit, decimalComma); };
    const auto within = [](std::optional<double> x, auto fits) {
        return x && fits(*x) ? x : std::nullopt;
    };
    const auto upToLargest = [](double x) { return x <= Largest; };
    const auto density = [](double x) { return x <= 1; };
    const auto above0 = [](double x) { return x > 0 && x <= Largest; };
    std::optional<double> value;
    Expectation expected{};
    switch (setting) {
    case Setting::Frequency:
        value = within(quantity(Unit::Hertz), InRange), expected = Expectation::Frequency;
        break;
    case Setting::Value:
        value = within(quantity(lowPass ? Unit::Ohm : Unit::Farad), InRange);
        expected = lowPass ? Expectation::Resistance : Expectation::Capacitance;
        break;
    case Setting::MoveSteps: {
        const std::optional<int> steps = WholeNumber(text);
        if (steps && !CheckMoveSteps(*steps))
            value = *steps;
        expected = Expectation::MoveSteps;
        break;
    }
    case Setting::Gbw:
        value = within(quantity(Unit::Hertz), InRange), expected = Expectation::Gbw;
        break;
    case Setting::A0:
        // A gain below 1 cannot make a follower: its output never reaches the input's level.
        value = within(quantity(Unit::None), [](double x) { return x >= 1 && x <= Largest; });
        expected = Expectation::Gain;
        break;
    case Setting::Ro:
        value = within(quantity(Unit::Ohm), upToLargest), expected = Expectation::OutputResistance;
        break;
    case Setting::NoiseVoltage:
        value = within(quantity(Unit::None), density), expected = Expectation::NoiseVoltage;
        break;
    case Setting::NoiseCurrent:
        value = within(quantity(Unit::None), density), expected = Expectation::NoiseCurrent;
        break;
    case Setting::BandFrom:
        value = within(quantity(Unit::Hertz), above0), expected = Expectation::BandFrom;
        break;
    case Setting::BandTo:
        value = within(quantity(Unit::Hertz), above0), expected = Expectation::BandTo;
        break;
    case Setting::AttenuationAt:  // one frequency of the list: AttenuationFrequencies
        value = within(quantity(Unit::Hertz), InRange), expected = Expectation::AttenuationAt;
        break;
    case Setting::ToleranceR:
    case Setting::ToleranceC:
        value = within(ReadPercent(text, decimalComma),
                       [](double percent) { return !CheckTolerance(percent / 100); });
        expected = Expectation::Tolerance;
        break;
    case Setting::Samples:
        value = within(quantity(Unit::None), [](double n) { return !CheckSamples(n); });
        expected = Expectation::Samples;
        break;
    case Setting::Seed:  // 64 bits, more than a double holds: ReadSeed
    case Setting::Circuit:
    case Setting::Response:
    case Setting::Coefficients:
    case Setting::FrequencyIs:
    case Setting::Series:
    case Setting::MoveSeries:
    case Setting::Objective:
    case Setting::Distribution: return SettingProblem{setting, Expectation::Seed};
    }
    if (value)
        return *value;
    return SettingProblem{setting, expected};
}

std::optional<std::vector<double>> AttenuationFrequencies(std::string_view text)
{
    std::vector<double> frequencies;
    for (const std::string_view item : AttenuationItems(text)) {
        const auto read = ReadNumber(Setting::AttenuationAt, item, Circuit::LowPass, true);
        if (!std::holds_alternative<double>(read) || frequencies.size() == MaxGainFrequencies)
            return std::nullopt;
        frequencies.push_back(std::get<double>(read));
    }
    return frequencies;
}

std::vector<std::string_view> AttenuationItems(std::string_view text)
{
    std::vector<std::string_view> items;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        std::string_view item = text.substr(start, end - start);
        while (!item.empty() && blank(item.front()))
            item.remove_prefix(1);
        while (!item.empty() && blank(item.back()))
            item.remove_suffix(1);
        if (!item.empty())
            items.push_back(item);
        start = end + 1;
    }
    return items;
}

std::optional<std::uint64_t> ReadSeed(std::string_view text)
{
    std::uint64_t seed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return seed;
}

std::variant<DesignInputs, SettingProblem> Read(const Settings& in)
{
    Reading reading;
    DesignInputs out;
    Request& request = out.request;
    request.circuit = in.circuit;
    request.response = in.response;
    if (Applies(Setting::Coefficients, in))
        request.coefficients = in.coefficients;

    const Circuit circuit = in.circuit;
    const std::optional<double> f = reading.Number(Setting::Frequency, in.frequency, circuit);
    const std::optional<double> value = reading.Number(Setting::Value, in.Value(), circuit);
    if (f && value) {
        request.frequency = *f;
        request.value = *value;
        // A ripple band's edge names the f3 it gives.
        if (Applies(Setting::FrequencyIs, in) && in.frequencyIsPassbandEdge) {
            request.passbandEdge = *f;
            request.frequency = *F3FromPassbandEdge(in.circuit, in.response, *f);
        }
    }
    if (const auto at = AttenuationFrequencies(in.attenuationAt))
        out.attenuationAt = *at;
    else
        reading.Refuse(Setting::AttenuationAt, Expectation::AttenuationAt);

    if (Applies(Setting::Series, in))
        request.series = in.series;
    if (Applies(Setting::MoveSeries, in) && in.moveSeries) {
        request.moveSeries = in.moveSeries;
        if (const auto steps = reading.Number(Setting::MoveSteps, in.moveSteps, circuit, 2))
            request.moveSteps = int(*steps);
    }
    if (Applies(Setting::Objective, in))
        request.objective = in.objective;

    if (in.HasOpAmp()) {
        if (in.gbw.empty())
            reading.Refuse(Setting::Gbw, Expectation::GbwWithGain);
        const OpAmp defaults;
        const auto gbw = reading.Number(Setting::Gbw, in.gbw, circuit);
        const auto a0 = reading.Number(Setting::A0, in.a0, circuit, defaults.a0);
        const auto ro = reading.Number(Setting::Ro, in.ro, circuit, defaults.ro);
        if (gbw && a0 && ro)
            out.opamp = OpAmp{*gbw, *a0, *ro};
    }

    if (!in.noiseVoltage.empty() || !in.noiseCurrent.empty()) {
        const auto voltage = reading.Number(Setting::NoiseVoltage, in.noiseVoltage, circuit, 0);
        const auto current = reading.Number(Setting::NoiseCurrent, in.noiseCurrent, circuit, 0);
        if (voltage && current)
            out.noise.opamp = OpAmpNoise{*voltage, *current};
    }

    if (!in.bandFrom.empty() || !in.bandTo.empty()) {
        // An empty end is the one it shows, of the frequency that names f3.
        const std::optional<double> f3 = F3Of(in);
        const auto from = reading.Number(Setting::BandFrom, in.bandFrom, circuit,
                                         f3 ? std::optional<double>(*f3 / 100) : std::nullopt);
        if (in.bandTo.empty() && circuit == Circuit::HighPass && in.HasOpAmp())
            reading.Refuse(Setting::BandTo, Expectation::BandToWithOpAmp);
        if (from) {
            // Its problem names the start it must pass.
            std::optional<double> to;
            if (in.bandTo.empty() && f3)
                to = *f3 * 100;
            else if (const auto read = ReadNumber(Setting::BandTo, in.bandTo, circuit, true);
                     std::holds_alternative<double>(read))
                to = std::get<double>(read);
            if (to && *to > *from)
                out.noise.band = Band{*from, *to};
            else
                reading.Refuse(Setting::BandTo, Expectation::BandTo, *from);
        }
    }

    if (in.HasTolerance()) {
        ToleranceRequest tolerance;
        const auto r = reading.Number(Setting::ToleranceR, in.toleranceR, circuit, 0);
        const auto c = reading.Number(Setting::ToleranceC, in.toleranceC, circuit, 0);
        const auto samples =
            reading.Number(Setting::Samples, in.samples, circuit, double(tolerance.samples));
        const std::optional<std::uint64_t> seed =
            in.seed.empty() ? tolerance.seed : ReadSeed(in.seed);
        if (!seed)
            reading.Refuse(Setting::Seed, Expectation::Seed);
        if (r && c && samples && seed) {
            tolerance.resistors = *r / 100;
            tolerance.capacitors = *c / 100;
            tolerance.samples = static_cast<long>(*samples);
            tolerance.seed = *seed;
            tolerance.distribution = in.distribution;
            out.tolerance = tolerance;
        }
    }

    if (reading.Failed())
        return *reading.First();
    // What the settings build together.
    if (const auto problem = CheckBuildable(request, out.opamp)) {
        if (problem->subject == Subject::Parts)
            return SettingProblem{Setting::Value, Expectation::PartsInRange};
        return SettingProblem{Setting::Gbw, Expectation::GbwAboveFrequency, request.frequency};
    }
    return out;
}

std::string Words(const SettingProblem& problem)
{
    // The limits are those of validation.h: Smallest, Largest, MaxMoveSteps,
    // MaxTolerancePercent, MaxSamples.
    switch (problem.expected) {
    case Expectation::Frequency:
        return "expected a frequency from 1e-30 to 1e30 Hz, such as 100, 2.5k or 1 kHz";
    case Expectation::Resistance:
        return "expected a resistance from 1e-30 to 1e30 Ω, such as 33k, 4k7 or 33 kΩ";
    case Expectation::Capacitance:
        return "expected a capacitance from 1e-30 to 1e30 F, such as 10n, 4n7 or 10 nF";
    case Expectation::PartsInRange:
        return "expected a value that keeps the computed parts from 1e-30 to 1e30 with this "
               "frequency";
    case Expectation::MoveSteps:
        return "expected a whole number of steps from 0 to " + std::to_string(MaxMoveSteps);
    case Expectation::Gbw:
        return "expected a gain-bandwidth from 1e-30 to 1e30 Hz, such as 1 MHz or 1.5Meg";
    case Expectation::GbwWithGain:
        return "expected a gain-bandwidth as well: A0 and RO describe an op-amp with one";
    case Expectation::GbwAboveFrequency:
        return "expected a gain-bandwidth above the filter's f3 of " +
               ShortestDoubleText(problem.bound) + " Hz";
    case Expectation::Gain: return "expected an open-loop gain from 1 to 1e30, such as 200k";
    case Expectation::OutputResistance:
        return "expected a resistance from 0 to 1e30 Ω, such as 100 or 75";
    case Expectation::NoiseVoltage:
        return "expected a noise density from 0 to 1 V/√Hz, such as 10n";
    case Expectation::NoiseCurrent: return "expected a noise density from 0 to 1 A/√Hz, such as 1p";
    case Expectation::BandFrom: return "expected a frequency above 0 Hz, up to 1e30 Hz, such as 20";
    case Expectation::BandTo:
        return "expected a frequency above the band's start of " +
               ShortestDoubleText(problem.bound) + " Hz, up to 1e30 Hz";
    case Expectation::BandToWithOpAmp:
        return "expected the band's end as well: a high-pass with an op-amp ends the band at "
               "its upper edge only when both ends are empty";
    case Expectation::AttenuationAt:
        return "expected up to " + std::to_string(MaxGainFrequencies) +
               " frequencies from 1e-30 to 1e30 Hz separated by ;, such as 24k; 50";
    case Expectation::Tolerance:
        return "expected a percentage from 0 to " + ShortestDoubleText(MaxTolerancePercent) +
               ", such as 1 or 0.5 %";
    case Expectation::Samples:
        return "expected a whole number of samples from 1 to " + std::to_string(MaxSamples);
    case Expectation::Seed: return "expected a whole number from 0 to 18446744073709551615";
    }
    return {};
}

}  // namespace design
