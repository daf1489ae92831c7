// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Doubles as text: design's own formatting against std::to_chars, for the numbers the
// writers meet (plot coordinates with two decimals, part values with six digits) and for
// doubles from the whole range, where the exact decimal expansion is longest.
#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <vector>

#include "design/double_text.h"

namespace {

using design::DoubleFormat;

enum Values { Coordinates, PartValues, WholeRange };

std::vector<double> Sample(Values kind)
{
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<double> values(1024);
    for (double& x : values) {
        switch (kind) {
        case Coordinates: x = 720 * unit(random); break;
        case PartValues: x = std::pow(10.0, -12 + 18 * unit(random)); break;
        case WholeRange:
            do
                x = std::bit_cast<double>(random());
            while (!std::isfinite(x));
        }
    }
    return values;
}

struct Case {
    DoubleFormat format;
    int precision;  // -1: the shortest form
};

constexpr Case Cases[] = {
    {DoubleFormat::Fixed, 2}, {DoubleFormat::General, 6}, {DoubleFormat::Fixed, -1}};

// Arguments: the values (Values), the case (index in Cases).
void BM_Ours(benchmark::State& state)
{
    const std::vector<double> values = Sample(static_cast<Values>(state.range(0)));
    const Case c = Cases[state.range(1)];
    for (auto _ : state)
        for (const double x : values)
            benchmark::DoNotOptimize(c.precision < 0
                                         ? design::ShortestDoubleText(x)
                                         : design::DoubleText(x, c.format, c.precision));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}

void BM_ToChars(benchmark::State& state)
{
    const std::vector<double> values = Sample(static_cast<Values>(state.range(0)));
    const Case c = Cases[state.range(1)];
    const std::chars_format format =
        c.format == DoubleFormat::Fixed ? std::chars_format::fixed : std::chars_format::general;
    char buffer[512];
    for (auto _ : state)
        for (const double x : values) {
            const char* end =
                c.precision < 0
                    ? std::to_chars(buffer, buffer + sizeof buffer, x).ptr
                    : std::to_chars(buffer, buffer + sizeof buffer, x, format, c.precision).ptr;
            benchmark::DoNotOptimize(std::string(static_cast<const char*>(buffer), end));
        }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}

void Arguments(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"values", "case"});
    for (const int values : {Coordinates, PartValues, WholeRange})
        for (int c = 0; c < 3; ++c)
            b->Args({values, c});
    b->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_Ours)->Apply(Arguments);
BENCHMARK(BM_ToChars)->Apply(Arguments);

}  // namespace
