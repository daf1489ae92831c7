// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Fuzz target for the core: arbitrary field texts, units and typed keys. Each input is
// checked against properties of the core's contract, and a violated one aborts.
//
// Input layout: byte 0 holds the units (bit 0: kHz, bit 1: uF); the rest is split at the
// first three '\n' into the frequency, resistance and capacitance texts, and whatever
// follows is a key sequence, three bytes a key: bit 0 of the first byte is the Backspace
// flag, the remaining 23 bits the typed character.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/input_checks.h"
#include "calc/number_text.h"
#include "calc/result_display.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace calc::literals;

std::string ConvertMessage(std::string_view text)
{
    std::string message = "'";
    message += text;
    message += "' is not a valid floating point value";
    return message;
}
constexpr std::string_view OverflowMessage = "Floating point overflow";

bool SameMessage(const calc::CalcError& e, const std::string& expected)
{
    return e.message() == expected;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// --- Key filter -------------------------------------------------------------------------

void CheckKey(char32_t typed, bool backspaceFlag)
{
    const std::optional<char32_t> passed = calc::KeyFilter(typed, backspaceFlag);
    std::optional<char32_t> expected;
    if (backspaceFlag || (typed >= U'0' && typed <= U'9') || typed == U',')
        expected = typed;
    else if (typed == U'.')
        expected = U',';
    const char32_t shown[2] = {typed, static_cast<char32_t>(backspaceFlag)};
    BUTTERWORTH3_FUZZ_CHECK(passed == expected,
                            std::string_view(reinterpret_cast<const char*>(shown), sizeof shown));
}

// --- Error box text ---------------------------------------------------------------------

void CheckErrorBoxText(std::string_view message)
{
    // "Above the code of '.'" is about the character, so bytes of UTF-8 sequences count
    // as large codes, never as negative ones.
    const bool stop = !message.empty() && static_cast<unsigned char>(message.back()) > '.';
    const std::string expected = std::string(message) + (stop ? "." : "");
    BUTTERWORTH3_FUZZ_CHECK(calc::ErrorBoxText(message) == expected, message);
}

// --- Number reading ---------------------------------------------------------------------

// The shape of a field text as the number reading accepts it, found independently.
struct NumberForm {
    bool valid = false;
    bool negative = false;
    std::string significant;  // mantissa digits without leading zeros ("" for zero)
    long power = 0;           // exponent minus the digits after the comma
};

NumberForm FormOf(std::string_view t)
{
    NumberForm form;
    std::size_t i = 0;
    const std::size_t n = t.size();
    while (i < n && t[i] == ' ')
        ++i;
    if (i < n && (t[i] == '+' || t[i] == '-'))
        form.negative = t[i++] == '-';
    std::string digits;
    long afterComma = 0;
    bool comma = false;
    while (i < n && IsDigit(t[i]))
        digits += t[i++];
    if (i < n && t[i] == ',') {
        comma = true;
        ++i;
        while (i < n && IsDigit(t[i])) {
            digits += t[i++];
            ++afterComma;
        }
    }
    if (digits.empty() && !comma)
        return form;
    long exponent = 0;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (t[i] == '+' || t[i] == '-'))
            negativeExponent = t[i++] == '-';
        while (i < n && IsDigit(t[i]) && exponent < 500)
            exponent = exponent * 10 + (t[i++] - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    while (i < n && t[i] == ' ')
        ++i;
    if (i != n)
        return form;
    form.valid = true;
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    form.significant = firstNonZero == std::string::npos ? "" : digits.substr(firstNonZero);
    form.power = exponent - afterComma;
    return form;
}

bool SameBits(calc::Extended a, calc::Extended b)
{
    return calc::BitsOf(a) == calc::BitsOf(b);
}

void CheckReading(std::string_view text)
{
    const NumberForm form = FormOf(text);
    std::optional<calc::Extended> read;
    try {
        read = calc::ReadNumber(text);
    } catch (const calc::EConvertError& e) {
        BUTTERWORTH3_FUZZ_CHECK(SameMessage(e, ConvertMessage(text)), text);
    } catch (...) {
        Violated("ReadNumber throws only EConvertError", text);
    }

    if (!form.valid)
        BUTTERWORTH3_FUZZ_CHECK(!read, text);
    const long digitCount = static_cast<long>(form.significant.size());
    // Far from both ends of the extended range: such a text is always read.
    if (form.valid && digitCount <= 30 && std::labs(form.power) <= 4000)
        BUTTERWORTH3_FUZZ_CHECK(read.has_value(), text);

    if (read) {
        const calc::Extended v = *read;
        BUTTERWORTH3_FUZZ_CHECK(!calc::isinf(v) && !calc::isnan(v), text);
        if (form.significant.empty())
            BUTTERWORTH3_FUZZ_CHECK(v == 0, text);
        // A non-zero mantissa reads as 0 only when the value is too small for the format
        // or the power of ten is past the tables.
        if (v == 0 && !form.significant.empty())
            BUTTERWORTH3_FUZZ_CHECK(form.power <= -5120 || digitCount + form.power < -4900, text);
        if (v != 0)
            BUTTERWORTH3_FUZZ_CHECK(calc::signbit(v) == form.negative, text);
        // Up to 19 digits and |p| up to 27 both integer and power of ten are exact in
        // the 64-bit significand, so the reading is one correctly rounded operation and
        // must agree with the C library to the last bit.
        if (!form.significant.empty() && digitCount <= 19 && std::labs(form.power) <= 27) {
            const std::string canonical = form.significant + "e" + std::to_string(form.power);
            const calc::Extended nearest = calc::FromBits(calc::ExtendedFromDecimal(canonical));
            BUTTERWORTH3_FUZZ_CHECK(SameBits(v, form.negative ? -nearest : nearest), text);
        }
    }

    // Storing as a double: the rounded value, or EOverflow when that is not finite.
    try {
        const double d = calc::ReadDouble(text);
        BUTTERWORTH3_FUZZ_CHECK(read.has_value(), text);
        const double rounded = static_cast<double>(*read);
        BUTTERWORTH3_FUZZ_CHECK(std::memcmp(&d, &rounded, sizeof d) == 0, text);
        BUTTERWORTH3_FUZZ_CHECK(std::isfinite(d), text);
    } catch (const calc::EConvertError& e) {
        BUTTERWORTH3_FUZZ_CHECK(!read.has_value(), text);
        BUTTERWORTH3_FUZZ_CHECK(SameMessage(e, ConvertMessage(text)), text);
    } catch (const calc::EOverflow& e) {
        BUTTERWORTH3_FUZZ_CHECK(read.has_value() && std::isinf(static_cast<double>(*read)), text);
        BUTTERWORTH3_FUZZ_CHECK(SameMessage(e, std::string(OverflowMessage)), text);
    } catch (...) {
        Violated("ReadDouble throws only EConvertError or EOverflow", text);
    }
}

// --- Field checks and the whole Go ------------------------------------------------------

struct Limits {
    calc::Extended lower, upper;
    const char* below;
    const char* above;
};

Limits LimitsOf(calc::Field field, bool kHz, bool uF)
{
    switch (field) {
    case calc::Field::Frequency:
        return kHz ? Limits{0.1_ext, 500, "0,1", "500"} : Limits{1, 99999, "1", ""};
    case calc::Field::Resistance: return {0.1_ext, 1000, "0,1", "1000"};
    case calc::Field::Capacitance:
        return uF ? Limits{0.01_ext, 10, "0,01", "10"} : Limits{0.1_ext, 1000, "0,1", "1000"};
    }
    std::abort();
}

calc::FieldOutcome CheckField(const calc::CalcState& state, calc::Field field,
                              std::string_view text)
{
    switch (field) {
    case calc::Field::Frequency: return calc::CheckFrequency(text, state.FreqMultiplier);
    case calc::Field::Resistance: return calc::CheckResistance(text);
    case calc::Field::Capacitance: return calc::CheckCapacitance(text, state.CapMultiplier);
    }
    std::abort();
}

bool ValidNumberText(const std::string& s, int maxDecimals)
{
    if (s.empty() || !IsDigit(s[0]))
        return false;
    if (s.size() > 1 && s[0] == '0' && s[1] != ',')
        return false;  // no leading zero
    const std::size_t comma = s.find(',');
    for (std::size_t i = 0; i < s.size(); ++i)
        if (i != comma && !IsDigit(s[i]))
            return false;
    if (comma == std::string::npos)
        return true;
    const std::size_t decimals = s.size() - comma - 1;
    return decimals >= 1 && static_cast<int>(decimals) <= maxDecimals && s.back() != '0';
}

void CheckDisplay(calc::Component component, double value, const calc::ComponentDisplay& shown)
{
    const std::string_view valueBytes(reinterpret_cast<const char*>(&value), sizeof value);
    const bool capacitor = component == calc::Component::C1 || component == calc::Component::C2 ||
                           component == calc::Component::C3;
    BUTTERWORTH3_FUZZ_CHECK(std::isfinite(value) && value > 0, valueBytes);
    const calc::ComponentDisplay again =
        capacitor ? calc::DisplayCapacitance(value) : calc::DisplayResistance(value);
    BUTTERWORTH3_FUZZ_CHECK(again.marker == shown.marker &&
                                again.texts.has_value() == shown.texts.has_value(),
                            valueBytes);
    if (capacitor)
        BUTTERWORTH3_FUZZ_CHECK(shown.marker == (value < 1e-10_ext || value > 1e-5_ext),
                                valueBytes);
    else
        BUTTERWORTH3_FUZZ_CHECK(shown.marker == (value < 100 || value > 1e6), valueBytes);
    BUTTERWORTH3_FUZZ_CHECK(
        shown.texts.has_value() == (capacitor ? value >= 1e-12_ext : value >= 1), valueBytes);
    if (!shown.texts)
        return;
    const std::string& unit = shown.texts->unit;
    const std::string& number = shown.texts->number;
    BUTTERWORTH3_FUZZ_CHECK(again.texts->unit == unit && again.texts->number == number, valueBytes);
    int decimals = -1;
    if (capacitor && unit == "pF")
        decimals = 0;
    else if (capacitor && (unit == "nF" || unit == "uF"))
        decimals = 2;
    else if (!capacitor && unit == "Ohm / Ом")
        decimals = 0;
    else if (!capacitor && unit == "kOhm / кОм")
        decimals = 1;
    BUTTERWORTH3_FUZZ_CHECK(decimals >= 0, unit);
    BUTTERWORTH3_FUZZ_CHECK(ValidNumberText(number, decimals), number);
}

bool SameResults(const calc::FilterResults& a, const calc::FilterResults& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckGo(bool kHz, bool uF, const calc::FieldTexts& texts)
{
    const std::string all = texts.frequency + "\n" + texts.resistance + "\n" + texts.capacitance;
    calc::CalcState state;
    calc::SetFrequencyUnit(state, kHz ? calc::FrequencyUnit::kHz : calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(state, uF ? calc::CapacitanceUnit::uF : calc::CapacitanceUnit::nF);
    BUTTERWORTH3_FUZZ_CHECK(state.FreqMultiplier == (kHz ? 1000.0 : 1.0), all);
    BUTTERWORTH3_FUZZ_CHECK(state.CapMultiplier == (uF ? 1e-6 : 1e-9), all);

    const bool empty =
        texts.frequency.empty() || texts.resistance.empty() || texts.capacitance.empty();
    BUTTERWORTH3_FUZZ_CHECK(calc::AnyFieldEmpty(texts) == empty, all);
    if (empty)
        return;

    // A previous successful Go, so that a failed one has results to leave alone.
    const calc::Calculation previous = calc::Calculate(state, {"100", "33", "10"});
    BUTTERWORTH3_FUZZ_CHECK(std::holds_alternative<calc::Computed>(previous), all);
    const calc::FilterResults before = state.results;

    // What the Go must come to, from the three field checks in their order.
    const calc::Field fields[] = {calc::Field::Frequency, calc::Field::Resistance,
                                  calc::Field::Capacitance};
    const std::string_view fieldTexts[] = {texts.frequency, texts.resistance, texts.capacitance};
    std::optional<std::string> expectedError;
    std::optional<calc::Rejected> expectedRejection;
    for (int i = 0; i < 3 && !expectedError && !expectedRejection; ++i) {
        const std::string_view text = fieldTexts[i];
        try {
            const calc::FieldOutcome outcome = CheckField(state, fields[i], text);
            const Limits limits = LimitsOf(fields[i], kHz, uF);
            if (const auto* accepted = std::get_if<calc::Accepted>(&outcome)) {
                BUTTERWORTH3_FUZZ_CHECK(
                    accepted->value >= limits.lower && accepted->value <= limits.upper, text);
                continue;
            }
            if (std::holds_alternative<calc::InputError>(outcome)) {
                BUTTERWORTH3_FUZZ_CHECK(
                    text[0] == ',' || std::count(text.begin(), text.end(), ',') > 1, text);
            } else {
                const std::string& replacement = std::get<calc::OutOfRange>(outcome).replacement;
                BUTTERWORTH3_FUZZ_CHECK(replacement == limits.below || replacement == limits.above,
                                        text);
                // The corrected text passes the next Go, unless it is the emptied field.
                if (!replacement.empty())
                    BUTTERWORTH3_FUZZ_CHECK(std::holds_alternative<calc::Accepted>(
                                                CheckField(state, fields[i], replacement)),
                                            replacement);
            }
            expectedRejection = calc::Rejected{fields[i], outcome};
        } catch (const calc::EConvertError& e) {
            expectedError = e.message();
        } catch (const calc::EOverflow& e) {
            expectedError = e.message();
        }
    }

    try {
        const calc::Calculation go = calc::Calculate(state, texts);
        BUTTERWORTH3_FUZZ_CHECK(!expectedError, all);
        if (const auto* rejected = std::get_if<calc::Rejected>(&go)) {
            BUTTERWORTH3_FUZZ_CHECK(
                expectedRejection && rejected->field == expectedRejection->field, all);
            BUTTERWORTH3_FUZZ_CHECK(rejected->outcome.index() == expectedRejection->outcome.index(),
                                    all);
            if (const auto* range = std::get_if<calc::OutOfRange>(&rejected->outcome))
                BUTTERWORTH3_FUZZ_CHECK(
                    range->replacement ==
                        std::get<calc::OutOfRange>(expectedRejection->outcome).replacement,
                    all);
            BUTTERWORTH3_FUZZ_CHECK(SameResults(state.results, before), all);
            return;
        }
        BUTTERWORTH3_FUZZ_CHECK(!expectedRejection, all);
        const calc::Computed& computed = std::get<calc::Computed>(go);
        BUTTERWORTH3_FUZZ_CHECK(SameResults(state.results, computed.values), all);
        for (std::size_t i = 0; i < calc::AllComponents.size(); ++i) {
            const calc::Component component = calc::AllComponents[i];
            CheckDisplay(component, calc::ComponentValue(computed.values, component),
                         computed.components[i]);
        }
    } catch (const calc::EConvertError& e) {
        BUTTERWORTH3_FUZZ_CHECK(expectedError && *expectedError == e.message(), all);
        BUTTERWORTH3_FUZZ_CHECK(SameResults(state.results, before), all);
    } catch (const calc::EOverflow& e) {
        BUTTERWORTH3_FUZZ_CHECK(expectedError && *expectedError == e.message(), all);
        BUTTERWORTH3_FUZZ_CHECK(SameResults(state.results, before), all);
    } catch (...) {
        Violated("Calculate throws only EConvertError or EOverflow", all);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool kHz = (data[0] & 1) != 0;
    const bool uF = (data[0] & 2) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string parts[3];
    for (std::string& part : parts) {
        const std::size_t end = rest.find('\n');
        part = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const calc::FieldTexts texts{parts[0], parts[1], parts[2]};

    for (const std::string& text : parts) {
        for (const char c : text) {
            CheckKey(static_cast<unsigned char>(c), false);
            CheckKey(static_cast<unsigned char>(c), true);
        }
        CheckErrorBoxText(text);
        CheckReading(text);
    }
    for (std::size_t i = 0; i + 3 <= rest.size(); i += 3) {
        const auto b0 = static_cast<unsigned char>(rest[i]);
        const auto b1 = static_cast<unsigned char>(rest[i + 1]);
        const auto b2 = static_cast<unsigned char>(rest[i + 2]);
        CheckKey(static_cast<char32_t>((b0 >> 1) << 16 | b1 << 8 | b2), (b0 & 1) != 0);
    }
    CheckGo(kHz, uF, texts);
    return 0;
}
