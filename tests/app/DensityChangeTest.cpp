// The main window moved to a monitor of another density (WM_DPICHANGED, as
// the system sends it, with the new density and the suggested rectangle):
// the layout comes again from the design, the previews are rendered for the
// new density, and the user's choices stay.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppMainForm.h"
#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/Density.h"
#include "tests/support/Families.h"
#include "tests/support/PumpUntil.h"

namespace {

RECT InParent(const TControl* control) {
    RECT r{};
    ::GetWindowRect(control->WindowHandle(), &r);
    ::MapWindowPoints(nullptr, ::GetParent(control->WindowHandle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int LogicalHeight(HFONT font) {
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof lf, &lf);
    return lf.lfHeight;
}

// The cell height of `face` at `height` pixels, as GDI makes the font.
int CellHeight(const std::string& face, int height, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    Wide(face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&lf);
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, font);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen, &tm);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(font);
    return tm.tmHeight;
}

int TextWidth(HFONT font, const std::string& text) {
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, font);
    const std::wstring wide = Wide(text);
    SIZE size{};
    ::GetTextExtentPoint32W(screen, wide.c_str(), int(wide.size()), &size);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return size.cx;
}

class DensityChange : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    }

    // Sends what the system sends when the window has been moved to a
    // monitor of `ppi`: the window is put where the system suggests, here
    // the scaled size as far as the test screen holds it.
    RECT MoveToDensity(int ppi) {
        const RECT suggested{4, 2, 4 + std::min(ScaleFromDesign(646, ppi), 1000),
                             2 + std::min(ScaleFromDesign(500, ppi), 760)};
        ::SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(ppi, ppi), reinterpret_cast<LPARAM>(&suggested));
        Application->ProcessMessages();
        return suggested;
    }

    // Every designed length at `ppi`.
    void ExpectLayoutAt(int ppi) {
        auto S = [ppi](int v) { return ScaleFromDesign(v, ppi); };
        RECT client{};
        ::GetClientRect(form->Handle(), &client);
        const int cw = client.right, ch = client.bottom;
        const int barHeight = InParent(form->StatusBar).bottom - InParent(form->StatusBar).top;
        const int middle = ch - S(28) - barHeight;
        struct Case {
            TControl* control;
            int x, y, w, h;
        };
        const Case cases[] = {
            {form->Panel1, 0, 0, cw, S(28)},
            {form->StatusBar, 0, ch - barHeight, cw, barHeight},
            {form->FontList, 0, S(28), S(257), middle},
            {form->Splitter, S(257), S(28), S(2), middle},
            {form->PageControl, S(257) + S(2), S(28), cw - S(257) - S(2), middle},
            {form->BoldBtn, S(3), S(3), S(23), S(22)},
            {form->ItalicBtn, S(26), S(3), S(23), S(22)},
            {form->UnderlineBtn, S(49), S(3), S(23), S(22)},
            {form->SizeEdit, S(76), S(4), S(41), S(21)},
            {form->SizeUpDown, S(117), S(4), S(15), S(21)},
            {form->ReloadBrn, S(157), S(3), S(73), S(22)},
            {form->PrintBtn, S(230), S(3), S(73), S(22)},
            {form->AboutBtn, S(303), S(3), S(90), S(22)},
            {form->CacheFontsCheck, S(416), S(6), S(137), S(17)},
            {form->PreviewPanel, S(8), S(8), S(49), S(49)},
            {form->CopyBtn, S(128), S(8), S(75), S(25)},
        };
        for (const Case& c : cases) {
            const RECT r = InParent(c.control);
            EXPECT_EQ(r.left, c.x) << c.control->Name() << " at " << ppi;
            EXPECT_EQ(r.top, c.y) << c.control->Name() << " at " << ppi;
            EXPECT_EQ(r.right - r.left, c.w) << c.control->Name() << " at " << ppi;
            EXPECT_EQ(r.bottom - r.top, c.h) << c.control->Name() << " at " << ppi;
        }
        EXPECT_EQ(barHeight, S(19));
        for (TLabel* label : {form->Label1, form->Label2, form->DecLabel, form->HexLabel})
            EXPECT_EQ(label->Left(), S(label == form->Label1 || label == form->Label2 ? 64 : 96)) << label->Name();
        EXPECT_EQ(form->Label2->Top(), S(24));
        EXPECT_EQ(::SendMessageW(form->FontList->Handle(), LB_GETITEMHEIGHT, 0, 0), S(36));
        EXPECT_EQ(form->TestGrid->DefaultColWidth(), S(22));
        EXPECT_EQ(form->TestGrid->DefaultRowHeight(), S(22));
        EXPECT_EQ(form->TestGrid->ColCount(), 16);
        EXPECT_EQ(form->TestGrid->RowCount(), 14);
        EXPECT_EQ(form->Splitter->MinSize(), S(30));
        int parts[3] = {};
        ::SendMessageW(form->StatusBar->Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts));
        EXPECT_EQ(parts[0], S(100));
        EXPECT_EQ(parts[1], S(100) + S(100));
        // Heights given in pixels.
        EXPECT_EQ(LogicalHeight(form->Font()->Handle()), -S(11));
        EXPECT_EQ(LogicalHeight(form->PreviewPanel->Font()->Handle()), -S(32));
        EXPECT_EQ(LogicalHeight(form->TestGrid->Font()->Handle()), -S(16));
    }

    const std::vector<std::string>& families = expected;
};

TEST_F(DensityChange, TheLayoutFollowsTheDesignToEachDensityAndBack) {
    for (const int ppi : {144, 192, 96}) {
        const RECT suggested = MoveToDensity(ppi);
        RECT now{};
        ::GetWindowRect(form->Handle(), &now);
        EXPECT_EQ(std::vector<LONG>({now.left, now.top, now.right, now.bottom}),
                  std::vector<LONG>({suggested.left, suggested.top, suggested.right, suggested.bottom}))
            << ppi;
        ExpectLayoutAt(ppi);
    }
}

TEST_F(DensityChange, PreviewsAndTheSampleFontAreMadeForTheNewDensity) {
    ASSERT_GE(families.size(), 2u);
    form->FontList->SetItemIndex(1);
    form->FontListClick(form);
    form->BoldBtn->Click();
    form->TestMemo->SetText("Příliš žluťoučký kůň");
    form->TestGrid->SetCol(5);
    form->TestGrid->SetRow(3);
    form->TestGridClick(form);
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));

    MoveToDensity(144);
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    for (size_t i = 0; i < families.size() && i < 4; ++i) {
        const TCompactBitmap* preview = form->PreviewBitmap(int(i));
        ASSERT_NE(preview, nullptr) << families[i];
        // 16 points at 144 pixels per inch.
        EXPECT_EQ(preview->Height(), CellHeight(FaceOfEntry(families[i]), -32, true)) << families[i];
    }
    EXPECT_EQ(form->TestMemo->Font()->Height(), -32);
    EXPECT_EQ(form->TestMemo->Font()->Size(), 16);  // what a printout copies

    // The user's choices are where they were.
    EXPECT_EQ(form->FontList->ItemIndex(), 1);
    EXPECT_EQ(form->StatusBar->Panels()->Items(2)->Text(), families[1]);
    EXPECT_TRUE(form->BoldBtn->Down());
    EXPECT_EQ(form->TestMemo->Text(), "Příliš žluťoučký kůň");
    EXPECT_EQ(form->TestGrid->Col(), 5);
    EXPECT_EQ(form->TestGrid->Row(), 3);
    EXPECT_EQ(form->DecLabel->Caption(), std::to_string(5 * 16 + 5));
    EXPECT_EQ(form->SizeEdit->Text(), "16");
}

TEST_F(DensityChange, AWidthTheUserChoseIsCarriedOverInProportion) {
    form->FontList->SetWidth(300);  // as the splitter or the stored settings leave it
    form->Panel1->SetHeight(28);    // the design's own value stays the design's
    MoveToDensity(192);
    EXPECT_EQ(form->FontList->Width(), 600);
    EXPECT_EQ(form->Panel1->Height(), 56);
    MoveToDensity(144);
    EXPECT_EQ(form->FontList->Width(), 450);
    EXPECT_EQ(form->Panel1->Height(), 42);
}

TEST_F(DensityChange, NoCaptionIsCutAtTheNewDensities) {
    for (const int ppi : {144, 192}) {
        MoveToDensity(ppi);
        // Speed buttons: glyph, spacing and caption side by side.
        for (TSpeedButton* b : {form->ReloadBrn, form->PrintBtn, form->AboutBtn})
            EXPECT_LE(ScaleFromDesign(16, ppi) + ScaleFromDesign(4, ppi) + TextWidth(b->Font()->Handle(), b->Caption()),
                      b->Width())
                << b->Name() << " at " << ppi;
        const int box = ::GetSystemMetrics(SM_CXMENUCHECK);
        EXPECT_LE(box + TextWidth(form->CacheFontsCheck->Font()->Handle(), "Načítat písma dopředu"),
                  form->CacheFontsCheck->Width())
            << ppi;
        EXPECT_LT(TextWidth(form->CopyBtn->Font()->Handle(), "Kopírovat"), form->CopyBtn->Width()) << ppi;
    }
}

}  // namespace
