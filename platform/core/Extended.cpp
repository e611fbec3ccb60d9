#include "platform/core/Extended.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr int kBias = 16383;
constexpr int kMaxBiased = 0x7FFF;
// Exponent of the significand's last bit for denormals (biased exponent 0
// reads as 1): 1 - 16383 - 63.
constexpr int kDenormalLsb = -16445;
constexpr uint64_t kIntegerBit = uint64_t(1) << 63;
constexpr long double kTwo64 = 18446744073709551616.0L;

TExtended10 Pack(bool negative, int biased, uint64_t significand) {
    TExtended10 x;
    for (int i = 0; i < 8; ++i) x.bytes[size_t(i)] = uint8_t(significand >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | unsigned(biased);
    x.bytes[8] = uint8_t(top);
    x.bytes[9] = uint8_t(top >> 8);
    return x;
}

// Rounds a non-negative integral-valued long double below 2^64 into an
// integer; the callers have already rounded, this only converts.
uint64_t ToUint64(long double v) {
    if (v >= 9223372036854775808.0L) return kIntegerBit | uint64_t(v - 9223372036854775808.0L);
    return uint64_t(v);
}

// sig * 2^exp2, correctly rounded to the nearest long double. The conversion
// of a 64-bit integer and a scaling can each round when long double is
// narrower than 64 bits (and the scaling again for its denormals), so the
// significand is cut to what the result can hold first, in integer arithmetic.
long double Scale(uint64_t sig, int exp2) {
    if (sig == 0) return 0.0L;
    int bits = 0;
    for (uint64_t s = sig; s; s >>= 1) ++bits;
    const int top = bits - 1 + exp2;  // exponent of the leading bit
    int keep = LDBL_MANT_DIG;
    const int minNormal = LDBL_MIN_EXP - 1;
    if (top < minNormal) keep -= minNormal - top;
    const int shift = bits - keep;
    if (shift > 0) {
        uint64_t q = 0;
        bool roundUp = false;
        if (shift < 64) {
            q = sig >> shift;
            const uint64_t rem = sig & ((uint64_t(1) << shift) - 1);
            const uint64_t half = uint64_t(1) << (shift - 1);
            roundUp = rem > half || (rem == half && (q & 1));
        } else if (shift == 64) {
            roundUp = sig > kIntegerBit;  // exactly half rounds to the even 0
        }
        sig = q + (roundUp ? 1 : 0);
        exp2 += shift;
        if (sig == 0) return 0.0L;
    }
    return std::ldexp(static_cast<long double>(sig), exp2);
}

}  // namespace

TExtended10 TExtended10::FromLongDouble(long double v) {
    const bool negative = std::signbit(v);
    if (std::isnan(v)) return Pack(negative, kMaxBiased, kIntegerBit | (kIntegerBit >> 1));
    if (std::isinf(v)) return Pack(negative, kMaxBiased, kIntegerBit);
    if (v == 0) return Pack(negative, 0, 0);

    const long double a = std::fabs(v);
    int e = 0;
    const long double m = std::frexp(a, &e);  // a = m * 2^e, m in [0.5, 1)
    int biased = e - 1 + kBias;
    long double sig;
    if (biased >= 1) {
        sig = std::nearbyint(std::ldexp(m, 64));
    } else {
        // Below the normal range the significand's last bit is fixed at
        // 2^-16445, whatever the leading bit.
        sig = std::nearbyint(std::ldexp(a, -kDenormalLsb));
        biased = 0;
    }
    if (sig >= kTwo64) {  // rounding carried into a new leading bit
        sig = kTwo64 / 2;
        ++biased;
    }
    if (biased == 0 && sig >= kTwo64 / 2) biased = 1;  // rounded up to the smallest normal
    if (biased >= kMaxBiased) return Pack(negative, kMaxBiased, kIntegerBit);
    return Pack(negative, biased, ToUint64(sig));
}

long double TExtended10::ToLongDouble() const {
    uint64_t sig = 0;
    for (int i = 7; i >= 0; --i) sig = (sig << 8) | bytes[size_t(i)];
    const unsigned top = unsigned(bytes[8]) | (unsigned(bytes[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int biased = int(top & 0x7FFFu);
    const bool integerBit = (sig & kIntegerBit) != 0;

    long double r;
    if (biased == kMaxBiased) {
        // Without the integer bit these are pseudo-infinities and pseudo-NaNs,
        // which the x87 rejects as invalid operands: a NaN.
        if (integerBit && (sig & ~kIntegerBit) == 0)
            r = std::numeric_limits<long double>::infinity();
        else
            r = std::numeric_limits<long double>::quiet_NaN();
    } else if (biased == 0) {
        // Denormals, and pseudo-denormals (integer bit set), which the x87
        // reads with the exponent of the smallest normal.
        r = Scale(sig, kDenormalLsb);
    } else if (!integerBit) {
        r = std::numeric_limits<long double>::quiet_NaN();  // an unnormal: invalid operand
    } else {
        r = Scale(sig, biased - kBias - 63);
    }
    return negative ? -r : r;
}
