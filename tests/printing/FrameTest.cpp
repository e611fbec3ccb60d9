// The printout frame (cursor, waiting, begin and end, errors), the
// sample-text printout and the printer font taken from a screen font.

#include <gtest/gtest.h>

#include "platform/win/Printer.h"
#include "platform/win/Screen.h"
#include "printing/DefaultPrinter.h"
#include "printing/FontListPrintout.h"
#include "printing/SampleTextPrintout.h"
#include "tests/printing/RecordingPrinter.h"

namespace {

TEST(PrinterFont, KeepsWholePointsAndGetsThePrintersPixelHeight) {
    const struct {
        int points, ppi, height;
    } cases[] = {{12, 300, -50}, {16, 300, -67}, {8, 600, -67}, {72, 200, -200}, {9, 96, -12}, {-12, 300, 50}};
    for (const auto& c : cases) EXPECT_EQ(FontHeightAt(c.points, c.ppi), c.height) << c.points << " at " << c.ppi;

    TFont screen;
    screen.SetName("Face");
    screen.SetHeight(-21);  // 16 points at 96 pixels per inch
    screen.SetColor(clRed);
    screen.SetCharset(238);
    screen.SetStyle(TFontStyles{TFontStyle::fsItalic});
    EXPECT_EQ(PrinterFontOf(screen), (TPrinterFont{"Face", 16, TFontStyles{TFontStyle::fsItalic}, clRed, 238}));
}

TEST(SampleTextPrintout, OnePageOfTheWholeTextInTheMarginsWithTheFixedFlags) {
    TRecordingPrinter printer(300, 2479, 3508);
    TFont font;
    font.SetName("Sample");
    font.SetSize(72);
    const std::string text = "A & B\r\n\tC\r\n" + std::string(5000, 'x');
    TSampleTextPrintout printout(text, font);
    EXPECT_EQ(printout.Title(), "Testovací text");
    RunPrintout(printer, printout, {});
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"BeginDoc(Testovací text)",
                                                       "SetFont(Sample,72pt,,-2147483640,1)",
                                                       "DrawText(100,100,2379,3408,2128," + text + ")", "EndDoc"}));
    EXPECT_EQ(SampleTextRect(100, 100), (TRect{100, 100, 0, 0}));  // too small a page prints nothing
}

TEST(PrintoutFrame, BusyWhileWaitingAndDrawingDefaultAfterwards) {
    TRecordingPrinter printer(300, 2479, 3508);
    std::vector<std::string> seen;
    printer.before = [&](const std::string& call) {
        seen.push_back(call + (Screen().Cursor() == crHourGlass ? " busy" : " idle"));
    };
    TFont font;
    const std::vector<std::string> names{"A"};
    TFontListPrintout printout(names, font);
    RunPrintout(printer, printout,
                [&] { seen.push_back(std::string("wait") + (Screen().Cursor() == crHourGlass ? " busy" : " idle")); });
    EXPECT_EQ(seen, (std::vector<std::string>{"wait busy", "BeginDoc busy", "SetFont busy", "SetFontName busy",
                                              "TextOut busy", "EndDoc busy"}));
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST(PrintoutFrame, EveryErrorReachesTheCallerWithTheDefaultCursorBack) {
    for (const char* failing : {"wait", "measure", "BeginDoc", "TextOut", "EndDoc"}) {
        TRecordingPrinter printer(std::string(failing) == "measure" ? 50 : 300, 2479, 3508);
        printer.before = [&](const std::string& call) {
            if (call == failing) throw EPrinter(std::string(errors::kNoDefaultPrinter));
        };
        TFont font;
        const std::vector<std::string> names{"A"};
        TFontListPrintout printout(names, font);
        try {
            RunPrintout(printer, printout, [&] {
                if (std::string(failing) == "wait") throw EPrinter("wait failed");
            });
            ADD_FAILURE() << failing << " passed as success";
        } catch (const Exception&) {
        }
        EXPECT_EQ(Screen().Cursor(), crDefault) << failing;
        // A layout without room prints nothing at all: the document is not begun.
        if (std::string(failing) == "measure") {
            EXPECT_TRUE(printer.calls.empty());
        }
    }
}

TEST(Printer, APrinterThatIsNotThereIsReportedAndNothingIsBegun) {
    TPrinter printer("Glyphora: no such printer");
    EXPECT_THROW(
        {
            try {
                printer.PageWidth();
            } catch (const EPrinter& e) {
                EXPECT_EQ(e.Message(), errors::kNoDefaultPrinter);
                throw;
            }
        },
        EPrinter);
    TDefaultPrinterServices services(printer);
    try {
        services.BeginDoc("Seznam fontů");
        ADD_FAILURE() << "begun without a printer";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), errors::kNoDefaultPrinter);
    }
    EXPECT_FALSE(printer.Printing());
    // Without a job, pages and ends are refused rather than passed as done.
    for (auto step : {&TPrinter::NewPage, &TPrinter::EndDoc}) {
        try {
            (printer.*step)();
            ADD_FAILURE() << "no error without a job";
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.Message(), errors::kNotPrinting);
        }
    }
}

TEST(Printer, JobTitlesKeepTheirFirstThirtyOneCharacters) {
    const struct {
        std::string text, first;
    } cases[] = {
        {"Seznam fontů", "Seznam fontů"},
        {std::string(31, 'a'), std::string(31, 'a')},
        {std::string(32, 'a'), std::string(31, 'a')},
        {"ůůůůůůůůůůůůůůůůůůůůůůůůůůůůůůůůůů", "ůůůůůůůůůůůůůůůůůůůůůůůůůůůůůůů"},  // 34 two-byte characters
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FirstCharacters(c.text, 31), c.first) << c.text;
}

}  // namespace
