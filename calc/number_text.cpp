// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "calc/errors.h"
#include "calc/powers_of_ten.h"

namespace calc {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

[[noreturn]] void ThrowNotANumber(std::string_view text)
{
    std::string message;
    message.reserve(text.size() + 40);
    message += '\'';
    message += text;
    message += "' is not a valid floating point value";
    throw EConvertError(message);
}

// Exponent digits are taken only while the exponent is below this; a digit left over
// makes the text invalid, so an exponent never exceeds 4999.
constexpr long ExponentDigitLimit = 500;

}  // namespace

std::optional<char32_t> KeyFilter(char32_t typed, bool backspaceFlag)
{
    if (backspaceFlag)
        return typed;
    if (typed == U'.')
        return U',';
    if ((typed >= U'0' && typed <= U'9') || typed == U',')
        return typed;
    return std::nullopt;
}

bool FieldTextCheck(std::string_view text)
{
    if (!text.empty() && text.front() == ',')
        return false;
    const auto commas = std::count(text.begin(), text.end(), ',');
    return commas <= 1;
}

Extended ReadNumber(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t end = text.size();
    const auto skipSpaces = [&] {
        while (i < end && text[i] == ' ')
            ++i;
    };

    skipSpaces();
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    // Once the value has overflowed, further digits leave it infinite; skipping their
    // arithmetic changes nothing but the time (x87 arithmetic on infinity is slow).
    Extended value = 0;
    const auto accumulate = [&value](char digit) {
        if (!isinf(value))
            value = value * 10 + (digit - '0');
    };
    bool mantissaSeen = false;
    for (; i < end && IsDigit(text[i]); ++i) {
        accumulate(text[i]);
        mantissaSeen = true;
    }
    long fractionDigits = 0;
    if (i < end && text[i] == ',') {
        mantissaSeen = true;
        for (++i; i < end && IsDigit(text[i]); ++i) {
            accumulate(text[i]);
            ++fractionDigits;
        }
    }
    if (!mantissaSeen)
        ThrowNotANumber(text);

    long exponent = 0;
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            exponentNegative = text[i++] == '-';
        for (; i < end && IsDigit(text[i]) && exponent < ExponentDigitLimit; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        if (exponentNegative)
            exponent = -exponent;
    }
    skipSpaces();
    if (i != end)
        ThrowNotANumber(text);

    value = ScaleByPowerOfTen(value, exponent - fractionDigits);
    if (isinf(value))
        ThrowNotANumber(text);
    return negative ? -value : value;
}

double StoreAsDouble(Extended value)
{
    const double stored = static_cast<double>(value);
    if (std::isinf(stored))
        throw EOverflow("Floating point overflow");
    return stored;
}

double ReadDouble(std::string_view text)
{
    return StoreAsDouble(ReadNumber(text));
}

}  // namespace calc
