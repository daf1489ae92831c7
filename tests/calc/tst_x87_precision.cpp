// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Go computes at the x87's 64-bit precision even when its caller runs the x87 at 53 bits,
// as a Windows thread does, and gives the caller its precision back.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/x87_precision.h"

namespace {

#if BUTTERWORTH3_NATIVE_EXTENDED

using calc::X87PrecisionGuard;

std::vector<calc::FieldTexts> Inputs()
{
    std::vector<calc::FieldTexts> inputs;
    for (const char* frequency : {"1", "50", "123,456", "999,9", "20000", "99999"})
        for (const char* resistance : {"0,1", "4,7", "33", "68,1", "1000"})
            for (const char* capacitance : {"0,1", "2,2", "10", "470", "1000"})
                inputs.push_back({frequency, resistance, capacitance});
    return inputs;
}

// The six values and their texts, as one comparable text.
std::string Outcome(const calc::FieldTexts& texts)
{
    calc::CalcState state;
    const auto& computed = std::get<calc::Computed>(calc::Calculate(state, texts));
    std::string outcome;
    for (std::size_t i = 0; i < calc::AllComponents.size(); ++i) {
        const double value = calc::ComponentValue(computed.values, calc::AllComponents[i]);
        outcome += std::to_string(std::bit_cast<std::uint64_t>(value)) + ' ';
        if (computed.components[i].texts)
            outcome += computed.components[i].texts->number + ' ';
    }
    return outcome;
}

class PrecisionOf53Bits {
public:
    PrecisionOf53Bits() : saved_(X87PrecisionGuard::ControlWord())
    {
        X87PrecisionGuard::SetControlWord(static_cast<std::uint16_t>(
            (saved_ & ~X87PrecisionGuard::PrecisionMask) | X87PrecisionGuard::Precision53));
    }
    ~PrecisionOf53Bits() { X87PrecisionGuard::SetControlWord(saved_); }

private:
    std::uint16_t saved_;
};

TEST(X87Precision, GoGivesTheSameResultsAtTheCallersPrecisionOf53Bits)
{
    std::vector<std::string> at64;
    std::vector<calc::FilterResults> formulasAt64;
    for (const calc::FieldTexts& texts : Inputs()) {
        at64.push_back(Outcome(texts));
        calc::CalcState state;
        calc::Calculate(state, texts);
        calc::FilterResults direct;
        calc::ComputeLowPass(state.Omega, state.inputs.R, direct);
        formulasAt64.push_back(direct);
    }

    const PrecisionOf53Bits precision;
    const std::uint16_t callers = X87PrecisionGuard::ControlWord();
    int formulasDiffering = 0;
    for (std::size_t i = 0; i < at64.size(); ++i) {
        const calc::FieldTexts& texts = Inputs()[i];
        EXPECT_EQ(Outcome(texts), at64[i]) << texts.frequency << " " << texts.resistance;
        EXPECT_EQ(X87PrecisionGuard::ControlWord(), callers) << "the caller's precision is back";
        // The formulas alone, outside Go, do see the caller's precision: the check matters.
        calc::CalcState state;
        calc::Calculate(state, texts);
        calc::FilterResults direct;
        calc::ComputeLowPass(state.Omega, state.inputs.R, direct);
        formulasDiffering += direct.C1 != formulasAt64[i].C1 || direct.C2 != formulasAt64[i].C2 ||
                             direct.C3 != formulasAt64[i].C3;
    }
    EXPECT_GT(formulasDiffering, 0);
}

#else

TEST(X87Precision, GoGivesTheSameResultsAtTheCallersPrecisionOf53Bits)
{
    GTEST_SKIP() << "the software extended format has no precision control";
}

#endif

}  // namespace
