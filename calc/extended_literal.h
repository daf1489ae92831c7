// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Decimal texts such as "6.2832" or "1e-9" turned into the x87 extended value nearest to
// them (ties to even), exactly and at compile time, whatever the compiler's own
// `long double` is. The constants of the calculation are written this way.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "calc/extended_bits.h"

namespace calc {

namespace decimal_detail {

// A non-negative integer of up to 18,000 bits, enough for every normal extended value
// with the 66 more bits that the division below needs.
class BigInteger {
public:
    static constexpr int Capacity = 576;  // 32-bit words

    constexpr explicit BigInteger(std::uint32_t value = 0) { Set(value); }

    constexpr void Set(std::uint32_t value)
    {
        words_[0] = value;
        size_ = value != 0 ? 1 : 0;
    }
    constexpr bool IsZero() const { return size_ == 0; }

    constexpr void MultiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (int i = 0; i < size_; ++i) {
            const std::uint64_t product = std::uint64_t{words_[i]} * factor + carry;
            words_[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            Append(static_cast<std::uint32_t>(carry));
    }

    constexpr void ShiftLeft(int bits)
    {
        if (size_ == 0 || bits == 0)
            return;
        const int words = bits / 32;
        const int rest = bits % 32;
        const int newSize = size_ + words + 1;
        if (newSize > Capacity)
            throw std::out_of_range("decimal constant too large for the extended format");
        for (int i = newSize - 1; i >= words; --i) {
            const int from = i - words;
            const std::uint64_t high = from < size_ ? words_[from] : 0;
            const std::uint64_t low = from >= 1 && from - 1 < size_ ? words_[from - 1] : 0;
            words_[i] = static_cast<std::uint32_t>(((high << 32 | low) << rest) >> 32);
        }
        for (int i = 0; i < words; ++i)
            words_[i] = 0;
        size_ = newSize;
        Trim();
    }

    constexpr int BitLength() const
    {
        if (size_ == 0)
            return 0;
        int top = 32;
        while ((words_[size_ - 1] >> (top - 1)) == 0)
            --top;
        return (size_ - 1) * 32 + top;
    }

    friend constexpr bool operator<(const BigInteger& a, const BigInteger& b)
    {
        if (a.size_ != b.size_)
            return a.size_ < b.size_;
        for (int i = a.size_ - 1; i >= 0; --i) {
            if (a.words_[i] != b.words_[i])
                return a.words_[i] < b.words_[i];
        }
        return false;
    }

    // *this -= b, for b <= *this.
    constexpr void Subtract(const BigInteger& b)
    {
        std::int64_t borrow = 0;
        for (int i = 0; i < size_; ++i) {
            std::int64_t difference =
                std::int64_t{words_[i]} - (i < b.size_ ? std::int64_t{b.words_[i]} : 0) - borrow;
            borrow = difference < 0 ? 1 : 0;
            words_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
        }
        Trim();
    }

private:
    constexpr void Append(std::uint32_t word)
    {
        if (size_ == Capacity)
            throw std::out_of_range("decimal constant too large for the extended format");
        words_[size_++] = word;
    }
    constexpr void Trim()
    {
        while (size_ > 0 && words_[size_ - 1] == 0)
            --size_;
    }

    std::array<std::uint32_t, Capacity> words_{};
    int size_ = 0;
};

// x *= 10^n, as 5^n (13 factors of 5 at a time) and 2^n.
constexpr void MultiplyByPowerOfTen(BigInteger& x, int n)
{
    constexpr std::uint32_t FivePow13 = 1'220'703'125;
    int fives = n;
    for (; fives >= 13; fives -= 13)
        x.MultiplyAdd(FivePow13, 0);
    std::uint32_t factor = 1;
    for (; fives > 0; --fives)
        factor *= 5;
    x.MultiplyAdd(factor, 0);
    x.ShiftLeft(n);
}

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace decimal_detail

// The nearest extended value to a decimal text "digits[.digits][(e|E)[+|-]digits]"
// (digit separators ' allowed), which must be zero or in the normal range. Throws
// std::invalid_argument or std::out_of_range otherwise: a compile-time error when the
// text is a constant's.
constexpr ExtendedBits ExtendedFromDecimal(std::string_view text)
{
    using decimal_detail::BigInteger;
    using decimal_detail::IsDigit;

    BigInteger numerator;
    int decimalExponent = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (IsDigit(c)) {
            numerator.MultiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
            decimalExponent -= afterPoint ? 1 : 0;
            anyDigit = true;
        } else if (c != '\'') {
            throw std::invalid_argument("not a decimal constant");
        }
    }
    if (!anyDigit)
        throw std::invalid_argument("not a decimal constant");
    if (i < text.size()) {
        ++i;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (i == text.size())
            throw std::invalid_argument("not a decimal constant");
        int exponent = 0;
        for (; i < text.size(); ++i) {
            if (!IsDigit(text[i]) || exponent > 100'000)
                throw std::invalid_argument("not a decimal constant");
            exponent = exponent * 10 + (text[i] - '0');
        }
        decimalExponent += negative ? -exponent : exponent;
    }
    if (numerator.IsZero())
        return {};

    BigInteger denominator(1);
    if (decimalExponent > 0)
        decimal_detail::MultiplyByPowerOfTen(numerator, decimalExponent);
    else
        decimal_detail::MultiplyByPowerOfTen(denominator, -decimalExponent);

    // Scale one side by a power of two so that denominator <= numerator < 2 * denominator;
    // the value is then (numerator / denominator) * 2^exponent.
    int exponent = numerator.BitLength() - denominator.BitLength();
    if (exponent > 0)
        denominator.ShiftLeft(exponent);
    else
        numerator.ShiftLeft(-exponent);
    if (numerator < denominator) {
        numerator.ShiftLeft(1);
        --exponent;
    }

    // 64 bits of the quotient by long division, one more for rounding, and the remainder.
    std::uint64_t significand = 0;
    bool half = false;
    for (int bit = 0; bit <= 64; ++bit) {
        const bool one = !(numerator < denominator);
        if (one)
            numerator.Subtract(denominator);
        if (bit < 64)
            significand = significand << 1 | (one ? 1 : 0);
        else
            half = one;
        numerator.ShiftLeft(1);
    }
    if (half && (!numerator.IsZero() || (significand & 1) != 0)) {
        ++significand;
        if (significand == 0) {
            significand = ExtendedBits::IntegerBit;
            ++exponent;
        }
    }
    const int biased = exponent + ExtendedBits::Bias;
    if (biased < 1 || biased >= ExtendedBits::MaxExponent)
        throw std::out_of_range("decimal constant outside the extended format's normal range");
    return {static_cast<std::uint16_t>(biased), significand};
}

}  // namespace calc
