// The character-map printout's grid and characters against a recording printer.

#include <gtest/gtest.h>

#include "printing/CharmapPrintout.h"
#include "tests/printing/RecordingPrinter.h"

namespace {

TEST(CharmapLayout, CellSizeDividesFirst) {
    const struct {
        int y, cell;
    } cases[] = {{300, 88}, {600, 176}, {200, 44}, {100, 22}, {72, 22}, {143, 22}, {144, 44}};
    for (const auto& c : cases) EXPECT_EQ(CharmapLayout(c.y).cell, c.cell) << c.y;
}

TEST(CharmapLayout, BelowSeventyTwoDotsPerInchIsAnError) {
    for (int y : {71, 1, 0}) {
        try {
            CharmapLayout(y);
            ADD_FAILURE() << "no error at " << y;
        } catch (const EPrintout& e) {
            EXPECT_STREQ(e.what(), "The printer's resolution is too low to print the character map");
        }
    }
}

TEST(CharmapLayout, CentresByTruncatingDivisionAlsoForWideCharacters) {
    const TCharmapLayout layout = CharmapLayout(300);  // S = 88
    const struct {
        int row, column;
        TSize extent;
        TPoint at;
    } cases[] = {
        {0, 0, {40, 58}, {124, 115}},
        {13, 15, {40, 58}, {100 + 15 * 88 + 24, 100 + 13 * 88 + 15}},
        {0, 1, {41, 59}, {188 + 23, 100 + 14}},        // 47 div 2 = 23, 29 div 2 = 14
        {0, 2, {91, 58}, {276 - 1, 115}},              // −3 div 2 = −1, toward zero
        {0, 3, {100, 90}, {364 - 6, 100 - 1}},         // wider and higher than the cell
    };
    for (const auto& c : cases) EXPECT_EQ(layout.CharacterAt(c.row, c.column, c.extent), c.at) << c.column;
}

TEST(CharmapPrintout, DrawsSeventeenVerticalAndFifteenHorizontalGreyLinesThenTheCharacters) {
    TRecordingPrinter printer(300, 2479, 3508);
    TFont gridFont;
    gridFont.SetName("Grid Face");
    gridFont.SetHeight(-16);  // 12 points on the screen
    gridFont.SetStyle(TFontStyles{TFontStyle::fsItalic});
    TCharmapPrintout printout(gridFont);
    EXPECT_EQ(printout.Title(), "Mapa znaků");
    printout.Measure(printer);
    printout.Draw(printer);

    const auto& calls = printer.calls;
    ASSERT_EQ(calls.size(), 2u + 2 * (17 + 15) + 224);
    EXPECT_EQ(calls[0], "SetFont(Grid Face,12pt,I,-2147483640,1)");
    EXPECT_EQ(calls[1], "SetPenColor(8421504)");  // RGB(128, 128, 128)
    for (int i = 0; i <= 16; ++i) {
        const int x = 100 + i * 88;
        EXPECT_EQ(calls[2 + 2 * i], "MoveTo(" + std::to_string(x) + ",100)");
        EXPECT_EQ(calls[3 + 2 * i], "LineTo(" + std::to_string(x) + ",1332)");
    }
    for (int j = 0; j <= 14; ++j) {
        const int y = 100 + j * 88;
        EXPECT_EQ(calls[36 + 2 * j], "MoveTo(100," + std::to_string(y) + ")");
        EXPECT_EQ(calls[37 + 2 * j], "LineTo(1508," + std::to_string(y) + ")");
    }
    // The recorder measures 10 × 20 a character: offsets 39 and 34.
    EXPECT_EQ(calls[66], "TextOut(139,134, )");
    EXPECT_EQ(calls[67], "TextOut(227,134,!)");
    EXPECT_EQ(calls[66 + 16 + 1], "TextOut(227,222,1)");
    EXPECT_EQ(calls[66 + 2 * 16 + 3], "TextOut(403,310,C)");
}

TEST(CharmapPrintout, PrintsTheAnsiCodePagesCharacters) {
    TRecordingPrinter printer(600, 4958, 7016);  // S = 176
    std::vector<std::string> measured;
    printer.extent = [&](const std::string& text) {
        measured.push_back(text);
        return text == "W" ? TSize{200, 90} : TSize{50, 90};
    };
    TFont font;
    TCharmapPrintout printout(font);
    printout.Measure(printer);
    printout.Draw(printer);
    ASSERT_EQ(measured.size(), 224u);
    EXPECT_EQ(measured[0], " ");
    EXPECT_EQ(measured['A' - 32], "A");
    // Code page 1250, as the tests run: 0xE8 is č, 0x9A is š, 0xFF the dot above.
    EXPECT_EQ(measured[0xE8 - 32], "č");
    EXPECT_EQ(measured[0x9A - 32], "š");
    EXPECT_EQ(measured[0xFF - 32], "˙");
    // W (code 87: row 3, column 7) is wider than its cell: it starts 12 to the left.
    const auto texts = printer.Calls("TextOut");
    EXPECT_EQ(texts[87 - 32], "TextOut(" + std::to_string(100 + 7 * 176 - 12) + "," + std::to_string(100 + 3 * 176 + 43) +
                                  ",W)");
    EXPECT_EQ(texts[86 - 32], "TextOut(" + std::to_string(100 + 6 * 176 + 63) + "," + std::to_string(100 + 3 * 176 + 43) +
                                  ",V)");
}

}  // namespace
