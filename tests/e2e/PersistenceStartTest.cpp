// The real program's start without stored settings and with bad ones: the
// window shows its design values, and the close stores exactly the settings'
// layout, nothing more.

#include <gtest/gtest.h>

#include "tests/e2e/MainWindow.h"
#include "tests/e2e/StoredSettings.h"

namespace {

SIZE ScreenSize() {
    HDC screen = ::GetDC(nullptr);
    const SIZE size{::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, VERTRES)};
    ::ReleaseDC(nullptr, screen);
    return size;
}

// The design view of the window at the place the platform chose, with the
// given font list row selected.
TView DesignView(const TMainWindow& w, POINT at, int selected) {
    TView v;
    v.window = {at.x, at.y, at.x + 646, at.y + 500};
    v.splitterLeft = 257;
    v.listWidth = 257;
    v.sizeText = "16";
    v.sizePosition = 16;
    v.page = 0;
    v.cacheTicked = true;
    v.selected = selected;
    v.selectedName = selected >= 0 ? ListText(w.list, selected) : std::string();
    v.familyPanel = v.selectedName;
    v.dec = "32";
    v.hex = "20";
    v.memo = kInitialMemo;
    return v;
}

// Message boxes of the program that are showing (its error handler's).
int ShownDialogs(const TProgram& program) {
    int dialogs = 0;
    for (HWND h : program.TopLevels()) {
        wchar_t cls[16] = {};
        ::GetClassNameW(h, cls, 16);
        if (wcscmp(cls, L"#32770") == 0) ++dialogs;
    }
    return dialogs;
}

TEST_F(Persistence, FirstRunShowsTheDesignValuesAndItsCloseStoresExactlyTheLayout) {
    ASSERT_TRUE(ReadTree(kCompanyKey).keys.empty()) << "the run must start without stored settings";
    TChoices design;
    {
        TProgram program;
        ASSERT_NE(program.Main(), nullptr);
        const TMainWindow w(program);
        ASSERT_TRUE(w.Complete());
        const TView seen = Look(w);
        // The platform chooses the place; the window lies wholly on the screen.
        const SIZE screen = ScreenSize();
        EXPECT_GE(seen.window.left, 0);
        EXPECT_GE(seen.window.top, 0);
        EXPECT_LE(seen.window.right, screen.cx);
        EXPECT_LE(seen.window.bottom, screen.cy);
        EXPECT_EQ(seen, DesignView(w, {seen.window.left, seen.window.top}, 0));
        design.left = seen.window.left;
        design.top = seen.window.top;
        EXPECT_EQ(program.Close(), 0);
    }
    EXPECT_TRUE(SameTree(ReadTree(kCompanyKey), Stored(design)));
}

TEST_F(Persistence, BadStoredValuesDoNotStopTheStartAndTheCloseReplacesThem) {
    const std::string form = kFormKey, app = kAppKey;
    // Out of range: more families than any system has, a row below the grid,
    // a column left of it. Stored cells outside the grid are ignored.
    Plant(app, "FontList.ItemIndex", Dword(100000));
    Plant(app, "TestGrid.Row", Dword(14));
    Plant(app, "TestGrid.Col", Dword(-1));
    // Of a type or form that gives the setting no usable value.
    Plant(app, "TestMemo.Text", Binary({1, 0, 0, 0, 'x'}));       // kind 1 is never binary
    Plant(form, "Width", Binary({2, 0, 0, 0, 0x20, 0x03, 0, 0}));  // nor is kind 2
    Plant(form, "State", Typed(REG_MULTI_SZ, {'2', 0, 0, 0, 0, 0}));
    Plant(form + "\\BoldBtn", "Down", Binary({4, 0, 0, 0}));  // a boolean without its byte
    Plant(form + "\\Splitter", "Left", Sz("wide"));
    Plant(form + "\\SizeUpDown", "Position", Sz("abc"));
    Plant(form + "\\PageControl", "ActivePage", Dword(1));  // no page is named "1"
    Plant(form + "\\CacheFontsCheck", "Checked", Typed(REG_EXPAND_SZ, regtest::Utf16Sz("False")));

    TChoices design;
    {
        TProgram program;
        ASSERT_NE(program.Main(), nullptr) << "the start-up stopped";
        EXPECT_EQ(ShownDialogs(program), 0) << "an error was reported";
        const TMainWindow w(program);
        ASSERT_TRUE(w.Complete());
        const TView seen = Look(w);
        // No family is selected, so the family panel stays empty; the grid
        // stays on its first cell; everything else keeps its design value.
        EXPECT_EQ(seen, DesignView(w, {seen.window.left, seen.window.top}, -1));
        EXPECT_FALSE(::IsZoomed(w.main));
        design.left = seen.window.left;
        design.top = seen.window.top;
        design.family = -1;
        EXPECT_EQ(program.Close(), 0);
    }
    // Every bad value gave way to a sound one of the right type.
    EXPECT_TRUE(SameTree(ReadTree(kCompanyKey), Stored(design)));
}

}  // namespace
