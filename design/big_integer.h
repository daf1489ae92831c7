// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A non-negative integer of up to 4096 bits, for exact conversions between decimal text and
// doubles: enough for any double's significand times 5^1105 or shifted by 1100 bits.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>

namespace design {

class BigInteger {
public:
    explicit BigInteger(std::uint64_t value)
    {
        while (value != 0) {
            limbs_[size_++] = static_cast<std::uint32_t>(value);
            value >>= 32;
        }
    }

    bool IsZero() const { return size_ == 0; }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) {
            Reserve(size_ + 1);
            limbs_[size_++] = static_cast<std::uint32_t>(carry);
        }
    }

    void MultiplyByPowerOf5(long n)
    {
        constexpr std::uint32_t Five13 = 1220703125;  // 5^13, the largest below 2^32
        for (; n >= 13; n -= 13)
            MultiplyAdd(Five13, 0);
        std::uint32_t rest = 1;
        for (; n > 0; --n)
            rest *= 5;
        MultiplyAdd(rest, 0);
    }

    void ShiftLeft(long bits)
    {
        if (size_ == 0 || bits <= 0)
            return;
        const std::size_t limbs = static_cast<std::size_t>(bits / 32);
        const int rest = static_cast<int>(bits % 32);
        Reserve(size_ + limbs + 1);
        if (rest != 0) {
            std::uint32_t carry = 0;
            for (std::size_t i = 0; i < size_; ++i) {
                const std::uint32_t limb = limbs_[i];
                limbs_[i] = (limb << rest) | carry;
                carry = limb >> (32 - rest);
            }
            if (carry != 0)
                limbs_[size_++] = carry;
        }
        for (std::size_t i = size_; i-- > 0;)
            limbs_[i + limbs] = limbs_[i];
        for (std::size_t i = 0; i < limbs; ++i)
            limbs_[i] = 0;
        size_ += limbs;
    }

    // Divides in place by `divisor` (not 0) and returns the remainder.
    std::uint32_t DivideBy(std::uint32_t divisor)
    {
        std::uint64_t remainder = 0;
        for (std::size_t i = size_; i-- > 0;) {
            const std::uint64_t dividend = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(dividend / divisor);
            remainder = dividend % divisor;
        }
        while (size_ > 0 && limbs_[size_ - 1] == 0)
            --size_;
        return static_cast<std::uint32_t>(remainder);
    }

    friend int Compare(const BigInteger& a, const BigInteger& b)
    {
        if (a.size_ != b.size_)
            return a.size_ < b.size_ ? -1 : 1;
        for (std::size_t i = a.size_; i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i])
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }

private:
    // The callers' sizes keep within the limbs; should a fault break that, stop rather than
    // write past them.
    void Reserve(std::size_t size) const
    {
        if (size > limbs_.size())
            std::abort();
    }

    std::array<std::uint32_t, 128> limbs_{};
    std::size_t size_ = 0;
};

}  // namespace design
