// Decimal text <-> stored float images, exact whatever the compiler's long
// double: the standard library's double and float conversions and the x87
// image are the references.

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "platform/core/Extended.h"
#include "platform/core/FloatText.h"

namespace {

using floattext::TFloatFormat;

std::vector<uint8_t> DoubleImage(double d) {
    std::vector<uint8_t> v(8);
    const auto bits = std::bit_cast<uint64_t>(d);
    for (int i = 0; i < 8; ++i) v[size_t(i)] = uint8_t(bits >> (8 * i));
    return v;
}

std::vector<uint8_t> SingleImage(float f) {
    std::vector<uint8_t> v(4);
    const auto bits = std::bit_cast<uint32_t>(f);
    for (int i = 0; i < 4; ++i) v[size_t(i)] = uint8_t(bits >> (8 * i));
    return v;
}

std::vector<uint8_t> ExtendedImage(long double v) {
    const TExtended10 x = TExtended10::FromLongDouble(v);
    return {x.bytes.begin(), x.bytes.end()};
}

TEST(FloatText, TypicalValuesReadNaturally) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0.0"},           {-0.0, "-0.0"},   {1.0, "1.0"},     {1.5, "1.5"},
        {-2.25, "-2.25"},       {0.1, "0.1"},     {100.0, "100.0"}, {123456.789, "123456.789"},
        {1e-5, "0.00001"},      {1e-6, "1.0E-6"}, {1e15, "1.0E15"}, {1e300, "1.0E300"},
        {2.5e-300, "2.5E-300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto image = DoubleImage(c.value);
        EXPECT_EQ(floattext::Format(image.data(), TFloatFormat::Double), c.text);
        EXPECT_EQ(floattext::Parse(c.text, TFloatFormat::Double), image);
    }
}

TEST(FloatText, DoublesAgreeWithTheStandardLibrary) {
    std::mt19937_64 rng(2024);
    for (int i = 0; i < 3000; ++i) {
        const uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, 8);
        if (!std::isfinite(d)) continue;
        const auto image = DoubleImage(d);
        const auto text = floattext::Format(image.data(), TFloatFormat::Double);
        ASSERT_TRUE(text.has_value());
        double back = 0;
        const auto r = std::from_chars(text->data(), text->data() + text->size(), back);
        ASSERT_EQ(r.ec, std::errc()) << *text;
        ASSERT_EQ(std::bit_cast<uint64_t>(back), bits) << *text;
        // No more digits than the shortest text that the library finds, plus
        // one where its rounding interval is lopsided.
        char shortest[64];
        const auto s = std::to_chars(shortest, shortest + sizeof shortest, d, std::chars_format::scientific);
        const std::string_view lib(shortest, size_t(s.ptr - shortest));
        auto significant = [](std::string_view t) {
            std::string d;
            for (char c : t.substr(0, t.find_first_of("eE")))
                if (c >= '0' && c <= '9') d += c;
            d.erase(0, std::min(d.size(), d.find_first_not_of('0')));
            while (!d.empty() && d.back() == '0') d.pop_back();
            return d.size();
        };
        ASSERT_LE(significant(*text), significant(lib) + 1) << *text << " vs " << lib;
    }
}

TEST(FloatText, ParsingRoundsToNearestEvenLikeTheStandardLibrary) {
    // Texts of thousands of digits: the tie just above 2^53 decided only by
    // a last digit far out, either way, and a fraction of 5,000 digits.
    const std::string longTie = "9007199254740993" + std::string(3000, '0');
    const std::string longTieAbove = longTie + "1e-3000";
    const std::string third = "0." + std::string(5000, '3');
    const std::string tie = longTie + "e-3000";
    const char* texts[] = {
        longTieAbove.c_str(),
        tie.c_str(),
        third.c_str(),
        "9007199254740993",         // 2^53 + 1: a tie, to the even 2^53
        "9007199254740995",         // a tie, to the even 2^53 + 4
        "2.2250738585072011e-308",  // just below the smallest normal
        "4.9406564584124654e-324",  // the smallest denormal
        "2.4703282292062328e-324",  // a little more than half of it: rounds up
        "2.4703282292062327e-324",  // a little less: zero
        "1.7976931348623157e308",   // the largest
        "1.8e308",                  // beyond: infinity
        "0.30000000000000001665",
        "123456789012345678901234567890e-20",
    };
    for (const char* t : texts) {
        SCOPED_TRACE(t);
        double want = 0;
        const auto r = std::from_chars(t, t + std::strlen(t), want);
        if (r.ec == std::errc::result_out_of_range) want = std::strtod(t, nullptr);
        EXPECT_EQ(floattext::Parse(t, TFloatFormat::Double), DoubleImage(want));
    }
}

TEST(FloatText, SinglesAgreeWithTheStandardLibrary) {
    std::mt19937 rng(99);
    for (int i = 0; i < 3000; ++i) {
        const uint32_t bits = rng();
        float f;
        std::memcpy(&f, &bits, 4);
        if (!std::isfinite(f)) continue;
        const auto image = SingleImage(f);
        const auto text = floattext::Format(image.data(), TFloatFormat::Single);
        ASSERT_TRUE(text.has_value());
        float back = 0;
        std::from_chars(text->data(), text->data() + text->size(), back);
        ASSERT_EQ(std::bit_cast<uint32_t>(back), bits) << *text;
        ASSERT_EQ(floattext::Parse(*text, TFloatFormat::Single), image);
    }
}

TEST(FloatText, ExtendedGoldenImages) {
    struct Case {
        const char* text;
        std::vector<uint8_t> image;
    };
    const Case cases[] = {
        {"1.0", {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        // 0.1 needs all 64 bits and rounds up in the last.
        {"0.1", {0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}},
        {"-2.5", {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}},
        {"1.18973149535723176502E4932", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F}},
        {"1.2E4932", {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},  // beyond the largest: infinity
        {"3.6E-4951", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},          // the smallest denormal
        {"1.0E-5000", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(floattext::Parse(c.text, TFloatFormat::Extended), c.image);
    }
}

TEST(FloatText, ExtendedImagesSurviveTextExactly) {
    std::mt19937_64 rng(4242);
    for (int i = 0; i < 600; ++i) {
        std::vector<uint8_t> image(10);
        uint64_t sig = rng();
        // Mostly moderate exponents, some anywhere in the range.
        int exp = i % 5 == 0 ? int(rng() % 0x7FFF) : 16383 + int(rng() % 200) - 100;
        if (exp == 0)
            sig &= ~(uint64_t(1) << 63);
        else
            sig |= uint64_t(1) << 63;
        for (int k = 0; k < 8; ++k) image[size_t(k)] = uint8_t(sig >> (8 * k));
        const unsigned se = unsigned(exp) | (rng() & 1 ? 0x8000u : 0u);
        image[8] = uint8_t(se);
        image[9] = uint8_t(se >> 8);
        const auto text = floattext::Format(image.data(), TFloatFormat::Extended);
        ASSERT_TRUE(text.has_value());
        ASSERT_EQ(floattext::Parse(*text, TFloatFormat::Extended), image) << *text;
    }
}

TEST(FloatText, ExtendedTextIsTheShortestThatGivesTheImageBack) {
    // The double nearest 0.1 is 0.1000000000000000055511151...; the x87 keeps
    // it exactly, and 20 digits are the fewest within half its last place.
    const auto image = ExtendedImage(0.1);
    const auto text = floattext::Format(image.data(), TFloatFormat::Extended);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "0.10000000000000000555");
    EXPECT_EQ(floattext::Parse(*text, TFloatFormat::Extended), image);
}

// The shortest texts at the ends of the range, where the exact expansion
// runs to thousands of digits. Digits and exponents as glibc's exact printf
// gives them at the fewest digits for which strtold returns the same number.
TEST(FloatText, ExtendedTextsAtTheEndsOfTheRange) {
    struct Case {
        uint64_t sig;
        unsigned signAndExponent;
        const char* text;
    };
    const Case cases[] = {
        {0xFFFFFFFFFFFFFFFF, 0x7FFE, "1.189731495357231765E4932"},      // the largest
        {0xFFFFFFFFFFFFFFFF, 0x7E7F, "6.0389386744784551587E4816"},
        {0x8000000000000000, 0x0001, "3.3621031431120935063E-4932"},    // the smallest normal
        {0x7FFFFFFFFFFFFFFF, 0x0000, "3.362103143112093506E-4932"},     // the largest denormal
        {0x8000000000000000, 0x017F, "3.3118402219455015714E-4817"},
        {0x0000000000000001, 0x0000, "4.0E-4951"},                      // the smallest denormal
        {0x0000000000000001, 0x8000, "-4.0E-4951"},
        {0xC90FDAA22168C235, 0x4000, "3.1415926535897932385"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<uint8_t> image(10);
        for (int k = 0; k < 8; ++k) image[size_t(k)] = uint8_t(c.sig >> (8 * k));
        image[8] = uint8_t(c.signAndExponent);
        image[9] = uint8_t(c.signAndExponent >> 8);
        EXPECT_EQ(floattext::Format(image.data(), TFloatFormat::Extended), c.text);
        EXPECT_EQ(floattext::Parse(c.text, TFloatFormat::Extended), image);
    }
}

TEST(FloatText, ImagesWithoutADecimalHaveNoText) {
    const std::vector<std::vector<uint8_t>> extended = {
        {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F},  // infinity
        {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xFF},  // NaN
        {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x00},  // pseudo-denormal
        {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F},  // unnormal
    };
    for (const auto& image : extended) EXPECT_FALSE(floattext::Format(image.data(), TFloatFormat::Extended));
    const auto inf = DoubleImage(HUGE_VAL);
    EXPECT_FALSE(floattext::Format(inf.data(), TFloatFormat::Double));
    const auto one = DoubleImage(1.0);
    EXPECT_TRUE(floattext::Format(one.data(), TFloatFormat::Double));
}

TEST(FloatText, MalformedTextIsRejected) {
    for (const char* bad : {"", "-", ".", "1e", "1e+", "1.5x", "1..5", "e5", "--1", "1.5 "})
        EXPECT_FALSE(floattext::Parse(bad, TFloatFormat::Double)) << bad;
    for (const char* good : {"1", "+1", "1.", ".5", "1e5", "1E-5", "-0"})
        EXPECT_TRUE(floattext::Parse(good, TFloatFormat::Double)) << good;
}

}  // namespace
