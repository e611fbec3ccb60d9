// The main window's arithmetic and text rules, case by case.

#include <gtest/gtest.h>

#include "app/FontFamilies.h"
#include "app/ViewRules.h"
#include "platform/core/Text.h"

namespace {

TEST(ViewRules, FontSizeTextIsAWholeNumberFrom8To72) {
    struct Case {
        const char* text;
        std::optional<int> size;
    };
    const Case cases[] = {
        {"16", 16}, {"8", 8},          {"72", 72},           {" 24 ", 24},          {"008", 8},
        {"7", std::nullopt},           {"73", std::nullopt}, {"100", std::nullopt}, {"", std::nullopt},
        {"1 6", std::nullopt},         {"16.5", std::nullopt}, {"-16", std::nullopt}, {"+16", std::nullopt},
        {"$10", std::nullopt},         {"abc", std::nullopt},  {"0016", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseFontSize(c.text), c.size) << '"' << c.text << '"';
}

TEST(ViewRules, PreviewIsCentredOnItsRowTruncatingTowardZero) {
    struct Case {
        int top, bottom, height, expected;
    };
    const Case cases[] = {
        {0, 36, 19, 9},     // (37 - 19) / 2 = 9
        {36, 72, 20, 44},   // 36 + 17 / 2
        {0, 36, 37, 0},     // exactly one pixel taller than the row
        {0, 36, 40, -1},    // (37 - 40) / 2 truncates to -1, not -2
        {72, 108, 113, 34}, // a 72-point name reaches far into the rows above
    };
    for (const Case& c : cases) EXPECT_EQ(PreviewTop(c.top, c.bottom, c.height), c.expected) << c.height;
}

TEST(ViewRules, ProgressBarRoundsHalfToEven) {
    struct Case {
        int width, cached, count, expected;
    };
    const Case cases[] = {
        {100, 1, 2, 49},     // 98 / 2
        {100, 1, 4, 24},     // 24.5 -> 24
        {100, 3, 4, 74},     // 73.5 -> 74
        {102, 1, 3, 33},     // 33.33
        {100, 2, 3, 65},     // 65.33
        {100, 150, 150, 98}, // complete (not drawn, see ProgressVisible)
        {100, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressBarWidth(c.width, c.cached, c.count), c.expected) << c.cached << "/" << c.count;
    EXPECT_FALSE(ProgressVisible(0, 150));
    EXPECT_TRUE(ProgressVisible(1, 150));
    EXPECT_TRUE(ProgressVisible(149, 150));
    EXPECT_FALSE(ProgressVisible(150, 150));
}

TEST(ViewRules, CharacterMapCellsAndCodes) {
    struct Case {
        int col, row, code;
        const char *dec, *hex;
    };
    const Case cases[] = {{0, 0, 32, "32", "20"}, {15, 0, 47, "47", "2F"}, {0, 1, 48, "48", "30"},
                          {10, 10, 202, "202", "CA"}, {15, 13, 255, "255", "FF"}};
    for (const Case& c : cases) {
        EXPECT_EQ(CharCodeOfCell(c.col, c.row), c.code);
        EXPECT_EQ(DecimalCode(c.code), c.dec);
        EXPECT_EQ(HexCode(c.code), c.hex);
    }
    EXPECT_EQ(FamilyCountText(150), "Počet písem: 150");
}

int AsciiCompare(std::string_view a, std::string_view b) { return text::CompareText(a, b); }

TEST(FontFamilyList, DefaultFirstNeighbourDuplicatesDroppedSorted) {
    const std::vector<std::string> reported = {"Tahoma", "tahoma", "Arial", "Arial", "Zapf", "Arial", "@Mincho", "DejaVu Sans"};
    const auto list = BuildFontFamilyList(reported, &AsciiCompare);
    // "Arial" comes back after "Zapf": only neighbours are merged.
    EXPECT_EQ(list, (std::vector<std::string>{"@Mincho", "Arial", "Arial", "Default", "DejaVu Sans", "Tahoma", "Zapf"}));
    EXPECT_EQ(BuildFontFamilyList({}, &AsciiCompare), (std::vector<std::string>{"Default"}));
    // A family that calls itself "default" merges into the entry before it.
    EXPECT_EQ(BuildFontFamilyList({"DEFAULT", "Arial"}, &AsciiCompare), (std::vector<std::string>{"Arial", "Default"}));
}

TEST(FontFamilyList, DefaultStandsForTheUserInterfaceFace) {
    EXPECT_EQ(FaceForFamily("Default"), "MS Sans Serif");
    EXPECT_EQ(FaceForFamily("DEFAULT"), "MS Sans Serif");
    EXPECT_EQ(FaceForFamily("Default Sans"), "Default Sans");
    EXPECT_EQ(FaceForFamily("Arial"), "Arial");
}

}  // namespace
