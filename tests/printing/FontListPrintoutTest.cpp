// The font-list printout's layout, call by call, against a recording printer.

#include <gtest/gtest.h>

#include "printing/FontListPrintout.h"
#include "printing/Printout.h"
#include "tests/printing/RecordingPrinter.h"

namespace {

struct LayoutCase {
    int y, w, h;
    int columnWidth, pitch, rows;
};

TEST(FontListLayout, FollowsTheIntegerFormulasAtEachResolution) {
    const LayoutCase cases[] = {
        {300, 2479, 3508, 1089, 144, 22},  // A4 at 300 dpi: 144 pixels, not 150
        {600, 4958, 7016, 2329, 288, 23},
        {200, 1653, 2338, 676, 72, 29},     // 72 pixels, not 100: the division comes first
        {72, 612, 792, 156, 36, 16},
        {143, 1000, 344, 350, 36, 4},       // 143 div 72 = 1
        {300, 2479, 344, 1089, 144, 1},     // exactly one row
    };
    for (const LayoutCase& c : cases) {
        const TFontListLayout l = FontListLayout(c.y, c.w, c.h, 10);
        EXPECT_EQ(l.columnWidth, c.columnWidth) << c.y;
        EXPECT_EQ(l.pitch, c.pitch) << c.y;
        EXPECT_EQ(l.rows, c.rows) << c.y;
        EXPECT_EQ(l.perPage, 2 * c.rows) << c.y;
        EXPECT_EQ(l.ColumnLeft(0), 100);
        EXPECT_EQ(l.ColumnLeft(1), c.columnWidth + 200);
    }
}

TEST(FontListLayout, CountsPagesWithoutAnEmptyOneAtTheEnd) {
    const struct {
        int count, pages;
    } cases[] = {{0, 0}, {1, 1}, {43, 1}, {44, 1}, {45, 2}, {88, 2}, {89, 3}};
    for (const auto& c : cases) EXPECT_EQ(FontListLayout(300, 2479, 3508, c.count).pages, c.pages) << c.count;
}

TEST(FontListLayout, NoRoomForARowIsAnErrorNotADivisionByZero) {
    const struct {
        int y, h;
        const char* message;
    } cases[] = {
        {71, 3508, "The printer's resolution is too low to print the font list"},
        {0, 3508, "The printer's resolution is too low to print the font list"},
        {300, 343, "The printer's page is too small to print the font list"},
        {300, 150, "The printer's page is too small to print the font list"},
    };
    for (const auto& c : cases) {
        try {
            FontListLayout(c.y, 2479, c.h, 5);
            ADD_FAILURE() << "no error at " << c.y << " dpi, height " << c.h;
        } catch (const EPrintout& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

// A small page: Y = 72 gives a pitch of 36, H = 308 three rows, W = 500 a
// column width of 100, so the columns start at 100 and 300; six per page.
class FontListPrintout : public testing::Test {
protected:
    FontListPrintout() : printer(72, 500, 308) {
        font.SetName("Screen Face");
        font.SetSize(24);
        font.SetStyle(TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline});
    }
    std::vector<std::string> Names(int n) {
        std::vector<std::string> names;
        for (int i = 0; i < n; ++i) names.push_back("F" + std::to_string(i));
        return names;
    }
    // Through the frame the program prints in.
    void Print(const std::vector<std::string>& names) {
        TFontListPrintout printout(names, font);
        RunPrintout(printer, printout, {});
    }
    TFont font;
    TRecordingPrinter printer;
};

TEST_F(FontListPrintout, APageWithNoRoomForARowBeginsNoDocument) {
    TRecordingPrinter tooCoarse(71, 500, 308);
    TFontListPrintout printout(Names(3), font);
    EXPECT_THROW(RunPrintout(tooCoarse, printout, {}), EPrintout);
    EXPECT_TRUE(tooCoarse.calls.empty());
}

TEST_F(FontListPrintout, EmptyListBeginsAndEndsOneEmptyPage) {
    Print({});
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"BeginDoc(Seznam fontů)", "SetFont(Screen Face,24pt,BU,-2147483640,1)",
                                                       "EndDoc"}));
}

TEST_F(FontListPrintout, OneFullPageFillsColumnZeroThenColumnOne) {
    Print(Names(6));
    EXPECT_EQ(printer.Calls("TextOut"),
              (std::vector<std::string>{"TextOut(100,100,F0)", "TextOut(100,136,F1)", "TextOut(100,172,F2)",
                                        "TextOut(300,100,F3)", "TextOut(300,136,F4)", "TextOut(300,172,F5)"}));
    EXPECT_TRUE(printer.Calls("NewPage").empty());
    EXPECT_EQ(printer.calls.back(), "EndDoc");
}

TEST_F(FontListPrintout, OneMoreNameStartsASecondPageAtTheTopOfItsLeftColumn) {
    Print(Names(7));
    const auto& calls = printer.calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(printer.Calls("NewPage").size(), 1u);
    EXPECT_EQ(printer.Calls("TextOut").size(), 7u);
    EXPECT_EQ(calls[calls.size() - 4], "NewPage");
    EXPECT_EQ(calls[calls.size() - 3], "SetFontName(F6)");
    EXPECT_EQ(calls[calls.size() - 2], "TextOut(100,100,F6)");
    EXPECT_EQ(calls.back(), "EndDoc");
}

TEST_F(FontListPrintout, EachNameInItsOwnFaceKeepingSizeAndStyle) {
    const std::vector<std::string> names{"Arial", "Default", "Symbol"};
    TFontListPrintout printout(names, font, [](std::string_view f) {
        return f == "Default" ? std::string("MS Sans Serif") : std::string(f);
    });
    RunPrintout(printer, printout, {});
    EXPECT_EQ(printer.calls, (std::vector<std::string>{
                                 "BeginDoc(Seznam fontů)", "SetFont(Screen Face,24pt,BU,-2147483640,1)",
                                 "SetFontName(Arial)", "TextOut(100,100,Arial)", "SetFontName(MS Sans Serif)",
                                 "TextOut(100,136,Default)", "SetFontName(Symbol)", "TextOut(100,172,Symbol)",
                                 "EndDoc"}));
}

}  // namespace
