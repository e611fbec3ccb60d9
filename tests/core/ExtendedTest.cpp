// The 10-byte x87 extended number of stored formats: golden images, round
// trips, and the bit patterns that no ordinary number produces.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "platform/core/Extended.h"

namespace {

using Image = std::array<uint8_t, 10>;

constexpr bool kX87LongDouble = LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384;

// Significand (64 bits, integer bit explicit) and sign+exponent, as laid out.
Image Make(uint64_t significand, uint16_t signExponent) {
    Image b{};
    for (int i = 0; i < 8; ++i) b[size_t(i)] = uint8_t(significand >> (8 * i));
    b[8] = uint8_t(signExponent);
    b[9] = uint8_t(signExponent >> 8);
    return b;
}

// Same value, and for zeros and NaNs the same sign.
bool SameLongDouble(long double a, long double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

struct Golden {
    const char* what;
    long double value;
    Image image;
    bool needsX87;  // values a 64-bit double cannot hold
};

const Golden kGolden[] = {
    {"zero", 0.0L, Make(0, 0x0000), false},
    {"negative zero", -0.0L, Make(0, 0x8000), false},
    {"one", 1.0L, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F}, false},
    {"minus two and a half", -2.5L, Make(0xA000000000000000, 0xC000), false},
    {"the double nearest 0.1", 0.1, Make(0xCCCCCCCCCCCCD000, 0x3FFB), false},
    {"largest", LDBL_MAX, Make(0xFFFFFFFFFFFFFFFF, 0x7FFE), true},
    {"smallest normal", LDBL_MIN, Make(0x8000000000000000, 0x0001), true},
    {"smallest denormal", LDBL_TRUE_MIN, Make(1, 0x0000), true},
    {"one plus 2^-63", 1.0L + LDBL_EPSILON, Make(0x8000000000000001, 0x3FFF), true},
    {"infinity", std::numeric_limits<long double>::infinity(), Make(0x8000000000000000, 0x7FFF), false},
    {"minus infinity", -std::numeric_limits<long double>::infinity(), Make(0x8000000000000000, 0xFFFF), false},
};

TEST(Extended, GoldenImagesBothWays) {
    for (const Golden& g : kGolden) {
        if (g.needsX87 && !kX87LongDouble) continue;
        SCOPED_TRACE(g.what);
        EXPECT_EQ(TExtended10::FromLongDouble(g.value).bytes, g.image);
        TExtended10 x;
        x.bytes = g.image;
        EXPECT_TRUE(SameLongDouble(x.ToLongDouble(), g.value));
    }
}

TEST(Extended, NanStaysNanWithItsSign) {
    for (long double nan :
         {std::numeric_limits<long double>::quiet_NaN(), -std::numeric_limits<long double>::quiet_NaN()}) {
        const TExtended10 x = TExtended10::FromLongDouble(nan);
        EXPECT_EQ(x.bytes[9] & 0x7F, 0x7F);
        EXPECT_EQ(x.bytes[8], 0xFF);
        EXPECT_EQ(x.bytes[7] & 0x80, 0x80);  // integer bit: a real NaN, not a pseudo-NaN
        EXPECT_TRUE(SameLongDouble(x.ToLongDouble(), nan));
    }
}

TEST(Extended, DoublesSurviveTheRoundTripExactly) {
    std::mt19937_64 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isnan(d)) continue;
        const long double back = TExtended10::FromLongDouble(d).ToLongDouble();
        ASSERT_TRUE(SameLongDouble(back, d)) << std::hexfloat << d;
    }
}

// Where long double is the x87 type, its memory image is the stored format
// itself: the hardware is the reference for both directions.
TEST(Extended, AgreesWithTheX87MemoryImage) {
    if (!kX87LongDouble) GTEST_SKIP() << "long double is not the x87 type here";
    std::mt19937_64 rng(777);
    for (int i = 0; i < 20000; ++i) {
        // Canonical encodings: integer bit set exactly when the exponent is not 0.
        uint64_t sig = rng();
        uint16_t se = uint16_t(rng());
        if ((se & 0x7FFF) == 0x7FFF) se ^= 1;
        if ((se & 0x7FFF) == 0) {
            sig &= ~(uint64_t(1) << 63);
        } else {
            sig |= uint64_t(1) << 63;
        }
        const Image image = Make(sig, se);
        long double v = 0;
        std::memcpy(&v, image.data(), 10);
        ASSERT_EQ(TExtended10::FromLongDouble(v).bytes, image);
        TExtended10 x;
        x.bytes = image;
        ASSERT_TRUE(SameLongDouble(x.ToLongDouble(), v));
    }
}

// Pseudo-denormals, unnormals, pseudo-infinities and pseudo-NaNs: read as
// the x87 reads them when it computes with them.
TEST(Extended, NonCanonicalEncodingsReadAsTheX87ReadsThem) {
    struct Case {
        const char* what;
        Image image;
        bool nan;
        long double value;
    };
    const Case cases[] = {
        {"pseudo-denormal", Make(0x8000000000000000, 0x0000), false, kX87LongDouble ? LDBL_MIN : 0},
        {"negative pseudo-denormal", Make(0xC000000000000000, 0x8000), false, kX87LongDouble ? -LDBL_MIN * 1.5L : 0},
        {"unnormal", Make(0x4000000000000000, 0x3FFF), true, 0},
        {"pseudo-infinity", Make(0, 0x7FFF), true, 0},
        {"pseudo-NaN", Make(0x0000000000000001, 0x7FFF), true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TExtended10 x;
        x.bytes = c.image;
        const long double r = x.ToLongDouble();
        if (c.nan) {
            EXPECT_TRUE(std::isnan(r));
        } else if (kX87LongDouble) {
            EXPECT_EQ(r, c.value);
        }
#if defined(__i386__) || defined(__x86_64__)
        if (kX87LongDouble) {
            volatile long double loaded;
            long double raw;
            std::memcpy(&raw, c.image.data(), 10);
            loaded = raw;
            const long double computed = loaded + 0.0L;  // the FPU's own reading
            EXPECT_TRUE(SameLongDouble(r, computed));
        }
#endif
    }
}

}  // namespace
