// Font families as the screen's enumeration reports them, and text order in
// the user's locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/FontEnum.h"
#include "platform/win/Win32.h"

namespace {

TEST(FontEnum, ReportsInstalledFamiliesOncePerCharsetInRuns) {
    const std::vector<std::string> names = EnumFontFamilyNames();
    ASSERT_FALSE(names.empty());
    for (const char* family : {"Liberation Sans", "Liberation Serif", "Liberation Mono"}) {
        SCOPED_TRACE(family);
        const auto first = std::find(names.begin(), names.end(), family);
        ASSERT_NE(first, names.end());
        // All reports of a family come together, one per character set.
        const auto last = std::find_if(first, names.end(), [&](const std::string& n) { return n != family; });
        EXPECT_EQ(std::count(names.begin(), names.end(), family), last - first);
        EXPECT_GE(last - first, 2);
    }
    EXPECT_EQ(std::find(names.begin(), names.end(), "No Such Family"), names.end());
    for (const std::string& n : names) EXPECT_FALSE(n.empty());
}

struct TCompareCase {
    const char* a;
    const char* b;
    int sign;
};

TEST(FontEnum, CompareTextFollowsTheLocaleAndIgnoresCase) {
    const TCompareCase cases[] = {
        {"arial", "ARIAL", 0},
        {"Arial", "Courier", -1},
        {"courier", "Arial", 1},
        {"Default", "dejavu Sans", -1},
        // Bytes would put "Č" (0xC4...) after "D".
        {"Čeština", "Dobrý", -1},
        {"zebra", "Ábel", 1},
        {"", "a", -1},
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const TCompareCase& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(sign(AnsiCompareText(c.a, c.b)), c.sign);
        EXPECT_EQ(sign(AnsiCompareText(c.b, c.a)), -c.sign);
        EXPECT_EQ(sign(AnsiCompareKey(c.a).compare(AnsiCompareKey(c.b))), c.sign);
    }
}

TEST(FontEnum, SystemCharsetFollowsTheCodePage) {
    struct TCase {
        UINT codePage;
        uint32_t charset;
    };
    const TCase table[] = {{1250, EASTEUROPE_CHARSET}, {1251, RUSSIAN_CHARSET}, {1252, ANSI_CHARSET},
                           {932, SHIFTJIS_CHARSET}};
    const UINT acp = ::GetACP();
    const auto row = std::find_if(std::begin(table), std::end(table), [&](const TCase& c) { return c.codePage == acp; });
    ASSERT_NE(row, std::end(table)) << acp;
    EXPECT_EQ(SystemDefaultCharset(), row->charset);
    EXPECT_NE(SystemDefaultCharset(), uint32_t(DEFAULT_CHARSET));
}

TEST(FontEnum, ScreenPixelsPerInchAreTheScreensOwn) {
    HDC screen = ::GetDC(nullptr);
    const int expected = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_GT(expected, 0);
    EXPECT_EQ(ScreenLogPixelsY(), expected);
}

}  // namespace
