// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "cli/design_options.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>

#include "design/quantity.h"
#include "design/settings.h"
#include "design/validation.h"
#include "design/vocabulary.h"
#include "files/quoting.h"

namespace cli {

struct OptionsRead {
    DesignOptions options;
    FrequencyIs frequencyIs = FrequencyIs::F3;
    design::ToleranceRequest tolerance;
    bool toleranceGiven = false;
    bool help = false;
};

namespace {

using design::Circuit;

// The usage text's column for the help of each option.
constexpr std::size_t HelpColumn = 32;

// The first problem found, as the one line reported.
class Problems {
public:
    void Add(std::string message)
    {
        if (first_.empty())
            first_ = std::move(message);
    }
    bool Any() const { return !first_.empty(); }
    const std::string& First() const { return first_; }

private:
    std::string first_;
};

std::string Said(std::string_view name, std::string_view value)
{
    return std::string(name) + " " + files::ForMessage(value);
}

std::vector<std::string_view> SplitCommas(std::string_view text)
{
    std::vector<std::string_view> items;
    for (;;) {
        const std::size_t comma = text.find(',');
        items.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return items;
        text.remove_prefix(comma + 1);
    }
}

// "a, b or c"
std::string OneOf(const std::vector<std::string_view>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " or " : ", ";
        text += items[i];
    }
    return text;
}

std::string Joined(const std::vector<std::string_view>& items, std::string_view separator)
{
    std::string text;
    for (const std::string_view item : items)
        text += (text.empty() ? "" : std::string(separator)) + std::string(item);
    return text;
}

template <class Enum>
using Ids = std::vector<std::pair<Enum, std::string_view>>;

// An option whose value is one of a fixed set of ids; `set` stores the one taken.
template <class Enum, class Set>
DesignOption Choice(std::string_view name, Ids<Enum> ids, std::string_view help, Set set)
{
    DesignOption option{name, {}, {}, {}, help, {}};
    for (const auto& id : ids)
        option.choices.push_back(id.second);
    option.metavariable = Joined(option.choices, "|");
    option.take = [ids = std::move(ids), expected = "expected " + OneOf(option.choices),
                   set](std::string_view value, OptionsRead& read) -> std::optional<std::string> {
        for (const auto& [member, id] : ids)
            if (id == value) {
                set(read, member);
                return std::nullopt;
            }
        return expected;
    };
    return option;
}

// The ids of every value of a kind in the design's vocabulary.
template <class Kind>
Ids<Kind> VocabularyIds()
{
    Ids<Kind> ids;
    for (const Kind value : design::All<Kind>)
        ids.emplace_back(value, design::Id(value));
    return ids;
}

template <class Take>
DesignOption Valued(std::string_view name, std::string metavariable, std::string_view help,
                    Take take)
{
    return {name, {}, std::move(metavariable), {}, help, std::move(take)};
}

DesignOption Repeatable(DesignOption option)
{
    option.repeatable = true;
    return option;
}

// One number of an option, read as the settings read it; nothing when it does not read.
std::optional<double> Number(design::Setting setting, std::string_view text)
{
    const auto number = design::ReadNumber(setting, text, Circuit::LowPass, false);
    const double* value = std::get_if<double>(&number);
    return value ? std::optional<double>(*value) : std::nullopt;
}

std::optional<std::string> TakeMove(std::string_view value, OptionsRead& read)
{
    const std::size_t colon = value.find(':');
    const std::optional<design::Series> series =
        design::FromId<design::Series>(value.substr(0, colon));
    const std::optional<double> steps =
        colon == std::string_view::npos
            ? 2
            : Number(design::Setting::MoveSteps, value.substr(colon + 1));
    if (!series || !steps)
        return design::Expected(design::Subject::MoveSteps, Circuit::LowPass);
    read.options.request.moveSeries = *series;
    read.options.request.moveSteps = int(*steps);
    return std::nullopt;
}

std::optional<std::string> TakeOpAmp(std::string_view value, OptionsRead& read)
{
    const std::vector<std::string_view> items = SplitCommas(value);
    using design::Setting;
    const Setting settings[] = {Setting::Gbw, Setting::A0, Setting::Ro};
    design::OpAmp opamp;
    double* const fields[] = {&opamp.gbw, &opamp.a0, &opamp.ro};
    if (items.size() > 3)
        return design::Expected(design::Subject::OpAmp, Circuit::LowPass);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::optional<double> number = Number(settings[i], items[i]);
        if (!number)
            return design::Expected(design::Subject::OpAmp, Circuit::LowPass);
        *fields[i] = *number;
    }
    read.options.opamp = opamp;
    return std::nullopt;
}

std::optional<std::string> TakeTolerance(std::string_view value, OptionsRead& read)
{
    const std::vector<std::string_view> items = SplitCommas(value);
    const auto percent = [&items](std::size_t i) {
        return items.size() == 2 ? Number(design::Setting::ToleranceR, items[i]) : std::nullopt;
    };
    const std::optional<double> r = percent(0);
    const std::optional<double> c = percent(1);
    if (!r || !c)
        return design::Expected(design::Subject::Tolerance, Circuit::LowPass);
    read.tolerance.resistors = *r / 100;
    read.tolerance.capacitors = *c / 100;
    read.toleranceGiven = true;
    return std::nullopt;
}

std::optional<std::string> TakeSamples(std::string_view value, OptionsRead& read)
{
    const std::optional<double> n = Number(design::Setting::Samples, value);
    if (!n)
        return design::Expected(design::Subject::Samples, Circuit::LowPass);
    read.tolerance.samples = static_cast<long>(*n);
    return std::nullopt;
}

std::optional<std::string> TakeSeed(std::string_view value, OptionsRead& read)
{
    const std::optional<std::uint64_t> seed = design::ReadSeed(value);
    if (!seed)
        return "expected a whole number from 0 to 18446744073709551615";
    read.tolerance.seed = *seed;
    return std::nullopt;
}

std::optional<std::string> TakeOpAmpNoise(std::string_view value, OptionsRead& read)
{
    const std::vector<std::string_view> items = SplitCommas(value);
    const std::string expected =
        "expected EN,IN in V/sqrt(Hz) and A/sqrt(Hz) with a decimal point, such as 10n,1p";
    if (items.size() != 2)
        return expected;
    const std::optional<double> voltage = Number(design::Setting::NoiseVoltage, items[0]);
    const std::optional<double> current = Number(design::Setting::NoiseCurrent, items[1]);
    if (!voltage || !current)
        return expected + " (each at most 1)";
    read.options.noise.opamp = design::OpAmpNoise{*voltage, *current};
    return std::nullopt;
}

std::optional<std::string> TakeNoiseBand(std::string_view value, OptionsRead& read)
{
    const std::size_t colon = value.find(':');
    const bool pair = colon != std::string_view::npos;
    const std::optional<double> from =
        pair ? Number(design::Setting::BandFrom, value.substr(0, colon)) : std::nullopt;
    const std::optional<double> to =
        pair ? Number(design::Setting::BandTo, value.substr(colon + 1)) : std::nullopt;
    if (!from || !to || !(*to > *from))
        return "expected F1:F2 in Hz with 0 < F1 < F2, such as 20:20k";
    read.options.noise.band = design::Band{*from, *to};
    return std::nullopt;
}

std::optional<std::string> TakeAttenuationAt(std::string_view value, OptionsRead& read)
{
    std::vector<double>& at = read.options.attenuationAt;
    const std::optional<double> frequency = Number(design::Setting::AttenuationAt, value);
    if (!frequency)
        return design::Expected(design::Subject::Frequency, Circuit::LowPass);
    if (at.size() == design::MaxGainFrequencies)
        return "expected --at at most " + std::to_string(design::MaxGainFrequencies) + " times";
    at.push_back(*frequency);
    return std::nullopt;
}

template <std::optional<std::string> DesignOptions::*File>
std::optional<std::string> TakeFile(std::string_view value, OptionsRead& read)
{
    if (value.empty())
        return "expected a file name, or - for standard output";
    read.options.*File = std::string(value);
    return std::nullopt;
}

template <class Set>
DesignOption Flag(std::string_view name, std::string_view alias, std::string_view help, Set set)
{
    return {name,
            alias,
            {},
            {},
            help,
            [set](std::string_view, OptionsRead& read) -> std::optional<std::string> {
                set(read);
                return std::nullopt;
            }};
}

// The options in the order of the usage text. A new option is one row here (and its entry in
// the manual page and the bash completion, which a test holds to this table).
std::vector<DesignOption> MakeTable()
{
    using design::Coefficients, design::Distribution, design::Objective, design::ResponseKind;
    using design::outputs::Dialect;
    using R = OptionsRead;
    return {
        Choice("--response", VocabularyIds<ResponseKind>(), "(butterworth)",
               [](R& read, ResponseKind response) { read.options.request.response = response; }),
        Choice("--coefficients", VocabularyIds<Coefficients>(),
               "window: the window's own values (butterworth)",
               [](R& read, Coefficients coefficients) {
                   read.options.request.coefficients = coefficients;
               }),
        Choice("--series", VocabularyIds<design::Series>(), "standard values for the three parts",
               [](R& read, design::Series series) { read.options.request.series = series; }),
        Valued("--move-value", "SERIES[:STEPS]",
               "let R (or C) move too: the nearest standard\n"
               "value and STEPS either side (2); needs --series",
               TakeMove),
        Choice("--objective", VocabularyIds<Objective>(),
               "balanced: the f3 nearest to FREQUENCY among the\n"
               "shapes within 0.1 dB of the best (balanced)",
               [](R& read, Objective objective) { read.options.request.objective = objective; }),
        Valued("--opamp", "GBW[,A0[,RO]]",
               "a real op-amp, e.g. 1Meg or 1.5Meg,200k,100\n"
               "(A0 200k and RO 0 unless given)",
               TakeOpAmp),
        Valued("--tolerance", "R%,C%", "part tolerances, e.g. 1,5 or 0.5%,1%", TakeTolerance),
        Valued("--samples", "N", "tolerance samples (100000, at most 10000000)", TakeSamples),
        Valued("--seed", "S", "the random sequence (fixed unless given)", TakeSeed),
        Choice(
            "--distribution", VocabularyIds<Distribution>(),
            "normal: the tolerance is 3 sigma (uniform)",
            [](R& read, Distribution distribution) { read.tolerance.distribution = distribution; }),
        Choice(
            "--frequency-is",
            Ids<FrequencyIs>{{FrequencyIs::F3, "f3"}, {FrequencyIs::PassbandEdge, "passband-edge"}},
            "what FREQUENCY is: the -3 dB point (f3), or\n"
            "the end of the ripple band (chebyshev only)",
            [](R& read, FrequencyIs meaning) { read.frequencyIs = meaning; }),
        Valued("--opamp-noise", "EN,IN",
               "the op-amp's noise in V/sqrt(Hz) and A/sqrt(Hz),\n"
               "e.g. 10n,1p (the resistors' alone unless given)",
               TakeOpAmpNoise),
        Valued("--noise-band", "F1:F2",
               "the band of the rms noise (f/100 to 100 f; a\n"
               "high-pass with --opamp: to its upper edge)",
               TakeNoiseBand),
        Repeatable(Valued("--at", "FREQUENCY",
                          "the gain of the target and of the circuit at\n"
                          "FREQUENCY in Hz; again for another (8 at most)",
                          TakeAttenuationAt)),
        Flag("--json", {}, "one JSON object instead of text",
             [](R& read) { read.options.json = true; }),
        Valued("--spice", "FILE",
               "the circuit as a SPICE netlist with an AC sweep\n"
               "and a measurement of the -3 dB point",
               TakeFile<&DesignOptions::spice>),
        Choice("--dialect",
               Ids<Dialect>{{Dialect::Ngspice, "ngspice"}, {Dialect::LtSpice, "ltspice"}},
               "the netlist's simulator (ngspice)",
               [](R& read, Dialect dialect) { read.options.dialect = dialect; }),
        Valued("--svg", "FILE", "Bode plot: magnitude, phase, deviation from target",
               TakeFile<&DesignOptions::svg>),
        Valued("--html", "FILE",
               "one-file report: summary, schematic, parts,\n"
               "figures, plots and the netlist",
               TakeFile<&DesignOptions::html>),
        Valued("--spice-checks", "FILE",
               "an ngspice deck of the same circuit that checks\n"
               "the noise, step, delay, stop-band and corners",
               TakeFile<&DesignOptions::spiceChecks>),
        Flag("--help", "-h", "this text", [](R& read) { read.help = true; }),
    };
}

const DesignOption* FindOption(std::string_view name)
{
    for (const DesignOption& option : DesignOptionTable())
        if (option.name == name || (!option.alias.empty() && option.alias == name))
            return &option;
    return nullptr;
}

// The options with a value, then the flags: "--response, ..., --json or --help".
std::string UnknownOptionMessage(std::string_view arg)
{
    std::vector<std::string_view> names;
    for (const bool valued : {true, false})
        for (const DesignOption& option : DesignOptionTable())
            if (option.TakesValue() == valued)
                names.push_back(option.name);
    return files::ForMessage(arg) + ": unknown option; expected " + OneOf(names);
}

// An op-amp at or below the frequency is most often "1,5Meg" meant as 1.5 MHz: the comma
// made the GBW 1 Hz and the gain 5 M. Suggests the point when it gives a usable GBW.
std::string OpAmpCommaHint(std::string_view text, double frequency)
{
    std::string hint = "; the comma separates GBW, A0 and RO";
    const std::vector<std::string_view> items = SplitCommas(text);
    const bool digits =
        !items[0].empty() &&
        std::all_of(items[0].begin(), items[0].end(), [](char c) { return c >= '0' && c <= '9'; });
    if (items.size() < 2 || !digits)
        return hint;
    std::string pointed = std::string(items[0]) + "." + std::string(items[1]);
    const std::optional<double> gbw = design::ReadQuantity(pointed, design::Unit::Hertz, false);
    if (!gbw || *gbw <= frequency)
        return hint;
    for (std::size_t i = 2; i < items.size(); ++i)
        pointed += "," + std::string(items[i]);
    return hint + ", so write " + pointed;
}

// The options with a value given so far: name -> value as typed.
using Given = std::map<std::string_view, std::string_view>;

struct Positional {
    std::vector<std::string_view> args;

    // The circuit, frequency and value, in order, after the options' own problems.
    void Read(DesignOptions& options, Problems& problems) const
    {
        design::Request& request = options.request;
        std::vector<std::string_view> circuits;
        for (const Circuit circuit : design::All<Circuit>)
            circuits.push_back(design::Id(circuit));
        if (args.empty()) {
            problems.Add("CIRCUIT: expected " + OneOf(circuits) + ", then FREQUENCY and VALUE");
        } else if (const std::optional<Circuit> circuit = design::FromId<Circuit>(args[0])) {
            request.circuit = *circuit;
        } else {
            problems.Add("CIRCUIT " + files::ForMessage(args[0]) + ": expected " + OneOf(circuits));
        }
        // The two numbers take a decimal comma: no item of an option is beside them.
        const auto number = [&request](design::Setting setting, std::string_view text) {
            const auto read = design::ReadNumber(setting, text, request.circuit, true);
            const double* value = std::get_if<double>(&read);
            return value ? std::optional<double>(*value) : std::nullopt;
        };
        if (args.size() >= 2) {
            if (const auto f = number(design::Setting::Frequency, args[1]))
                request.frequency = *f;
            else
                problems.Add("FREQUENCY " + files::ForMessage(args[1]) + ": " +
                             design::Expected(design::Subject::Frequency, request.circuit));
        } else if (!args.empty()) {
            problems.Add("FREQUENCY: expected the -3 dB frequency in Hz after the circuit");
        }
        if (args.size() >= 3) {
            if (const auto v = number(design::Setting::Value, args[2]))
                request.value = *v;
            else
                problems.Add("VALUE " + files::ForMessage(args[2]) + ": " +
                             design::Expected(design::Subject::Value, request.circuit));
        } else if (args.size() == 2) {
            problems.Add("VALUE: expected R in ohms (lowpass) or C in farads (highpass) after "
                         "the frequency");
        }
        if (args.size() > 3)
            problems.Add(files::ForMessage(args[3]) +
                         ": expected no more than CIRCUIT FREQUENCY VALUE");
    }
};

// What the options and arguments say together, after each was read alone.
void CheckTogether(const DesignOptions& options, const Given& given, const Positional& positional,
                   Problems& problems)
{
    for (const design::Problem& problem : design::CheckSettings(options.request))
        problems.Add(problem.subject == design::Subject::MoveWithoutSeries
                         ? Said("--move-value", given.at("--move-value")) + ": " + problem.expected
                         : "--coefficients window: " + problem.expected);
    if (given.contains("--dialect") && !options.spice)
        problems.Add(Said("--dialect", given.at("--dialect")) + ": expected --spice as well");
    const int toStdout =
        int(options.spice == "-") + int(options.svg == "-") + int(options.html == "-");
    if (toStdout > 1)
        problems.Add("'-': expected standard output for one of --spice, --svg and --html only");
    else if (toStdout == 1 && options.json)
        problems.Add("'-': expected a file name with --json (standard output holds the JSON)");
    if (options.spiceChecks == "-")
        problems.Add("--spice-checks '-': expected a file name (the deck writes step.txt beside "
                     "where ngspice runs)");
    if (!problems.Any())
        if (const auto problem = design::CheckBuildable(options.request, options.opamp))
            problems.Add(problem->subject == design::Subject::Parts
                             ? "FREQUENCY " + files::ForMessage(positional.args[1]) +
                                   " and VALUE " + files::ForMessage(positional.args[2]) + ": " +
                                   problem->expected
                             : Said("--opamp", given.at("--opamp")) + ": " + problem->expected +
                                   OpAmpCommaHint(given.at("--opamp"), options.request.frequency));
}

}  // namespace

const std::vector<DesignOption>& DesignOptionTable()
{
    static const std::vector<DesignOption> table = MakeTable();
    return table;
}

DesignArguments ParseDesignArguments(std::span<const std::string_view> args)
{
    OptionsRead read;
    DesignOptions& options = read.options;
    Problems problems;
    Positional positional;
    Given given;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool looksLikeNumber =
            arg.size() >= 2 && arg[0] == '-' && ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-" || looksLikeNumber) {
            positional.args.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name value" or "--name=value"; a flag takes no value.
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t equals = arg.find('='); equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const DesignOption* option = FindOption(name);
        if (!option || (!option->TakesValue() && value)) {
            problems.Add(UnknownOptionMessage(arg));
            continue;
        }
        if (!option->TakesValue()) {
            option->take({}, read);
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                problems.Add(std::string(name) + ": expected a value after it");
                continue;
            }
            value = args[++i];
        }
        // A second value would silently replace the first: one output or setting lost.
        if (const auto first = given.find(option->name);
            first != given.end() && !option->repeatable) {
            problems.Add(Said(name, *value) + ": expected " + std::string(option->name) +
                         " once, not again after " + files::ForMessage(first->second));
            continue;
        }
        given.emplace(option->name, *value);
        if (const std::optional<std::string> expected = option->take(*value, read))
            problems.Add(Said(name, *value) + ": " + *expected);
    }
    if (read.help)
        return DesignHelp{};

    positional.Read(options, problems);
    if (read.frequencyIs == FrequencyIs::PassbandEdge && !problems.Any()) {
        design::Request& request = options.request;
        if (const auto f3 =
                design::F3FromPassbandEdge(request.circuit, request.response, request.frequency)) {
            request.passbandEdge = request.frequency;
            request.frequency = *f3;
        } else {
            problems.Add("--frequency-is passband-edge: expected --response chebyshev-0.5 or "
                         "chebyshev-1 (only a Chebyshev response has a ripple band)");
        }
    }
    CheckTogether(options, given, positional, problems);
    if (problems.Any())
        return DesignUsageError{problems.First()};
    if (read.toleranceGiven)
        options.tolerance = read.tolerance;
    return options;
}

std::string DesignUsageText()
{
    std::string text =
        "Usage: butterworth3-cli design lowpass|highpass FREQUENCY VALUE [options]\n"
        "\n"
        "Exact or standard part values of the third-order single-op-amp filter, with\n"
        "what they do: the -3 dB frequency f3, the shape error against the wanted\n"
        "response, the op-amp bandwidth needed, the sensitivities and the spread\n"
        "with part tolerances.\n"
        "\n"
        "  FREQUENCY  the -3 dB frequency in Hz: 100, 2.5k, 2,5k, 1e3, 1kHz\n"
        "  VALUE      the three equal parts: R in ohms for lowpass (33k, 4k7, 2R2,\n"
        "             33kOhm), C in farads for highpass (10n, 4n7, 10nF, 0.1u)\n"
        "  Suffixes: p n u µ m (milli) k M (mega) Meg G.\n"
        "\n";
    for (const DesignOption& option : DesignOptionTable()) {
        std::string left = "  ";
        if (!option.alias.empty())
            left += std::string(option.alias) + ", ";
        left += std::string(option.name);
        if (option.TakesValue())
            left += " " + option.metavariable;
        // A long option name keeps its help apart by three spaces.
        left += left.size() < HelpColumn ? std::string(HelpColumn - left.size(), ' ') : "   ";
        std::string_view help = option.help;
        for (std::size_t end; (end = help.find('\n')) != std::string_view::npos;) {
            text += left + std::string(help.substr(0, end)) + "\n";
            left = std::string(HelpColumn, ' ');
            help.remove_prefix(end + 1);
        }
        text += left + std::string(help) + "\n";
    }
    text += "\n"
            "Shape error: the largest difference in dB from the response with its -3 dB\n"
            "point at FREQUENCY, where that response is at or above -20 dB (so it holds the\n"
            "f3 error too). Aligned shape error: the same against the response moved to\n"
            "the realised f3, up to 100 f3 (a high-pass with --opamp: up to a tenth of its\n"
            "upper edge).\n"
            "\n"
            "Numbers inside options take a decimal point only: the comma separates items.\n"
            "FILE - is standard output, in place of the text (one FILE at most).\n"
            "Exit status: 0 with a design, 2 on bad input or two FILEs naming one file\n"
            "(one line on stderr), 3 when a FILE cannot be written (nothing written, or\n"
            "the line says which files were replaced and which not).\n";
    return text;
}

}  // namespace cli
