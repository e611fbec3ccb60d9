// The main window in process, on a real window under Wine: its layout, the
// start-up state, the preview cache and its thread, the style and size
// controls, the character map and the clipboard.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/AppMainForm.h"
#include "platform/win/Application.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"
#include "tests/app/MainFormFile.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/Families.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/StoredState.h"

namespace {

std::string WindowText(HWND hwnd) {
    wchar_t buf[512] = {};
    ::GetWindowTextW(hwnd, buf, 512);
    return Utf8(buf);
}

TEST_F(MainWindow, ControlsLieWhereTheDesignPutsThem) {
    struct Case {
        TControl* control;
        int x, y, w, h;
    };
    const Case cases[] = {
        {form->Panel1, 0, 0, 638, 28},        {form->StatusBar, 0, 454, 638, 19},
        {form->FontList, 0, 28, 257, 426},    {form->Splitter, 257, 28, 2, 426},
        {form->PageControl, 259, 28, 379, 426}, {form->BoldBtn, 3, 3, 23, 22},
        {form->ItalicBtn, 26, 3, 23, 22},     {form->UnderlineBtn, 49, 3, 23, 22},
        {form->SizeEdit, 76, 4, 41, 21},      {form->SizeUpDown, 117, 4, 15, 21},
        {form->ReloadBrn, 157, 3, 73, 22},    {form->PrintBtn, 230, 3, 73, 22},
        {form->AboutBtn, 303, 3, 90, 22},     {form->CacheFontsCheck, 416, 6, 137, 17},
        {form->PreviewPanel, 8, 8, 49, 49},   {form->CopyBtn, 128, 8, 75, 25},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.control, nullptr);
        HWND hwnd = c.control->Handle();
        RECT r{};
        ::GetWindowRect(hwnd, &r);
        ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, c.x) << c.control->Name();
        EXPECT_EQ(r.top, c.y) << c.control->Name();
        EXPECT_EQ(r.right - r.left, c.w) << c.control->Name();
        EXPECT_EQ(r.bottom - r.top, c.h) << c.control->Name();
    }
}

TEST_F(MainWindow, CaptionsAndAccessibleNamesAreTheDesignedTexts) {
    struct Case {
        TControl* control;
        const char* text;
    };
    const Case cases[] = {
        {form->ReloadBrn, "Obnovit"},
        {form->PrintBtn, "Tisk"},
        {form->AboutBtn, "O aplikaci..."},
        {form->BoldBtn, "Tučné"},  // glyph-only: the hint names it
        {form->ItalicBtn, "Kurzíva"},
        {form->UnderlineBtn, "Podržení"},
        {form->CacheFontsCheck, "&Načítat písma dopředu"},
        {form->CopyBtn, "&Kopírovat"},
        {form->Label1, "Dec:"},
        {form->Label2, "Hex:"},
    };
    for (const Case& c : cases) EXPECT_EQ(WindowText(c.control->Handle()), c.text) << c.control->Name();
}

TEST_F(MainWindow, StartsOnTheFirstFamilyAndTheSpace) {
    ASSERT_EQ(form->FontList->Items()->Count(), Families());
    for (int i = 0; i < Families(); ++i) EXPECT_EQ(form->FontList->Items()->Get(i), expected[size_t(i)]) << i;
    EXPECT_EQ(form->FontList->ItemIndex(), 0);
    EXPECT_EQ(form->StatusBar->Panels()->Items(0)->Text(), "Počet písem: " + std::to_string(Families()));
    EXPECT_EQ(form->StatusBar->Panels()->Items(2)->Text(), expected[0]);
    EXPECT_EQ(form->DecLabel->Caption(), "32");
    EXPECT_EQ(form->HexLabel->Caption(), "20");
    EXPECT_EQ(form->PreviewPanel->Caption(), " ");
    EXPECT_EQ(form->TestMemo->Font()->Name(), FaceOfEntry(expected[0]));
    EXPECT_EQ(form->TestMemo->Font()->Size(), 16);
    EXPECT_EQ(form->TestGrid->Cells(15, 13), AnsiCodeToUtf8(255));
}

TEST_F(MainWindow, ThePreviewThreadRendersEveryFamilyThenLetsGo) {
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    EXPECT_EQ(form->CachedCount(), Families());
    for (int i = 0; i < Families(); ++i) {
        const TCompactBitmap* b = form->PreviewBitmap(i);
        ASSERT_NE(b, nullptr) << i;
        EXPECT_TRUE(b->Transparent());
        EXPECT_GT(b->Width(), 0);
    }
}

TEST_F(MainWindow, AStyleToggleMidWalkStartsOverInTheNewStyle) {
    // The walk hands each preview to this thread, so it moves on only while
    // the test handles messages; but one round of them may see it through.
    // It is started afresh until it is caught with some previews made and
    // others not.
    const auto width = [&](int i, bool bold) {
        const std::string& name = expected[size_t(i)];
        return TextWidthOnScreen(FaceOfEntry(name), form->TestMemo->Font()->Size(), bold, Wide(name + " "));
    };
    bool midWalk = false;
    for (int attempt = 0; attempt < 20 && !midWalk; ++attempt) {
        form->CacheFontsCheck->SetChecked(false);
        form->CacheFontsCheck->SetChecked(true);
        ASSERT_TRUE(PumpUntil([&] { return form->CachedCount() > 0; }));
        midWalk = form->BitmapperRunning() && form->CachedCount() < Families();
    }
    ASSERT_TRUE(midWalk) << "the walk was never caught before its end";
    ASSERT_NE(form->PreviewBitmap(0), nullptr);
    EXPECT_EQ(form->PreviewBitmap(0)->Width(), width(0, false));
    form->BoldBtn->Click();
    EXPECT_TRUE(form->BoldBtn->Down());
    EXPECT_TRUE(form->TestMemo->Font()->Style().Has(TFontStyle::fsBold));
    EXPECT_TRUE(form->TestGrid->Font()->Style().Has(TFontStyle::fsBold));
    EXPECT_EQ(form->TestGrid->Font()->Height(), -16);  // the grid never changes size
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    ASSERT_EQ(form->CachedCount(), Families());
    // Every preview has the width of its name in bold. Some faces are as
    // wide in bold as in regular; the check tells the two apart only where
    // they differ, so there must be such a face.
    int telling = 0;
    for (int i = 0; i < Families(); ++i) {
        const int bold = width(i, true), regular = width(i, false);
        if (bold != regular) ++telling;
        const TCompactBitmap* preview = form->PreviewBitmap(i);
        ASSERT_NE(preview, nullptr) << expected[size_t(i)];
        EXPECT_EQ(preview->Width(), bold) << expected[size_t(i)] << " (regular " << regular << ")";
    }
    EXPECT_GT(telling, 0);
    form->BoldBtn->Click();
    EXPECT_FALSE(form->BoldBtn->Down());
    EXPECT_TRUE(form->TestMemo->Font()->Style().Empty());
}

// The face and height of the font that a window answers WM_GETFONT with.
std::pair<std::string, LONG> WindowFont(HWND window) {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return {Utf8(lf.lfFaceName), lf.lfHeight};
}

std::string StatusPanelText(HWND bar, int panel) {
    wchar_t buf[512] = {};
    const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(panel), 0));
    if (length >= 512) return {};
    ::SendMessageW(bar, SB_GETTEXTW, WPARAM(panel), LPARAM(buf));
    return Utf8(buf);
}

TEST_F(MainWindow, ARowClickedDuringTheWalkIsShownAndTheWalkGoesOn) {
    ASSERT_GE(Families(), 3);
    TListBox& list = *form->FontList;
    HWND bar = form->StatusBar->WindowHandle();
    HWND memo = form->TestMemo->WindowHandle();
    const int rowHeight = list.ItemHeight();
    bool midWalk = false;
    for (int attempt = 0; attempt < 20 && !midWalk; ++attempt) {
        form->CacheFontsCheck->SetChecked(false);
        form->CacheFontsCheck->SetChecked(true);
        midWalk = form->BitmapperRunning() && form->CachedCount() < Families();
    }
    ASSERT_TRUE(midWalk) << "the walk was never caught before its end";
    const int before = list.ItemIndex();
    ASSERT_EQ(StatusPanelText(bar, 2), expected[size_t(before)]);
    ASSERT_EQ(WindowFont(memo).first, FaceOfEntry(expected[size_t(before)]));

    // Clicked as the user clicks: mouse messages queued for the list.
    const int row = (before - list.TopIndex() + 2) % std::min(Families() - list.TopIndex(), 3);
    const int index = list.TopIndex() + row;
    ASSERT_NE(index, before);
    const LPARAM at = MAKELPARAM(20, row * rowHeight + rowHeight / 2);
    ::PostMessageW(list.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(list.WindowHandle(), WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(PumpUntil([&] { return StatusPanelText(bar, 2) == expected[size_t(index)]; }));
    EXPECT_EQ(list.ItemIndex(), index);
    EXPECT_EQ(WindowFont(memo), std::make_pair(FaceOfEntry(expected[size_t(index)]),
                                               LONG(-::MulDiv(16, TFont::ScreenPixelsPerInch(), 72))));
    // The click changed the views, not the walk: it goes on to the end.
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    EXPECT_EQ(form->CachedCount(), Families());
    for (int i = 0; i < Families(); ++i) EXPECT_NE(form->PreviewBitmap(i), nullptr) << i;
}

TEST_F(MainWindow, WithTheCacheOffNothingIsKeptAndNoThreadRuns) {
    form->CacheFontsCheck->SetChecked(false);
    EXPECT_FALSE(form->BitmapperRunning());
    EXPECT_EQ(form->CachedCount(), 0);
    form->FontList->Repaint();
    for (int i = 0; i < Families(); ++i) EXPECT_EQ(form->PreviewBitmap(i), nullptr) << i;
    EXPECT_EQ(form->CachedCount(), 0);
    form->CacheFontsCheck->SetChecked(true);
    EXPECT_TRUE(form->BitmapperRunning() || form->CachedCount() == Families());
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    EXPECT_EQ(form->CachedCount(), Families());
}

TEST_F(MainWindow, SizeTextIsTakenOnlyWhenValid) {
    struct Case {
        const char* typed;
        int size;
        const char* shown;
    };
    const Case cases[] = {{"24", 24, "24"}, {"100", 24, "100"}, {"abc", 24, "abc"}, {"8", 8, "8"}, {"", 8, ""}};
    for (const Case& c : cases) {
        form->SizeEdit->SetText(c.typed);
        form->FontPropsChanged(form);
        EXPECT_EQ(form->TestMemo->Font()->Size(), c.size) << c.typed;
        EXPECT_EQ(form->SizeEdit->Text(), c.shown) << c.typed;
    }
    form->WaitForBitmapper();
}

TEST_F(MainWindow, ChosenCellShowsItsCodesAndCopiesItsByte) {
    struct Case {
        int col, row;
        const char *dec, *hex;
        uint8_t byte;
    };
    const Case cases[] = {{0, 0, "32", "20", 0x20}, {15, 13, "255", "FF", 0xFF}, {8, 12, "232", "E8", 0xE8}};
    for (const Case& c : cases) {
        form->TestGrid->SetCol(c.col);
        form->TestGrid->SetRow(c.row);
        form->TestGridClick(form->TestGrid);
        EXPECT_EQ(form->DecLabel->Caption(), c.dec);
        EXPECT_EQ(form->HexLabel->Caption(), c.hex);
        form->Copy(form->CopyBtn);
        EXPECT_EQ(ClipboardGetAnsiText(), std::string(1, static_cast<char>(c.byte))) << c.dec;
    }
    form->WaitForBitmapper();
}

TEST_F(MainWindow, F5ReloadsKeepingTheSelection) {
    form->FontList->SetItemIndex(Families() - 1);
    form->FontListClick(form->FontList);
    uint16_t key = 116;
    form->FormKeyDown(form, key, {});
    EXPECT_EQ(form->FontList->ItemIndex(), Families() - 1);
    EXPECT_EQ(form->FontList->Items()->Count(), Families());
    EXPECT_EQ(form->StatusBar->Panels()->Items(2)->Text(), expected.back());
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    EXPECT_EQ(form->CachedCount(), Families());
}

}  // namespace

#include "app/Tahoma.h"

namespace {

TEST_F(MainWindow, WithoutTahomaTheWindowFontBecomesMsSansSerif) {
    SubstituteTahoma({"Arial", "TAHOMA"});  // present, in any letter case
    EXPECT_EQ(form->Font()->Name(), "Tahoma");
    SubstituteTahoma({"Arial", "Tahoma Bold"});
    EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(form->Font()->Height(), -11);
    // Controls that follow the window follow; those with a font of their own keep it.
    EXPECT_EQ(form->Panel1->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(form->StatusBar->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(form->PreviewPanel->Font()->Name(), FaceOfEntry(expected[0]));
    EXPECT_EQ(form->TestGrid->Font()->Name(), FaceOfEntry(expected[0]));
    EXPECT_EQ(form->TestMemo->Font()->Name(), FaceOfEntry(expected[0]));
}

}  // namespace
