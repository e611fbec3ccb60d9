// The real program remembers the user's choices: each one made as a user
// makes it, the program closed, started again and found as it was left.

#include <gtest/gtest.h>

#include "tests/e2e/MainWindow.h"
#include "tests/e2e/StoredSettings.h"
#include "tests/support/Families.h"

namespace {

// The number of families in the list, from the test's own enumeration.
int FamilyCount() { return int(InstalledFamilies().size()); }

// Shows the character map page and returns its grid once it is visible.
HWND ShowCharacterMap(const TMainWindow& w) {
    PressKey(w.tabs, VK_RIGHT);
    HWND grid = nullptr;
    WaitFor([&] { return ::SendMessageW(w.tabs, TCM_GETCURSEL, 0, 0) == 1 && (grid = w.Grid()) != nullptr; });
    return grid;
}

TEST_F(Persistence, EveryChoiceComesBackAtTheNextStart) {
    const std::string memo = "První řádek\r\nDruhý: žluťoučký kůň\r\nTřetí";
    TView left;  // the window as the user left it
    {
        TProgram program;
        ASSERT_NE(program.Main(), nullptr);
        PointerAside();
        const TMainWindow w(program);
        ASSERT_TRUE(w.Complete());
        ASSERT_GT(FamilyCount(), 4);

        // Moved and sized from outside, as a window manager does.
        ASSERT_TRUE(::SetWindowPos(w.main, nullptr, 137, 71, 777, 555, SWP_NOZORDER | SWP_NOACTIVATE));
        Click(w.bold);
        Click(w.underline);
        TypeText(w.sizeEdit, L"24");
        PressKey(w.sizeEdit, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(w.upDown, UDM_GETPOS32, 0, 0) == 24; }));
        w.DragSplitter(74);
        ASSERT_EQ(w.SplitterLeft(), 331);
        Click(w.cache);
        ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(w.cache, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
        ClickAt(w.list, 20, 3 * 36 + 18);  // the fourth row
        ASSERT_TRUE(WaitFor([&] {
            return ::SendMessageW(w.list, LB_GETCURSEL, 0, 0) == 3 && w.FamilyPanel() == ListText(w.list, 3);
        }));
        TypeText(w.memo, L"První řádek\rDruhý: žluťoučký kůň\rTřetí");
        ASSERT_TRUE(WaitFor([&] { return TextOf(w.memo) == memo; }));
        HWND grid = ShowCharacterMap(w);
        ASSERT_NE(grid, nullptr);
        ClickAt(grid, 5 * 23 + 11, 3 * 23 + 11);  // column 5, row 3: code 85
        ASSERT_TRUE(WaitFor([&] { return TextOf(w.decLabel) == "85"; }));
        EXPECT_EQ(TextOf(w.hexLabel), "55");
        left = Look(w);
        EXPECT_EQ(program.Close(), 0);
    }
    const TChoices made{.left = 137,
                        .top = 71,
                        .width = 777,
                        .height = 555,
                        .bold = true,
                        .underline = true,
                        .splitter = 331,
                        .page = "TabSheet1",
                        .size = 24,
                        .cache = false,
                        .family = 3,
                        .row = 3,
                        .col = 5,
                        .memo = memo};
    const TRegistryTree stored = ReadTree(kCompanyKey);
    EXPECT_TRUE(SameTree(stored, Stored(made)));
    {
        TProgram program;
        ASSERT_NE(program.Main(), nullptr);
        const TMainWindow w(program);
        ASSERT_TRUE(w.Complete());
        EXPECT_EQ(Look(w), left);
        EXPECT_EQ(program.Close(), 0);
    }
    // Nothing was touched in the second run, so its close stores what it was
    // given at its start; for the toggles, whose state shows only in how text
    // is drawn, this is how their restoring is seen.
    EXPECT_TRUE(SameTree(ReadTree(kCompanyKey), stored));
}

TEST_F(Persistence, ClosingDuringThePreviewWalkStoresEverythingAndAnEmptiedMemoComesBackWithItsFirstLine) {
    TChoices made;
    TView left;
    {
        TProgram program;
        ASSERT_NE(program.Main(), nullptr);
        PointerAside();
        const TMainWindow w(program);
        ASSERT_TRUE(w.Complete());
        const int last = FamilyCount() - 1;
        ASSERT_GT(last, 0);

        PressKey(w.list, VK_END);
        ASSERT_TRUE(WaitFor([&] {
            return ::SendMessageW(w.list, LB_GETCURSEL, 0, 0) == last && w.FamilyPanel() == ListText(w.list, last);
        }));
        TypeText(w.sizeEdit, L"72");
        PressKey(w.sizeEdit, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(w.upDown, UDM_GETPOS32, 0, 0) == 72; }));
        Click(w.italic);
        TypeText(w.memo, L"\b");
        ASSERT_TRUE(WaitFor([&] { return TextOf(w.memo).empty(); }));
        HWND grid = ShowCharacterMap(w);
        ASSERT_NE(grid, nullptr);
        for (int i = 0; i < 2; ++i) PressKey(grid, VK_RIGHT);
        for (int i = 0; i < 13; ++i) PressKey(grid, VK_DOWN);  // the last row
        ASSERT_TRUE(WaitFor([&] { return TextOf(w.decLabel) == "242"; }));
        EXPECT_EQ(TextOf(w.hexLabel), "F2");
        left = Look(w);
        // The bold toggle starts a new walk over every family, at the largest
        // size; the close, queued right behind the click, arrives while it runs.
        Click(w.bold);
        EXPECT_EQ(program.Close(), 0);

        made = {.left = left.window.left,
                .top = left.window.top,
                .bold = true,
                .italic = true,
                .page = "TabSheet1",
                .size = 72,
                .family = last,
                .row = 13,
                .col = 2,
                .memo = ""};
    }
    EXPECT_TRUE(SameTree(ReadTree(kCompanyKey), Stored(made)));
    {
        TProgram program;
        ASSERT_NE(program.Main(), nullptr);
        const TMainWindow w(program);
        ASSERT_TRUE(w.Complete());
        // An empty text is not applied: the memo keeps its first line.
        TView expected = left;
        expected.memo = kInitialMemo;
        EXPECT_EQ(Look(w), expected);
        // Closed at once, while the walk that the start began still runs.
        EXPECT_EQ(program.Close(), 0);
    }
    made.memo = kInitialMemo;
    EXPECT_TRUE(SameTree(ReadTree(kCompanyKey), Stored(made)));
}

}  // namespace
