// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/errors.h"
#include "cli/design_command.h"
#include "files/quoting.h"

namespace cli {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;  // clang 14 does not deduce aggregates yet

const char* FieldName(calc::Field field)
{
    switch (field) {
    case calc::Field::Frequency: return "frequency";
    case calc::Field::Resistance: return "resistance";
    case calc::Field::Capacitance: return "capacitance";
    }
    return "?";
}

// Typing "." into a field gives ","; an argument stands for typed text in that respect.
std::string AsTyped(std::string_view arg)
{
    std::string text(arg);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string PlainRejected(const calc::Rejected& rejected)
{
    const std::string field = std::string("Field: ") + FieldName(rejected.field) + "\n";
    if (const auto* range = std::get_if<calc::OutOfRange>(&rejected.outcome))
        return std::string(calc::OutOfRangeBanner) + "\n" + field + "Corrected text: \"" +
               range->replacement + "\"\n";
    return std::string(calc::InputErrorBanner) + "\n" + field;
}

std::string PlainComputed(const calc::Computed& computed)
{
    std::string out;
    for (std::size_t i = 0; i < calc::AllComponents.size(); ++i) {
        const calc::ComponentDisplay& display = computed.components[i];
        out += calc::ComponentName(calc::AllComponents[i]);
        out += " = ";
        if (display.texts)
            out += display.texts->number + " " + display.texts->unit;
        else
            out += "below display range";
        if (display.marker)
            out += calc::MarkerText;
        out += "\n";
    }
    return out;
}

nlohmann::ordered_json JsonRejected(const calc::Rejected& rejected)
{
    nlohmann::ordered_json j;
    if (const auto* range = std::get_if<calc::OutOfRange>(&rejected.outcome)) {
        j["outcome"] = "out-of-range";
        j["field"] = FieldName(rejected.field);
        j["replacement"] = range->replacement;
    } else {
        j["outcome"] = "input-error";
        j["field"] = FieldName(rejected.field);
    }
    return j;
}

nlohmann::ordered_json JsonComputed(const calc::Computed& computed)
{
    auto components = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < calc::AllComponents.size(); ++i) {
        const calc::Component component = calc::AllComponents[i];
        const calc::ComponentDisplay& display = computed.components[i];
        nlohmann::ordered_json c;
        c["name"] = calc::ComponentName(component);
        c["value"] = calc::ComponentValue(computed.values, component);
        c["text"] = display.texts ? nlohmann::ordered_json(display.texts->number) : nullptr;
        c["unit"] = display.texts ? nlohmann::ordered_json(display.texts->unit) : nullptr;
        c["marker"] = display.marker;
        components.push_back(std::move(c));
    }
    nlohmann::ordered_json j;
    j["outcome"] = "ok";
    j["components"] = std::move(components);
    return j;
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string_view> args)
{
    Options options;
    std::vector<std::string> fields;
    std::string firstProblem;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    for (const std::string_view arg : args) {
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            fields.push_back(AsTyped(arg));
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--khz") {
            options.kHz = true;
        } else if (arg == "--uf") {
            options.uF = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (firstProblem.empty()) {
            firstProblem = "unknown option " + files::ForMessage(arg) +
                           " (put \"--\" before a field text that starts with \"-\")";
        }
    }
    if (help)
        return HelpRequest{};
    if (version)
        return VersionRequest{};
    if (!firstProblem.empty())
        return UsageError{firstProblem};
    if (fields.size() != 3)
        return UsageError{"expected 3 field texts (frequency, resistance, capacitance), got " +
                          std::to_string(fields.size())};
    options.texts = {std::move(fields[0]), std::move(fields[1]), std::move(fields[2])};
    return options;
}

std::string VersionText()
{
    return "butterworth3-cli " BUTTERWORTH3_VERSION "\n";
}

std::string UsageText()
{
    return "Usage: butterworth3-cli [--khz] [--uf] [--json] FREQUENCY RESISTANCE CAPACITANCE\n"
           "\n"
           "Component values of the third-order Butterworth filters, as Go in butterworth3\n"
           "gives them: C1, C2, C3 of the low-pass and R1, R2, R3 of the high-pass circuit.\n"
           "\n"
           "  FREQUENCY    cut-off frequency in Hz (kHz with --khz)\n"
           "  RESISTANCE   resistor R of the low-pass circuit in kOhm\n"
           "  CAPACITANCE  capacitor C of the high-pass circuit in nF (uF with --uf)\n"
           "\n"
           "Each is a field text: a comma is the decimal separator, and a \".\" is taken\n"
           "as \",\". Put \"--\" before the field texts when one starts with \"-\".\n"
           "\n"
           "  --khz        frequency in kHz\n"
           "  --uf         capacitance in uF\n"
           "  --json       print one JSON object instead of text\n"
           "  -h, --help   print this text\n"
           "  --version    print the version\n"
           "\n"
           "Exit status: 0 with results, 1 when the input is rejected (empty field, input\n"
           "error, out of range, unreadable number), 2 on a usage error, 3 when the output\n"
           "cannot be written.\n"
           "\n"
           "Standard parts, op-amps and tolerances: butterworth3-cli design --help\n";
}

Outcome Run(const Options& options)
{
    calc::CalcState state;
    calc::SetFrequencyUnit(state, options.kHz ? calc::FrequencyUnit::kHz : calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(state,
                             options.uF ? calc::CapacitanceUnit::uF : calc::CapacitanceUnit::nF);
    if (calc::AnyFieldEmpty(options.texts))
        return EmptyField{};
    try {
        calc::Calculation calculation = calc::Calculate(state, options.texts);
        if (auto* rejected = std::get_if<calc::Rejected>(&calculation))
            return std::move(*rejected);
        return std::get<calc::Computed>(std::move(calculation));
    } catch (const calc::CalcError& e) {
        return ReadingError{e.message()};
    }
}

std::string RenderPlain(const Outcome& outcome)
{
    return std::visit(Overloaded{
                          [](const EmptyField&) {
                              return std::string("A field is empty: nothing is calculated.\n");
                          },
                          [](const calc::Rejected& r) { return PlainRejected(r); },
                          [](const calc::Computed& c) { return PlainComputed(c); },
                          // The error box's text quotes the field text, which may hold any bytes:
                          // on a terminal they are shown, not obeyed.
                          [](const ReadingError& e) {
                              return files::ForDisplay(calc::ErrorBoxText(e.message)) + "\n";
                          },
                      },
                      outcome);
}

std::string RenderJson(const Outcome& outcome)
{
    const nlohmann::ordered_json j =
        std::visit(Overloaded{
                       [](const EmptyField&) {
                           return nlohmann::ordered_json{{"outcome", "empty"}};
                       },
                       [](const calc::Rejected& r) { return JsonRejected(r); },
                       [](const calc::Computed& c) { return JsonComputed(c); },
                       [](const ReadingError& e) {
                           return nlohmann::ordered_json{
                               {"outcome", "error"}, {"message", calc::ErrorBoxText(e.message)}};
                       },
                   },
                   outcome);
    // A pasted field text may hold any bytes, and the message repeats it; strict UTF-8
    // checking would throw on dump.
    return files::ForJson(
               j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)) +
           "\n";
}

int ExitCode(const Outcome& outcome)
{
    return std::holds_alternative<calc::Computed>(outcome) ? 0 : 1;
}

int RunCommandLine(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                   std::vector<std::string>* replaced)
{
    if (!args.empty() && args[0] == "design")
        return RunDesignCommand(args.subspan(1), out, err, replaced);
    const ParsedArguments parsed = ParseArguments(args);
    if (std::holds_alternative<HelpRequest>(parsed)) {
        out << UsageText();
        return 0;
    }
    if (std::holds_alternative<VersionRequest>(parsed)) {
        out << VersionText();
        return 0;
    }
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "butterworth3-cli: " << usage->message << "\n" << UsageText();
        return UsageExitCode;
    }
    const Options& options = std::get<Options>(parsed);
    const Outcome outcome = Run(options);
    out << (options.json ? RenderJson(outcome) : RenderPlain(outcome));
    return ExitCode(outcome);
}

}  // namespace cli
