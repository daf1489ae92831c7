// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/inputs.h"

#include <algorithm>
#include <functional>

#include "cli/design_command.h"
#include "design/quantity.h"
#include "design/validation.h"
#include "files/quoting.h"

namespace designer {

std::string WithDecimalPoint(std::string_view text)
{
    std::string pointed(text);
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    return pointed;
}

namespace {

using design::Id;

// "A,B" of two paired fields, or nothing when both are empty.
std::optional<std::string> Pair(const std::string& first, const std::string& second, char separator)
{
    if (first.empty() && second.empty())
        return std::nullopt;
    const auto item = [](const std::string& text) {
        return text.empty() ? std::string("0") : WithDecimalPoint(text);
    };
    return item(first) + separator + item(second);
}

std::optional<std::string> OpAmpText(const Inputs& in)
{
    if (in.gbw.empty() && in.a0.empty() && in.ro.empty())
        return std::nullopt;
    // A0 and RO keep their defaults unless given; RO given alone needs A0's place.
    std::string text = WithDecimalPoint(in.gbw);
    if (!in.a0.empty() || !in.ro.empty())
        text += "," + (in.a0.empty() ? std::string("200k") : WithDecimalPoint(in.a0));
    if (!in.ro.empty())
        text += "," + WithDecimalPoint(in.ro);
    return text;
}

// The noise band keeps an empty side empty, so that the parser says what it expected.
std::optional<std::string> BandText(const Inputs& in)
{
    if (in.bandFrom.empty() && in.bandTo.empty())
        return std::nullopt;
    return WithDecimalPoint(in.bandFrom) + ":" + WithDecimalPoint(in.bandTo);
}

// Each option the fields may give, in the order of the command's help, with its value for
// these inputs (nothing: not given).
struct Given {
    std::string_view name;
    std::optional<std::string> value;
};

std::vector<Given> OptionsOf(const Inputs& in)
{
    const auto unless = [](bool isDefault, std::string_view id) {
        return isDefault ? std::nullopt : std::optional<std::string>(id);
    };
    const auto text = [](const std::string& typed) {
        return typed.empty() ? std::nullopt : std::optional<std::string>(WithDecimalPoint(typed));
    };
    const std::optional<std::string> tolerance = Pair(in.toleranceR, in.toleranceC, ',');
    const auto withTolerance = [&](std::optional<std::string> value) {
        return tolerance ? value : std::nullopt;
    };
    // A setting that does not apply with the others is off in the window and not given.
    const bool series = in.series.has_value();
    std::optional<std::string> move;
    if (series && in.moveSeries)
        move = std::string(Id(*in.moveSeries)) + (in.moveSteps.empty() ? "" : ":" + in.moveSteps);
    const bool windowCoefficients = design::TakesWindowCoefficients(in.response);
    const bool passbandEdge = design::HasRippleBand(in.response) && in.frequencyIsPassbandEdge;
    using design::Distribution, design::Objective, design::ResponseKind, design::Coefficients;
    return {
        {"--response", unless(in.response == ResponseKind::Butterworth, Id(in.response))},
        {"--coefficients", unless(!windowCoefficients || in.coefficients == Coefficients::Exact,
                                  Id(in.coefficients))},
        {"--series", series ? std::optional<std::string>(Id(*in.series)) : std::nullopt},
        {"--move-value", move},
        {"--objective", unless(!series || in.objective == Objective::Balanced, Id(in.objective))},
        {"--opamp", OpAmpText(in)},
        {"--tolerance", tolerance},
        {"--samples", withTolerance(text(in.samples))},
        {"--seed", withTolerance(text(in.seed))},
        {"--distribution",
         withTolerance(unless(in.distribution == Distribution::Uniform, Id(in.distribution)))},
        {"--frequency-is", unless(!passbandEdge, "passband-edge")},
        {"--opamp-noise", Pair(in.noiseVoltage, in.noiseCurrent, ',')},
        {"--noise-band", BandText(in)},
    };
}

std::vector<std::string_view> Views(const std::vector<std::string>& args)
{
    return {args.begin(), args.end()};
}

// A positional number that starts like an option would be taken for one.
bool LooksLikeOption(std::string_view text)
{
    return text.size() >= 2 && text[0] == '-' && !(text[1] >= '0' && text[1] <= '9') &&
           text[1] != '.';
}

// The companion's message without the argument it starts with: "expected ...".
std::string Reason(const std::string& message, std::string_view said)
{
    const std::string prefix = std::string(said) + ": ";
    if (message.starts_with(prefix))
        return message.substr(prefix.size());
    const std::size_t colon = message.find(": ");
    return colon == std::string::npos ? message : message.substr(colon + 2);
}

// The companion's reading of the arguments of `inputs`: the options, or its message.
std::variant<cli::DesignOptions, std::string> Parse(const std::vector<std::string>& args)
{
    const std::vector<std::string_view> views = Views(args);
    cli::DesignArguments parsed = cli::ParseDesignArguments(views);
    if (auto* options = std::get_if<cli::DesignOptions>(&parsed))
        return std::move(*options);
    if (const auto* usage = std::get_if<cli::DesignUsageError>(&parsed))
        return usage->message;
    return std::string("expected a design");  // no field gives -h: each is one argument
}

// The field of a paired option that holds the problem: the first one whose option, read
// with the later ones emptied, fails.
using Member = std::string Inputs::*;
Field FirstFailing(const Inputs& inputs, std::string_view option,
                   std::initializer_list<std::pair<Field, Member>> fields)
{
    Inputs trial = inputs;
    for (const auto& [field, member] : fields)
        trial.*member = "";
    for (const auto& [field, member] : fields) {
        trial.*member = inputs.*member;
        const auto parsed = Parse(ArgumentsOf(trial));
        if (const auto* message = std::get_if<std::string>(&parsed);
            message && message->starts_with(std::string(option) + " "))
            return field;
    }
    return std::prev(fields.end())->first;
}

}  // namespace

std::vector<std::string> ArgumentsOf(const Inputs& inputs)
{
    std::vector<std::string> args = {std::string(Id(inputs.circuit)),
                                     WithDecimalPoint(inputs.frequency),
                                     WithDecimalPoint(inputs.Value())};
    for (const Given& option : OptionsOf(inputs))
        if (option.value) {
            args.emplace_back(option.name);
            args.push_back(*option.value);
        }
    return args;
}

std::string CommandLineOf(const Inputs& inputs)
{
    const std::vector<std::string> args = ArgumentsOf(inputs);
    const std::vector<std::string_view> views = Views(args);
    return cli::CommandLineOf(views);
}

std::variant<cli::DesignOptions, FieldProblem> Read(const Inputs& inputs)
{
    const design::Subject valueSubject = design::Subject::Value;
    if (LooksLikeOption(inputs.frequency))
        return FieldProblem{Field::Frequency,
                            design::Expected(design::Subject::Frequency, inputs.circuit)};
    if (LooksLikeOption(inputs.Value()))
        return FieldProblem{Field::Value, design::Expected(valueSubject, inputs.circuit)};

    const std::vector<std::string> args = ArgumentsOf(inputs);
    auto parsed = Parse(args);
    if (auto* options = std::get_if<cli::DesignOptions>(&parsed))
        return std::move(*options);
    const std::string& message = std::get<std::string>(parsed);

    const auto said = [](std::string_view name, std::string_view value) {
        return std::string(name) + " " + files::ForMessage(value);
    };
    const std::string frequency = said("FREQUENCY", args[1]);
    const std::string value = said("VALUE", args[2]);
    if (message.starts_with(frequency + " and " + value))
        return FieldProblem{Field::Value, Reason(message, frequency + " and " + value)};
    if (message.starts_with("FREQUENCY"))
        return FieldProblem{Field::Frequency, Reason(message, frequency)};
    if (message.starts_with("VALUE"))
        return FieldProblem{Field::Value, Reason(message, value)};

    for (const Given& option : OptionsOf(inputs)) {
        if (!option.value || !message.starts_with(std::string(option.name) + " "))
            continue;
        const std::string reason = Reason(message, said(option.name, *option.value));
        const std::string_view name = option.name;
        Field field = Field::Response;
        if (name == "--coefficients")
            field = Field::Coefficients;
        else if (name == "--move-value")
            field =
                inputs.series && !inputs.moveSteps.empty() ? Field::MoveSteps : Field::MoveSeries;
        else if (name == "--opamp")
            // A0 or RO without a GBW: the GBW is what is missing.
            field = inputs.gbw.empty() ? Field::Gbw
                                       : FirstFailing(inputs, name,
                                                      {{Field::Gbw, &Inputs::gbw},
                                                       {Field::A0, &Inputs::a0},
                                                       {Field::Ro, &Inputs::ro}});
        else if (name == "--tolerance")
            field = FirstFailing(inputs, name,
                                 {{Field::ToleranceR, &Inputs::toleranceR},
                                  {Field::ToleranceC, &Inputs::toleranceC}});
        else if (name == "--samples")
            field = Field::Samples;
        else if (name == "--seed")
            field = Field::Seed;
        else if (name == "--frequency-is")
            field = Field::FrequencyIs;
        else if (name == "--opamp-noise")
            field = FirstFailing(inputs, name,
                                 {{Field::NoiseVoltage, &Inputs::noiseVoltage},
                                  {Field::NoiseCurrent, &Inputs::noiseCurrent}});
        else if (name == "--noise-band") {
            const std::optional<double> from =
                design::ReadQuantity(WithDecimalPoint(inputs.bandFrom), design::Unit::Hertz, false);
            field = from && *from > 0 ? Field::BandTo : Field::BandFrom;
        }
        return FieldProblem{field, reason};
    }
    return FieldProblem{Field::Frequency, message};
}

std::variant<Inputs, std::string> InputsFromArguments(std::span<const std::string_view> args)
{
    const cli::DesignArguments parsed = cli::ParseDesignArguments(args);
    if (const auto* usage = std::get_if<cli::DesignUsageError>(&parsed))
        return usage->message;
    if (std::holds_alternative<cli::DesignHelp>(parsed))
        return std::string("--help: expected a design (butterworth3-cli design --help lists "
                           "the options)");
    const cli::DesignOptions& options = std::get<cli::DesignOptions>(parsed);
    const design::Request& request = options.request;

    // The texts as typed, for the fields: the options by name, the rest positional.
    Inputs in;
    std::vector<std::string_view> positional;
    std::vector<std::pair<std::string_view, std::string_view>> given;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || !arg.starts_with("-") || arg == "-" || !LooksLikeOption(arg)) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        if (name == "--json")
            given.emplace_back(name, "");
        else if (equals != std::string_view::npos)
            given.emplace_back(name, arg.substr(equals + 1));
        else
            given.emplace_back(name, args[++i]);  // the parser took it, so it is there
    }
    for (const auto& [name, value] : given)
        if (name == "--json" || name == "--spice" || name == "--dialect" || name == "--svg" ||
            name == "--html" || name == "--spice-checks")
            return std::string(name) + ": expected no output option; the window saves the "
                                       "netlist, plot and report from its menu";

    in.circuit = request.circuit;
    in.frequency = std::string(positional[1]);
    in.Value() = std::string(positional[2]);
    in.response = request.response;
    in.coefficients = request.coefficients;
    in.series = request.series;
    in.moveSeries = request.moveSeries;
    in.objective = request.objective;
    in.frequencyIsPassbandEdge = request.passbandEdge.has_value();
    const auto split = [](std::string_view text, char separator) {
        std::vector<std::string> items;
        for (std::size_t start = 0;;) {
            const std::size_t end = text.find(separator, start);
            items.emplace_back(text.substr(start, end - start));
            if (end == std::string_view::npos)
                return items;
            start = end + 1;
        }
    };
    const auto percent = [](std::string text) {
        if (text.ends_with('%'))
            text.pop_back();
        return text;
    };
    for (const auto& [name, value] : given) {
        const std::vector<std::string> items =
            split(value, name == "--noise-band" || name == "--move-value" ? ':' : ',');
        if (name == "--move-value" && items.size() == 2)
            in.moveSteps = items[1];
        else if (name == "--opamp") {
            in.gbw = items[0];
            in.a0 = items.size() > 1 ? items[1] : "";
            in.ro = items.size() > 2 ? items[2] : "";
        } else if (name == "--tolerance") {
            in.toleranceR = percent(items[0]);
            in.toleranceC = percent(items[1]);
        } else if (name == "--samples")
            in.samples = std::string(value);
        else if (name == "--seed")
            in.seed = std::string(value);
        else if (name == "--opamp-noise") {
            in.noiseVoltage = items[0];
            in.noiseCurrent = items[1];
        } else if (name == "--noise-band") {
            in.bandFrom = items[0];
            in.bandTo = items[1];
        }
    }
    if (options.tolerance)
        in.distribution = options.tolerance->distribution;
    return in;
}

ProgramArguments ReadProgramArguments(std::span<const std::string_view> args)
{
    for (const std::string_view arg : args) {
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help")
            return HelpRequest{};
        if (arg == "--version")
            return VersionRequest{};
    }
    auto read = InputsFromArguments(args);
    if (auto* inputs = std::get_if<Inputs>(&read))
        return std::move(*inputs);
    return std::get<std::string>(std::move(read));
}

std::string ProgramHelpText()
{
    return "Usage: butterworth3-designer [lowpass|highpass FREQUENCY VALUE [options]]\n"
           "\n"
           "The designer window of the third-order single-op-amp filter: its parts, figures,\n"
           "Bode plot, schematic and tolerance spread, recomputed as the fields change.\n"
           "Without arguments it opens the last design; with them, that design, read as\n"
           "butterworth3-cli design reads it (butterworth3-cli design --help lists the\n"
           "options). The output options are refused: the window saves the netlist, plot\n"
           "and report from its File menu.\n"
           "\n"
           "  -h, --help   print this text\n"
           "  --version    print the version\n"
           "\n"
           "Exit status: 0 when the window is closed, 1 without a display, 2 when the\n"
           "arguments do not read.\n";
}

std::string ProgramVersionText()
{
    return "butterworth3-designer " BUTTERWORTH3_VERSION "\n";
}

}  // namespace designer
