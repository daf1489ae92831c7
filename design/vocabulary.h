// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The words of a design: each circuit, response, coefficient set, series, objective and
// distribution with the word a command line takes (its id) and the title a text prints.
// One switch per kind, without a default, so that a new response, say, without its words
// is a -Wswitch warning; the list of all values of a kind is derived from the same switch
// (enumerators numbered from 0, none given a value), so no table indexed by the enum can
// be too short.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace design {

enum class Circuit { LowPass, HighPass };
enum class ResponseKind { Butterworth, Bessel, Chebyshev05, Chebyshev1 };
enum class Coefficients { Exact, Window };
enum class Series { E3, E6, E12, E24, E48, E96, E192 };
enum class Objective { Balanced, Shape };
enum class Distribution { Uniform, Normal };

struct Target;  // filter.h: the normalised 1/H a response asks for

struct Term {
    std::string_view id;            // the command-line word: "chebyshev-0.5"; empty: not a value
    std::string_view title;         // as a text prints it, ASCII: "Chebyshev 0.5 dB"
    std::string_view typeset = {};  // as a document with symbols prints it, where it differs
};

struct ResponseTerm : Term {
    const Target& (*target)() = nullptr;  // the response's maths (filter.cpp)
};

// The targets of the responses, computed once (filter.cpp).
const Target& ButterworthTarget();
const Target& BesselTarget();
const Target& Chebyshev05Target();
const Target& Chebyshev1Target();

constexpr Term TermOf(Circuit circuit)
{
    switch (circuit) {
    case Circuit::LowPass: return {"lowpass", "low-pass"};
    case Circuit::HighPass: return {"highpass", "high-pass"};
    }
    return {};
}

constexpr ResponseTerm TermOf(ResponseKind response)
{
    switch (response) {
    case ResponseKind::Butterworth: return {{"butterworth", "Butterworth"}, &ButterworthTarget};
    case ResponseKind::Bessel: return {{"bessel", "Bessel"}, &BesselTarget};
    case ResponseKind::Chebyshev05:
        return {{"chebyshev-0.5", "Chebyshev 0.5 dB"}, &Chebyshev05Target};
    case ResponseKind::Chebyshev1: return {{"chebyshev-1", "Chebyshev 1 dB"}, &Chebyshev1Target};
    }
    return {};
}

constexpr Term TermOf(Coefficients coefficients)
{
    switch (coefficients) {
    case Coefficients::Exact: return {"exact", "exact values"};
    case Coefficients::Window: return {"window", "the window's coefficients"};
    }
    return {};
}

constexpr Term TermOf(Series series)
{
    switch (series) {
    case Series::E3: return {"E3", "E3"};
    case Series::E6: return {"E6", "E6"};
    case Series::E12: return {"E12", "E12"};
    case Series::E24: return {"E24", "E24"};
    case Series::E48: return {"E48", "E48"};
    case Series::E96: return {"E96", "E96"};
    case Series::E192: return {"E192", "E192"};
    }
    return {};
}

constexpr Term TermOf(Objective objective)
{
    switch (objective) {
    case Objective::Balanced: return {"balanced", "balanced"};
    case Objective::Shape: return {"shape", "shape"};
    }
    return {};
}

constexpr Term TermOf(Distribution distribution)
{
    switch (distribution) {
    case Distribution::Uniform: return {"uniform", "uniform"};
    case Distribution::Normal: return {"normal", "normal (3 sigma)", "normal (3 σ)"};
    }
    return {};
}

// The names of a circuit's parts: the series parts from In to the op-amp, then the parts
// to ground, to the output and to ground (filter.h's Parts).
struct PartNames {
    std::array<std::string_view, 3> series;
    std::array<std::string_view, 3> shunt;
};

constexpr PartNames NamesOf(Circuit circuit)
{
    switch (circuit) {
    case Circuit::LowPass: return {{"Ra", "Rb", "Rc"}, {"C1", "C2", "C3"}};
    case Circuit::HighPass: return {{"Ca", "Cb", "Cc"}, {"R1", "R2", "R3"}};
    }
    return {};
}

// The number of values of a kind: the enumerators are numbered from 0 and the first
// number without words ends them.
template <class Kind>
constexpr std::size_t CountOf()
{
    std::size_t n = 0;
    while (!TermOf(static_cast<Kind>(n)).id.empty())
        ++n;
    return n;
}

// Every value of a kind, in the enum's order: All<Series> is E3 ... E192.
template <class Kind>
inline constexpr auto All = [] {
    std::array<Kind, CountOf<Kind>()> all{};
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<Kind>(i);
    return all;
}();

template <class Kind>
constexpr std::string_view Id(Kind value)
{
    return TermOf(value).id;
}

template <class Kind>
constexpr std::string_view Title(Kind value)
{
    return TermOf(value).title;
}

// The title with its symbols (σ, not sigma) for a document that can show them.
template <class Kind>
constexpr std::string_view Typeset(Kind value)
{
    const Term term = TermOf(value);
    return term.typeset.empty() ? term.title : term.typeset;
}

// The value whose id is `id` exactly; nullopt for any other text.
template <class Kind>
constexpr std::optional<Kind> FromId(std::string_view id)
{
    for (const Kind value : All<Kind>)
        if (Id(value) == id)
            return value;
    return std::nullopt;
}

}  // namespace design
