// The ANSI code page codec that InitPlatform installs; the tests run with
// LC_ALL=cs_CZ.UTF-8, which gives the code page 1250.
#include <gtest/gtest.h>

#include "platform/core/Text.h"
#include "platform/win/Win32.h"

namespace {

TEST(AnsiCodec, RoundTripsCzechThroughCodePage1250) {
    ASSERT_EQ(::GetACP(), 1250u) << "the tests expect LC_ALL=cs_CZ.UTF-8";
    bool lossless = false;
    const std::string bytes = text::Utf8ToAnsi("Tu\xC4\x8Dn\xC3\xA9", &lossless);
    EXPECT_EQ(bytes, "\x54\x75\xE8\x6E\xE9");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(text::AnsiToUtf8("\x54\x75\xE8\x6E\xE9"), "Tu\xC4\x8Dn\xC3\xA9");
}

TEST(AnsiCodec, EveryByteOfTheCodePageRoundTrips) {
    // Not Latin-1: 0x8A is Š in cp1250, and 0x98 has no character at all.
    EXPECT_EQ(text::AnsiToUtf8("\x8A"), "\xC5\xA0");
    for (int b = 0x20; b < 0x100; ++b) {
        if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) continue;  // unassigned in cp1250
        const std::string one(1, char(b));
        bool lossless = false;
        EXPECT_EQ(text::Utf8ToAnsi(text::AnsiToUtf8(one), &lossless), one) << "byte " << b;
        EXPECT_TRUE(lossless) << "byte " << b;
    }
}

struct LossyCase {
    const char* utf8;
    const char* what;
};

const LossyCase kLossy[] = {
    {"\xCE\xA9", "Greek omega"},
    {"a\xC4\x81", "a with macron, which best-fit would turn into a"},
    {"\xE6\x97\xA5", "a CJK ideograph"},
    {"bad \xFF byte", "invalid UTF-8"},
};

TEST(AnsiCodec, ReportsCharactersOutsideTheCodePage) {
    for (const LossyCase& c : kLossy) {
        bool lossless = true;
        text::Utf8ToAnsi(c.utf8, &lossless);
        EXPECT_FALSE(lossless) << c.what;
    }
    bool lossless = false;
    text::Utf8ToAnsi("\xC5\x99\xC3\xAD\xE2\x82\xAC", &lossless);  // ř í €: all in cp1250
    EXPECT_TRUE(lossless);
}

}  // namespace
