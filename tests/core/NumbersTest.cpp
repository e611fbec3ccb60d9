#include "platform/core/Numbers.h"

#include <gtest/gtest.h>

#include "tests/core/PinnedFormatSettings.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

TFormatSettings WithSeparator(char decimal) {
    TFormatSettings fs;
    fs.decimalSeparator = decimal;
    fs.thousandSeparator = decimal == ',' ? ' ' : ',';
    return fs;
}

// Whether long double is wider than double here (the x87 type on both the
// shipped i686 build and x86-64 Linux); some cases only make sense then.
constexpr bool kWideLongDouble = std::numeric_limits<long double>::digits >= 64;

std::string Show(long double v) { return FloatToText(v, WithSeparator('.'), 25); }

}  // namespace

// --- RoundHalfEven -------------------------------------------------------

TEST(RoundHalfEven, RoundsToNearestAndHalvesToEven)
{
    struct Case {
        long double in, out;
    };
    const Case cases[] = {
        {2.5L, 2.0L},   {3.5L, 4.0L},   {-2.5L, -2.0L}, {-3.5L, -4.0L}, {0.5L, 0.0L},
        {1.5L, 2.0L},   {-0.5L, 0.0L},  {2.4L, 2.0L},   {2.6L, 3.0L},   {-2.6L, -3.0L},
        {-2.4L, -2.0L}, {7.0L, 7.0L},   {0.0L, 0.0L},
        // The largest double below one half: in double arithmetic, adding
        // 0.5 and flooring gives 1.
        {0.49999999999999994L, 0.0L},
        {2.4999999999999996L, 2.0L},    {2.5000000000000004L, 3.0L},
        {4503599627370495.5L, 4503599627370496.0L},  // 2^52 - 0.5
        {1e30L, 1e30L},                 {-1e300L, -1e300L},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << Show(c.in);
}

TEST(RoundHalfEven, UsesEveryBitOfTheExtendedMantissa)
{
    if (!kWideLongDouble) GTEST_SKIP() << "long double is no wider than double";
    struct Case {
        long double in, out;
    };
    const long double ulpAtOne = std::ldexp(1.0L, -63);
    const Case cases[] = {
        // The largest long double below one half: adding 0.5 rounds to 1.
        {0.5L - std::ldexp(1.0L, -65), 0.0L},
        {-(0.5L - std::ldexp(1.0L, -65)), 0.0L},
        // Just below and above a half: a detour through double would see
        // exactly 1.5 and 2.5 and pick the even neighbour instead.
        {1.5L - ulpAtOne, 1.0L},
        {2.5L + 2 * ulpAtOne, 3.0L},
        // Near 2^63 the fractional part is a single bit; no int64 conversion
        // may overflow on the way.
        {std::ldexp(1.0L, 62) + 0.5L, std::ldexp(1.0L, 62)},
        {std::ldexp(1.0L, 62) + 1.5L, std::ldexp(1.0L, 62) + 2.0L},
        {-(std::ldexp(1.0L, 62) + 1.5L), -(std::ldexp(1.0L, 62) + 2.0L)},
        {std::ldexp(1.0L, 63), std::ldexp(1.0L, 63)},
        {std::ldexp(1.0L, 100) + std::ldexp(1.0L, 40), std::ldexp(1.0L, 100) + std::ldexp(1.0L, 40)},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << Show(c.in);
}

TEST(RoundHalfEven, PassesNonFiniteValuesThrough)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(RoundHalfEven(inf), inf);
    EXPECT_EQ(RoundHalfEven(-inf), -inf);
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<long double>::quiet_NaN())));
}

// --- FloatToText ---------------------------------------------------------

TEST(FloatToText, UsesFixedNotationWithinRangeAndScientificBeyond)
{
    struct Case {
        long double in;
        const char* dot;
        const char* comma;
    };
    const Case cases[] = {
        {1.5, "1.5", "1,5"},
        {100, "100", "100"},
        {-2.5, "-2.5", "-2,5"},
        {0.1, "0.1", "0,1"},  // the double nearest 0.1, not 0.1 itself
        {1.0 / 3, "0.333333333333333", "0,333333333333333"},
        {2.0 / 3, "0.666666666666667", "0,666666666666667"},
        {123456789012345.0, "123456789012345", "123456789012345"},  // 15 integer digits still fit
        {1234567890123456.0, "1.23456789012346E15", "1,23456789012346E15"},
        {123456789012345678.0, "1.23456789012346E17", "1,23456789012346E17"},
        {999999999999999.9, "1E15", "1E15"},  // rounds up to 16 integer digits
        {1e20, "1E20", "1E20"},
        {-1.23456789012346e30, "-1.23456789012346E30", "-1,23456789012346E30"},
        {0.00001, "0.00001", "0,00001"},
        {0.0000123, "0.0000123", "0,0000123"},
        {0.0000099999999999999999, "0.00001", "0,00001"},  // rounds up into the fixed range
        {0.000001, "1E-6", "1E-6"},
        {1.5e-7, "1.5E-7", "1,5E-7"},
        {-1.5e-300, "-1.5E-300", "-1,5E-300"},
        {0.0, "0", "0"},
        {-0.0, "0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToText(c.in, WithSeparator('.')), c.dot);
        EXPECT_EQ(FloatToText(c.in, WithSeparator(',')), c.comma);
    }
}

TEST(FloatToText, NamesNonFiniteValues)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FloatToText(std::numeric_limits<long double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToText(inf), "INF");
    EXPECT_EQ(FloatToText(-inf), "-INF");
}

TEST(FloatToText, HonoursThePrecision)
{
    struct Case {
        long double in;
        int precision;
        const char* out;
    };
    const Case cases[] = {
        {2.0L / 3, 3, "0.667"},
        {1234.5L, 3, "1.23E3"},  // four integer digits do not fit in three
        {1234.56L, 4, "1235"},
        // Exact binary ties go to the even digit, as the value is rounded
        // once, correctly.
        {1234.5L, 4, "1234"},
        {1235.5L, 4, "1236"},
        {1234.5L, 5, "1234.5"},
        {0.1, 17, "0.10000000000000001"},  // the double's own digits show
        {0.1, 0, "0.1"},                   // clamped to one digit
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToText(c.in, WithSeparator('.'), c.precision), c.out);
}

TEST(FloatToText, FormatsExtendedValuesWithoutLosingDigits)
{
    if (!kWideLongDouble) GTEST_SKIP() << "long double is no wider than double";
    const TFormatSettings fs = WithSeparator('.');
    EXPECT_EQ(FloatToText(1.0L / 3, fs, 20), "0.33333333333333333334");
    EXPECT_EQ(FloatToText(1.0L + std::ldexp(1.0L, -63), fs, 20), "1.0000000000000000001");
    EXPECT_EQ(FloatToText(1.0L + std::ldexp(1.0L, -63), fs, 18), "1");
    EXPECT_EQ(FloatToText(1e4000L, fs), "1E4000");
    EXPECT_EQ(FloatToText(std::numeric_limits<long double>::max(), fs), "1.18973149535723E4932");
    EXPECT_EQ(FloatToText(std::numeric_limits<long double>::denorm_min(), fs), "3.64519953188247E-4951");
}

TEST(FloatToText, WithoutSettingsUsesTheProcessWideOnes)
{
    {
        PinnedFormatSettings pin(WithSeparator(','));
        EXPECT_EQ(FloatToText(1.25L), "1,25");
        EXPECT_EQ(FloatToText(1.0L / 3, 3), "0,333");
    }
    PinnedFormatSettings pin(WithSeparator('.'));
    EXPECT_EQ(FloatToText(1.25L), "1.25");
}

// --- TextToFloat ---------------------------------------------------------

TEST(TextToFloat, AcceptsDecimalNumbersWithTheLocaleSeparator)
{
    struct Case {
        const char* in;
        long double out;
    };
    const Case cases[] = {
        {"1,5", 1.5L},
        {"  1,5\t", 1.5L},
        {"-1,5", -1.5L},
        {"+2", 2.0L},
        {"1,", 1.0L},
        {",5", 0.5L},
        {"-,25", -0.25L},
        {"00012,50", 12.5L},
        {"1e3", 1000.0L},
        {"1E+2", 100.0L},
        {"25E-1", 2.5L},
        {"1,5E-7", 1.5e-7L},
        {"0,000", 0.0L},
        // Correctly rounded to long double, not merely to double.
        {"0,1", 0.1L},
        {"3,14159265358979323846", 3.14159265358979323846L},
        {"0,00000000000000000000000000000000000000012345", 1.2345e-40L},
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {"1e-99999999999999999999", 0.0L},  // a huge exponent saturates
    };
    const TFormatSettings fs = WithSeparator(',');
    for (const Case& c : cases) {
        const auto v = TextToFloat(c.in, fs);
        ASSERT_TRUE(v.has_value()) << c.in;
        EXPECT_EQ(*v, c.out) << c.in << " gave " << Show(*v);
    }
}

TEST(TextToFloat, RejectsAnythingElse)
{
    const char* const cases[] = {
        "",     " ",    ",",     "1.5",  "1,5,",  "1,,5",  "1e",   "1e+",  "e5",   "E",      "1 5",
        "1,5x", "--1",  "+-1",   "- 1",  "+",     "0x10",  "INF",  "NAN",  "1,5 e3", "1e3.", "1e3,",
        "1e5000",  // beyond every long double
    };
    const TFormatSettings fs = WithSeparator(',');
    for (const char* c : cases) EXPECT_FALSE(TextToFloat(c, fs).has_value()) << c;
}

TEST(TextToFloat, SeparatorFollowsTheSettings)
{
    EXPECT_EQ(TextToFloat("1.5", WithSeparator('.')), 1.5L);
    EXPECT_FALSE(TextToFloat("1,5", WithSeparator('.')).has_value());
    {
        PinnedFormatSettings pin(WithSeparator(','));
        EXPECT_EQ(TextToFloat("2,75"), 2.75L);
        EXPECT_FALSE(TextToFloat("2.75").has_value());
    }
    PinnedFormatSettings pin(WithSeparator('.'));
    EXPECT_EQ(TextToFloat("2.75"), 2.75L);
    EXPECT_FALSE(TextToFloat("2,75").has_value());
}

TEST(TextToFloat, NegativeZeroKeepsItsSign)
{
    const auto v = TextToFloat("-0,0", WithSeparator(','));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, 0.0L);
    EXPECT_TRUE(std::signbit(*v));
    EXPECT_FALSE(std::signbit(*TextToFloat("0,0", WithSeparator(','))));
}

TEST(TextToFloat, ReadsBackWhatFloatToTextWrote)
{
    const int digits = std::numeric_limits<long double>::max_digits10;
    const long double values[] = {
        1.0L / 3,
        0.1L,
        -2.0L / 7,
        1e-300L,
        123456789.123456789L,
        std::numeric_limits<long double>::max(),
        std::numeric_limits<long double>::min(),
        std::numeric_limits<long double>::denorm_min(),
        std::numeric_limits<long double>::lowest(),
    };
    for (char sep : {'.', ','}) {
        const TFormatSettings fs = WithSeparator(sep);
        for (long double v : values) {
            const std::string text = FloatToText(v, fs, digits);
            EXPECT_EQ(TextToFloat(text, fs), v) << text;
        }
    }
    // With fewer digits some value must come back different; otherwise the
    // values above would be too easy to prove anything about the digits.
    int changed = 0;
    for (long double v : values)
        if (TextToFloat(FloatToText(v, WithSeparator('.'), digits - 3), WithSeparator('.')) != v) ++changed;
    EXPECT_GT(changed, 0);
}

TEST(TextToFloat, IgnoresTheCLibraryLocale)
{
    // The C library's own decimal point must not leak in: under a locale
    // that writes "1,5" a locale-aware parser would stop at the '.'.
    const char* const candidates[] = {"cs_CZ.UTF-8", "de_DE.UTF-8", "Czech_Czech Republic.1250", "Czech", "German"};
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* chosen = nullptr;
    for (const char* name : candidates) {
        if (std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',') {
            chosen = name;
            break;
        }
    }
    if (!chosen) {
        std::setlocale(LC_NUMERIC, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const auto dot = TextToFloat("1.5", WithSeparator('.'));
    const auto comma = TextToFloat("1.5", WithSeparator(','));
    const std::string text = FloatToText(1.5L, WithSeparator('.'));
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(dot, 1.5L) << chosen;
    EXPECT_FALSE(comma.has_value()) << chosen;
    EXPECT_EQ(text, "1.5") << chosen;
}

namespace {

// The exact decimal text of odd * 2^-16446, the value halfway between two
// neighbouring multiples of the smallest x87 denormal, 2^-16445: all of its
// 11,500 digits, since any fewer would no longer be a tie.
std::string HalfwayBetweenDenormals(uint32_t odd) {
    constexpr int kExponent = 16446;
    // odd * 5^16446 in base-10^9 limbs, least significant first; then the
    // text is those digits times 10^-16446.
    std::vector<uint32_t> limbs{odd};
    auto multiply = [&](uint32_t factor) {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs) {
            const uint64_t t = uint64_t(limb) * factor + carry;
            limb = uint32_t(t % 1000000000u);
            carry = t / 1000000000u;
        }
        for (; carry; carry /= 1000000000u) limbs.push_back(uint32_t(carry % 1000000000u));
    };
    for (int i = 0; i < kExponent / 13; ++i) multiply(1220703125u);  // 5^13
    for (int i = 0; i < kExponent % 13; ++i) multiply(5);
    std::string text = std::to_string(limbs.back());
    for (size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string part = std::to_string(limbs[i]);
        text += std::string(9 - part.size(), '0') + part;
    }
    return text + "e-" + std::to_string(kExponent);
}

}  // namespace

TEST(TextToFloat, TiesAmongTheSmallestDenormalsRoundToEven)
{
    if (!kWideLongDouble) GTEST_SKIP() << "the cases are x87 denormals";
    // The C library's strtold once read the ties that round up to a power
    // of two as the smallest normal number instead; ties that round down,
    // and the tie into the smallest normal itself, it read right.
    struct Case {
        uint32_t below;     // the tie lies between below and below + 1 denormal steps
        uint64_t expected;  // in denormal steps: the even one of the two
    };
    const Case cases[] = {
        {1, 2}, {3, 4}, {7, 8}, {15, 16}, {31, 32},  // up to a power of two
        {0, 0}, {2, 2}, {6, 6}, {12, 12},            // down to the even one below
        {5, 6}, {9, 10},                             // up, not to a power of two
    };
    for (const Case& c : cases) {
        const std::string text = HalfwayBetweenDenormals(2 * c.below + 1);
        const long double expected = std::ldexp(static_cast<long double>(c.expected), -16445);
        SCOPED_TRACE(testing::Message() << c.below << ".5 steps");
        const auto positive = TextToFloat(text, WithSeparator('.'));
        ASSERT_TRUE(positive.has_value());
        EXPECT_EQ(*positive, expected) << Show(*positive);
        const auto negative = TextToFloat("-" + text, WithSeparator('.'));
        ASSERT_TRUE(negative.has_value());
        EXPECT_EQ(*negative, -expected) << Show(*negative);
        EXPECT_TRUE(std::signbit(*negative));
    }
}

// --- IntToText, TextToInt ------------------------------------------------

TEST(IntToText, WritesPlainDecimal)
{
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(1234567), "1234567");
    EXPECT_EQ(IntToText(std::numeric_limits<int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(IntToText(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

TEST(TextToInt, AcceptsDecimalAndDollarHex)
{
    struct Case {
        const char* in;
        int64_t out;
    };
    const Case cases[] = {
        {"0", 0},
        {"-0", 0},
        {"123", 123},
        {"+123", 123},
        {"-123", -123},
        {" 42\t", 42},
        {"007", 7},
        {"$FF", 255},
        {"$ff", 255},
        {"-$10", -16},
        {"9223372036854775807", std::numeric_limits<int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {"$7FFFFFFFFFFFFFFF", std::numeric_limits<int64_t>::max()},
        {"-$8000000000000000", std::numeric_limits<int64_t>::min()},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToInt(c.in), c.out) << c.in;
}

TEST(TextToInt, RejectsOtherTextAndValuesBeyondInt64)
{
    const char* const cases[] = {
        "",  " ",   "-",   "+",   "$",     "1.0",   "1e3",   "12a",   "0x10",  "$-1",  "$ 1",  "1 2",  "--1",
        "$G", "9223372036854775808", "-9223372036854775809", "$8000000000000000", "-$8000000000000001",
        "99999999999999999999999",
    };
    for (const char* c : cases) EXPECT_FALSE(TextToInt(c).has_value()) << c;
}
