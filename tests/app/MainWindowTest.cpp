// The main window in process, on a real window under Wine: its layout, the
// start-up state, the preview cache and its thread, the style and size
// controls, the character map and the clipboard.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "app/AppMainForm.h"
#include "app/FontFamilies.h"
#include "platform/win/Application.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Win32.h"
#include "tests/app/StoredState.h"
#include "platform/win/WinText.h"

namespace {

std::vector<uint8_t> ReadMainForm() {
    const char* source = std::getenv("GLYPHORA_SOURCE_DIR");
    if (!source) return {};
    std::ifstream in(std::string(source) + "/app/MainForm.dfm", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Pumps messages until `done` holds; false after a generous limit.
bool PumpUntil(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::string WindowText(HWND hwnd) {
    wchar_t buf[512] = {};
    ::GetWindowTextW(hwnd, buf, 512);
    return Utf8(buf);
}

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        const auto data = ReadMainForm();
        ASSERT_FALSE(data.empty()) << "GLYPHORA_SOURCE_DIR must name the source tree";
        ForgetStoredState();
        form = Application->CreateFormFrom<TMainForm>(data);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        TComponent::Free(form);
        ForgetStoredState();
    }

    int Families() const { return static_cast<int>(FontFamilies().size()); }
    TMainForm* form = nullptr;
};

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
    EXPECT_EQ(form->FontList->Items()->Count(), Families());
    EXPECT_EQ(form->FontList->ItemIndex(), 0);
    EXPECT_EQ(form->StatusBar->Panels()->Items(0)->Text(), "Počet písem: " + std::to_string(Families()));
    EXPECT_EQ(form->StatusBar->Panels()->Items(2)->Text(), FontFamilies()[0]);
    EXPECT_EQ(form->DecLabel->Caption(), "32");
    EXPECT_EQ(form->HexLabel->Caption(), "20");
    EXPECT_EQ(form->PreviewPanel->Caption(), " ");
    EXPECT_EQ(form->TestMemo->Font()->Name(), FaceForFamily(FontFamilies()[0]));
    EXPECT_EQ(form->TestMemo->Font()->Size(), 16);
    EXPECT_EQ(form->TestGrid->Cells(15, 13), AnsiCodeToUtf8(255));
}

TEST_F(MainWindow, ThePreviewThreadRendersEveryFamilyThenLetsGo) {
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    EXPECT_EQ(form->CachedCount(), Families());
    for (int i = 0; i < Families(); ++i) {
        const TBitmap* b = form->PreviewBitmap(i);
        ASSERT_NE(b, nullptr) << i;
        EXPECT_TRUE(b->Transparent());
        EXPECT_GT(b->Width(), 0);
    }
}

TEST_F(MainWindow, AStyleToggleMidWalkStartsOverInTheNewStyle) {
    const int regularHeight = [&] {
        PumpUntil([&] { return form->PreviewBitmap(0) != nullptr; });
        return form->PreviewBitmap(0)->Height();
    }();
    form->BoldBtn->Click();
    EXPECT_TRUE(form->BoldBtn->Down());
    EXPECT_TRUE(form->TestMemo->Font()->Style().Has(TFontStyle::fsBold));
    EXPECT_TRUE(form->TestGrid->Font()->Style().Has(TFontStyle::fsBold));
    EXPECT_EQ(form->TestGrid->Font()->Height(), -16);  // the grid never changes size
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    EXPECT_EQ(form->CachedCount(), Families());
    EXPECT_GE(form->PreviewBitmap(0)->Height(), regularHeight);
    form->BoldBtn->Click();
    EXPECT_FALSE(form->BoldBtn->Down());
    EXPECT_TRUE(form->TestMemo->Font()->Style().Empty());
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
    EXPECT_EQ(form->StatusBar->Panels()->Items(2)->Text(), FontFamilies().back());
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
    EXPECT_EQ(form->PreviewPanel->Font()->Name(), FaceForFamily(FontFamilies()[0]));
    EXPECT_EQ(form->TestGrid->Font()->Name(), FaceForFamily(FontFamilies()[0]));
    EXPECT_EQ(form->TestMemo->Font()->Name(), FaceForFamily(FontFamilies()[0]));
}

}  // namespace
