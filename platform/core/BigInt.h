#pragma once
// Non-negative integers of any size, for the exact conversions between
// decimal text and binary floating point. Only what those need.

#include <cstdint>
#include <string>
#include <vector>

namespace floattext {

class BigInt {
public:
    BigInt() = default;
    explicit BigInt(uint64_t v);

    bool IsZero() const noexcept { return limbs_.empty(); }
    int BitLength() const noexcept;
    uint64_t Low64() const noexcept;  // the lowest 64 bits

    // *this = *this * mul + add.
    void MulAdd(uint32_t mul, uint32_t add);
    // *this *= 5^exponent or 10^exponent (base 5 or 10 only).
    void MulPow(uint32_t base, int exponent);
    // *this /= div; gives the remainder.
    uint32_t DivSmall(uint32_t div);
    BigInt Shifted(int bits) const;
    // Drops the lowest `bits` bits; true when any of them was set.
    bool ShiftRight(int bits);
    // Floor of *this / div (div not zero); *this becomes the remainder.
    BigInt DivideBy(const BigInt& div);
    std::string ToDecimal() const;

    friend int Compare(const BigInt& a, const BigInt& b) noexcept { return CompareShifted(a, b, 0); }
    // Compares a with b * 2^shift.
    friend int CompareShifted(const BigInt& a, const BigInt& b, int shift) noexcept;

private:
    friend BigInt operator*(const BigInt& a, const BigInt& b);
    void Trim() noexcept;
    // The limb of *this * 2^shift at `index`.
    uint32_t ShiftedLimb(size_t index, int shift) const noexcept;

    std::vector<uint32_t> limbs_;  // least significant first, no leading zero limbs
};

}  // namespace floattext
