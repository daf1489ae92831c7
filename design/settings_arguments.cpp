// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/settings_arguments.h"

#include <algorithm>
#include <map>
#include <optional>

#include "design/double_text.h"
#include "design/validation.h"

namespace design {

namespace {

std::string WithDecimalPoint(std::string_view text)
{
    std::string pointed(text);
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    return pointed;
}

std::optional<std::string> Text(const std::string& typed)
{
    return typed.empty() ? std::nullopt : std::optional<std::string>(WithDecimalPoint(typed));
}

// "A,B" of two paired fields, an empty one as `empty`; nothing when both are empty.
std::optional<std::string> Pair(const std::string& first, const std::string& second,
                                std::string_view empty)
{
    if (first.empty() && second.empty())
        return std::nullopt;
    const auto item = [empty](const std::string& text) {
        return text.empty() ? std::string(empty) : WithDecimalPoint(text);
    };
    return item(first) + "," + item(second);
}

std::optional<std::string> OpAmpText(const Settings& in)
{
    if (!in.HasOpAmp())
        return std::nullopt;
    // RO given alone needs A0's place, which holds A0's default.
    std::string text = WithDecimalPoint(in.gbw);
    if (!in.a0.empty() || !in.ro.empty())
        text += "," + (in.a0.empty() ? std::string("200k") : WithDecimalPoint(in.a0));
    if (!in.ro.empty())
        text += "," + WithDecimalPoint(in.ro);
    return text;
}

// An empty end is written as the number it stands for; without a frequency that reads it
// stays empty, and the command says what it expected.
std::optional<std::string> BandText(const Settings& in)
{
    if (in.bandFrom.empty() && in.bandTo.empty())
        return std::nullopt;
    std::string from = WithDecimalPoint(in.bandFrom), to = WithDecimalPoint(in.bandTo);
    if (const std::optional<double> f3 = F3Of(in)) {
        if (from.empty())
            from = ShortestDoubleText(*f3 / 100);
        if (to.empty() && (in.circuit == Circuit::LowPass || !in.HasOpAmp()))
            to = ShortestDoubleText(*f3 * 100);
    }
    return from + ":" + to;
}

// Each option the settings may give, in the order of the command's help, with its value
// (nothing: not given).
struct Given {
    std::string_view name;
    std::optional<std::string> value;
};

std::vector<Given> OptionsOf(const Settings& in)
{
    const auto unless = [](bool isDefault, std::string_view id) {
        return isDefault ? std::nullopt : std::optional<std::string>(id);
    };
    const auto applied = [&in](Setting setting, std::optional<std::string> value) {
        return Applies(setting, in) ? value : std::nullopt;
    };
    std::optional<std::string> move;
    if (in.moveSeries)
        move = std::string(Id(*in.moveSeries)) + (in.moveSteps.empty() ? "" : ":" + in.moveSteps);
    return {
        {"--response", unless(in.response == ResponseKind::Butterworth, Id(in.response))},
        {"--coefficients",
         applied(Setting::Coefficients,
                 unless(in.coefficients == Coefficients::Exact, Id(in.coefficients)))},
        {"--series", in.series ? std::optional<std::string>(Id(*in.series)) : std::nullopt},
        {"--move-value", applied(Setting::MoveSeries, move)},
        {"--objective", applied(Setting::Objective,
                                unless(in.objective == Objective::Balanced, Id(in.objective)))},
        {"--opamp", OpAmpText(in)},
        {"--tolerance", Pair(in.toleranceR, in.toleranceC, "0")},
        {"--samples", applied(Setting::Samples, Text(in.samples))},
        {"--seed", applied(Setting::Seed, Text(in.seed))},
        {"--distribution",
         applied(Setting::Distribution,
                 unless(in.distribution == Distribution::Uniform, Id(in.distribution)))},
        {"--frequency-is",
         applied(Setting::FrequencyIs, unless(!in.frequencyIsPassbandEdge, "passband-edge"))},
        {"--opamp-noise", Pair(in.noiseVoltage, in.noiseCurrent, "0")},
        {"--noise-band", BandText(in)},
    };
}

std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> items;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        items.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return items;
        start = end + 1;
    }
}

// "a, b or c" of a kind's ids.
template <class Kind>
std::string OneOf()
{
    std::string text;
    for (std::size_t i = 0; i < All<Kind>.size(); ++i) {
        if (i > 0)
            text += i + 1 == All<Kind>.size() ? " or " : ", ";
        text += Id(All<Kind>[i]);
    }
    return text;
}

// Sets the choice of a kind that `value` names.
template <class Kind>
std::optional<std::string> Choose(std::string_view value, Kind& into)
{
    const std::optional<Kind> chosen = FromId<Kind>(value);
    if (!chosen)
        return "expected " + OneOf<Kind>();
    into = *chosen;
    return std::nullopt;
}

// "A,B[,C]": `into` from the first, the rest empty; nothing when the count is off.
std::optional<std::string> Items(std::string_view value, char separator, std::size_t least,
                                 std::initializer_list<std::string*> into, std::string_view form)
{
    const std::vector<std::string> items = Split(value, separator);
    if (items.size() < least || items.size() > into.size())
        return "expected " + std::string(form);
    auto field = into.begin();
    for (const std::string& item : items)
        **field++ = item;
    return std::nullopt;
}

// Takes one option's value into the settings; what was expected when its form is wrong.
std::optional<std::string> Take(std::string_view name, std::string_view value, Settings& s)
{
    if (name == "--response")
        return Choose(value, s.response);
    if (name == "--coefficients")
        return Choose(value, s.coefficients);
    if (name == "--objective")
        return Choose(value, s.objective);
    if (name == "--distribution")
        return Choose(value, s.distribution);
    if (name == "--series" || name == "--move-value") {
        const std::vector<std::string> items = Split(value, ':');
        Series series{};
        if (items.size() > (name == "--series" ? 1u : 2u) || Choose(items[0], series))
            return "expected " + std::string(name == "--series" ? "" : "SERIES[:STEPS], a ") +
                   OneOf<Series>();
        (name == "--series" ? s.series : s.moveSeries) = series;
        if (items.size() == 2)
            s.moveSteps = items[1];
        return std::nullopt;
    }
    if (name == "--frequency-is") {
        if (value != "f3" && value != "passband-edge")
            return "expected f3 or passband-edge";
        s.frequencyIsPassbandEdge = value == "passband-edge";
        return std::nullopt;
    }
    if (name == "--opamp")
        return Items(value, ',', 1, {&s.gbw, &s.a0, &s.ro}, "GBW[,A0[,RO]]");
    if (name == "--tolerance")
        return Items(value, ',', 2, {&s.toleranceR, &s.toleranceC}, "R%,C%");
    if (name == "--opamp-noise")
        return Items(value, ',', 2, {&s.noiseVoltage, &s.noiseCurrent}, "EN,IN");
    if (name == "--noise-band")
        return Items(value, ':', 2, {&s.bandFrom, &s.bandTo}, "F1:F2");
    if (name == "--at")
        s.attenuationAt += (s.attenuationAt.empty() ? "" : "; ") + std::string(value);
    else if (name == "--samples")
        s.samples = value;
    else if (name == "--seed")
        s.seed = value;
    return std::nullopt;
}

constexpr std::string_view SettingOptions[] = {
    "--response",     "--coefficients", "--series",     "--move-value", "--objective",
    "--opamp",        "--tolerance",    "--samples",    "--seed",       "--distribution",
    "--frequency-is", "--opamp-noise",  "--noise-band", "--at",
};
constexpr std::string_view OutputOptions[] = {"--json", "--spice", "--dialect",
                                              "--svg",  "--html",  "--spice-checks"};

bool IsOneOf(std::string_view name, std::span<const std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::vector<std::string> ArgumentsOf(const Settings& settings)
{
    std::vector<std::string> args = {std::string(Id(settings.circuit)),
                                     WithDecimalPoint(settings.frequency),
                                     WithDecimalPoint(settings.Value())};
    for (Given& option : OptionsOf(settings))
        if (option.value) {
            args.emplace_back(option.name);
            args.push_back(std::move(*option.value));
        }
    // One option a frequency, the last of the settings' options in the command's help.
    for (const std::string_view at : AttenuationItems(settings.attenuationAt)) {
        args.emplace_back("--at");
        args.push_back(WithDecimalPoint(at));
    }
    return args;
}

std::string_view ArgumentOf(Setting setting)
{
    switch (setting) {
    case Setting::Circuit: return "CIRCUIT";
    case Setting::Response: return "--response";
    case Setting::Coefficients: return "--coefficients";
    case Setting::Frequency: return "FREQUENCY";
    case Setting::FrequencyIs: return "--frequency-is";
    case Setting::Value: return "VALUE";
    case Setting::Series: return "--series";
    case Setting::MoveSeries:
    case Setting::MoveSteps: return "--move-value";
    case Setting::Objective: return "--objective";
    case Setting::Gbw:
    case Setting::A0:
    case Setting::Ro: return "--opamp";
    case Setting::NoiseVoltage:
    case Setting::NoiseCurrent: return "--opamp-noise";
    case Setting::BandFrom:
    case Setting::BandTo: return "--noise-band";
    case Setting::AttenuationAt: return "--at";
    case Setting::ToleranceR:
    case Setting::ToleranceC: return "--tolerance";
    case Setting::Distribution: return "--distribution";
    case Setting::Samples: return "--samples";
    case Setting::Seed: return "--seed";
    }
    return {};
}

std::variant<Settings, ArgumentProblem>
SettingsFromArguments(std::span<const std::string_view> args)
{
    Settings settings;
    std::vector<std::string_view> positional;
    std::map<std::string_view, std::string_view> given;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        // A number may start with a minus; "-" alone is a name.
        const bool looksLikeNumber =
            arg.size() >= 2 && arg[0] == '-' && ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
        if (optionsEnded || !arg.starts_with('-') || arg == "-" || looksLikeNumber) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        if (IsOneOf(name, OutputOptions))
            return ArgumentProblem{std::string(name),
                                   "expected no output option; the window saves the netlist, "
                                   "plot and report from its menu"};
        if (!IsOneOf(name, SettingOptions))
            return ArgumentProblem{std::string(arg),
                                   "unknown option (butterworth3-cli design --help lists them)"};
        if (equals == std::string_view::npos && i + 1 >= args.size())
            return ArgumentProblem{std::string(name), "expected a value after it"};
        const std::string_view value =
            equals == std::string_view::npos ? args[++i] : arg.substr(equals + 1);
        // Each --at adds a frequency; any other option given twice would lose one.
        if (!given.emplace(name, value).second && name != "--at")
            return ArgumentProblem{std::string(name), "expected once, not again"};
        if (auto why = Take(name, value, settings))
            return ArgumentProblem{std::string(name) + " " + std::string(value), std::move(*why)};
    }
    if (positional.size() < 3)
        return ArgumentProblem{{},
                               "expected CIRCUIT FREQUENCY VALUE: lowpass or highpass, the "
                               "frequency in Hz, R or C"};
    if (positional.size() > 3)
        return ArgumentProblem{std::string(positional[3]),
                               "expected no more than CIRCUIT FREQUENCY VALUE"};
    if (auto why = Choose(positional[0], settings.circuit))
        return ArgumentProblem{std::string(positional[0]), std::move(*why)};
    settings.frequency = positional[1];
    settings.Value() = positional[2];

    // What the companion refuses rather than ignores: an option that means nothing with the
    // others.
    const struct {
        Setting setting;
        bool given;
        std::string_view expected;
    } together[] = {
        {Setting::Coefficients, settings.coefficients == Coefficients::Window,
         "expected --response butterworth (the window's coefficients are Butterworth only)"},
        {Setting::FrequencyIs, settings.frequencyIsPassbandEdge,
         "expected --response chebyshev-0.5 or chebyshev-1 (only a Chebyshev response has a "
         "ripple band)"},
        {Setting::MoveSeries, settings.moveSeries.has_value(), "expected --series as well"},
    };
    for (const auto& rule : together)
        if (rule.given && !Applies(rule.setting, settings))
            return ArgumentProblem{std::string(ArgumentOf(rule.setting)),
                                   std::string(rule.expected)};
    return settings;
}

}  // namespace design
