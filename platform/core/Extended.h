#pragma once
// The 10-byte x87 extended-precision number of stored formats: 64-bit
// significand (explicit integer bit) first, then sign and 15-bit exponent,
// little-endian. Converted by bit arithmetic, not by the compiler's long double.

#include <array>
#include <cstdint>

struct TExtended10 {
    std::array<uint8_t, 10> bytes{};

    // Exact for every double; for long double exact where it is the x87 type.
    static TExtended10 FromLongDouble(long double v);
    // Rounds to the nearest long double; values beyond its range give
    // infinity, pseudo-denormals and unnormals are read as the x87 reads them.
    long double ToLongDouble() const;

    bool operator==(const TExtended10&) const = default;
};
