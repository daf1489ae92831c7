// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Cost of one Go in the core, and of reading a field text as a number.
#include <string>

#include <benchmark/benchmark.h>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/number_text.h"

namespace {

// The whole press of Go on the window's default texts: three field checks, FilterInputs,
// the six formulas, the six display texts and markers.
void BM_GoOnDefaults(benchmark::State& state)
{
    calc::CalcState calcState;
    const calc::FieldTexts texts{"100", "33", "10"};
    for (auto _ : state) {
        calc::Calculation result = calc::Calculate(calcState, texts);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_GoOnDefaults);

// The same number, 1234567890, padded with leading zeros to the wanted length: every
// length reads the same value, so only the length changes and the value never leaves
// the extended range.
void BM_ReadNumber(benchmark::State& state)
{
    const auto digits = static_cast<std::size_t>(state.range(0));
    const std::string text = std::string(digits - 10, '0') + "1234567890";
    for (auto _ : state) {
        calc::Extended value = calc::ReadNumber(text);
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(digits));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadNumber)->Arg(10)->Arg(1000)->Arg(1000000)->Complexity(benchmark::oN);

// Nines: past about 4,900 digits the value overflows the extended range, and the rest of
// the text is read against an infinite value (a pasted megabyte of digits).
void BM_ReadNumberOverflowing(benchmark::State& state)
{
    const auto digits = static_cast<std::size_t>(state.range(0));
    const std::string text(digits, '9');
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(calc::ReadNumber(text));
        } catch (const calc::EConvertError& error) {
            benchmark::DoNotOptimize(error);
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadNumberOverflowing)->Arg(10000)->Arg(1000000)->Complexity(benchmark::oN);

}  // namespace
