// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Runs the calculation core on requests read from stdin, one per line, and prints one
// outcome line per request, for the differential test. Fields are tab-separated; texts
// travel hex-encoded so that any byte survives; doubles print as their bit patterns and
// extended values as sign/exponent word plus significand. "-" stands for "nothing".
//
//   G <F|K> <N|U> <hex frequency> <hex resistance> <hex capacitance>   one press of Go
//   R <hex text>             FieldTextCheck, ReadNumber, StoreAsDouble
//   D <hex double bits>      the display of a value as capacitance and as resistance
//   B <hex message>          the error box text
//   K <hex code> <0|1>       the key filter with the Backspace flag
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/number_text.h"
#include "calc/result_display.h"

namespace {

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string Unhex(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string Bits(double d)
{
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(u));
    return buf;
}

std::string Bits(calc::Extended x)
{
    const calc::ExtendedBits bits = calc::BitsOf(x);
    char buf[21];
    std::snprintf(buf, sizeof buf, "%04x%016llx", bits.signExponent,
                  static_cast<unsigned long long>(bits.significand));
    return buf;
}

std::string Display(const calc::ComponentDisplay& d)
{
    std::string out = d.texts ? Hex(d.texts->number) + "\t" + Hex(d.texts->unit) : "-\t-";
    return out + "\t" + (d.marker ? "1" : "0");
}

std::string Go(const std::vector<std::string>& f)
{
    calc::CalcState state;
    calc::SetFrequencyUnit(state, f[1] == "K" ? calc::FrequencyUnit::kHz : calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(state,
                             f[2] == "U" ? calc::CapacitanceUnit::uF : calc::CapacitanceUnit::nF);
    const calc::FieldTexts texts{Unhex(f[3]), Unhex(f[4]), Unhex(f[5])};
    if (calc::AnyFieldEmpty(texts))
        return "EMPTY";
    try {
        const calc::Calculation result = calc::Calculate(state, texts);
        if (const auto* rejected = std::get_if<calc::Rejected>(&result)) {
            const std::string field = std::to_string(static_cast<int>(rejected->field));
            if (const auto* range = std::get_if<calc::OutOfRange>(&rejected->outcome))
                return "RANGE\t" + field + "\t" + Hex(range->replacement);
            if (std::holds_alternative<calc::InputError>(rejected->outcome))
                return "INPUT\t" + field;
            return "ACCEPTED?\t" + field;
        }
        const auto& computed = std::get<calc::Computed>(result);
        std::string out = "OK\t" + Bits(state.inputs.f) + "\t" + Bits(state.inputs.FreqMultiplier) +
                          "\t" + Bits(state.inputs.R) + "\t" + Bits(state.inputs.C) + "\t" +
                          Bits(state.Omega);
        for (std::size_t i = 0; i < calc::AllComponents.size(); ++i)
            out += "\t" + Bits(calc::ComponentValue(computed.values, calc::AllComponents[i])) +
                   "\t" + Display(computed.components[i]);
        return out;
    } catch (const calc::EConvertError& e) {
        return "CONVERT\t" + Hex(calc::ErrorBoxText(e.message()));
    } catch (const calc::EOverflow& e) {
        return "OVERFLOW\t" + Hex(calc::ErrorBoxText(e.message()));
    }
}

std::string Read(const std::string& text)
{
    std::string out = calc::FieldTextCheck(text) ? "1\t" : "0\t";
    calc::Extended x;
    try {
        x = calc::ReadNumber(text);
    } catch (const calc::EConvertError& e) {
        return out + "CONVERT\t" + Hex(e.message());
    }
    out += Bits(x) + "\t";
    try {
        return out + Bits(calc::StoreAsDouble(x));
    } catch (const calc::EOverflow& e) {
        return out + "OVERFLOW\t" + Hex(e.message());
    }
}

std::string DisplayOf(const std::string& bitsHex)
{
    const std::uint64_t u = std::stoull(bitsHex, nullptr, 16);
    double d;
    std::memcpy(&d, &u, sizeof d);
    return Display(calc::DisplayCapacitance(d)) + "\t" + Display(calc::DisplayResistance(d));
}

std::string Key(const std::vector<std::string>& f)
{
    const auto typed = static_cast<char32_t>(std::stoul(f[1], nullptr, 16));
    const auto passed = calc::KeyFilter(typed, f[2] == "1");
    if (!passed)
        return "-";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%x", static_cast<unsigned>(*passed));
    return buf;
}

}  // namespace

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string part; std::getline(fields, part, '\t');)
            f.push_back(part);
        while (f.size() < 6)
            f.emplace_back();  // trailing empty texts
        std::string out;
        try {
            if (f[0] == "G")
                out = Go(f);
            else if (f[0] == "R")
                out = Read(Unhex(f[1]));
            else if (f[0] == "D")
                out = DisplayOf(f[1]);
            else if (f[0] == "B")
                out = Hex(calc::ErrorBoxText(Unhex(f[1])));
            else if (f[0] == "K")
                out = Key(f);
            else
                out = "BAD REQUEST";
        } catch (const std::exception& e) {
            // Anything else escaping the core is a fault in itself; report it in-line.
            out = std::string("UNEXPECTED\t") + e.what();
        }
        std::cout << out << '\n';
    }
    return 0;
}
