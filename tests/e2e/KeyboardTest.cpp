// The real program without a mouse: Tab and Shift+Tab walk the controls in
// their tab order, into the notebook and the page it shows, and Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch pages wherever the focus is.
// Keys and clicks are real input through the X server.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/MainWindow.h"
#include "tests/e2e/RealInput.h"
#include "tests/support/StoredState.h"

namespace {

using namespace std::chrono_literals;

// Polls for `done` for a short while: a key the program ignores must not
// hold the run up for long.
bool SoonHolds(const std::function<bool()>& done, std::chrono::milliseconds limit = 3000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(w.Complete());
        copy = program.ChildWithText("&Kopírovat");
        grid = program.Child(L"TStringGrid");
        ASSERT_NE(copy, nullptr);
        ASSERT_NE(grid, nullptr);
        names = {{w.list, "list"}, {w.tabs, "notebook"}, {w.memo, "memo"},  {w.sizeEdit, "size"},
                 {w.cache, "check"}, {grid, "grid"},     {copy, "copy"},     {w.upDown, "arrows"}};
        PointerAside();
        ASSERT_TRUE(SoonHolds([&] { return FocusIn(w.main) == w.list; }, 10000ms)) << "the list has the focus at start";
        ASSERT_TRUE(SoonHolds([] { return KeysGoTo("Glyphora"); }, 10000ms)) << "the keyboard reaches the window";
    }
    void TearDown() override { EXPECT_EQ(program.Close(), 0); }

    std::string Name(HWND window) const {
        if (!window) return "(none)";
        const auto it = names.find(window);
        return it == names.end() ? "(other)" : it->second;
    }
    std::string Focused() const { return Name(FocusIn(w.main)); }
    int Page() const { return int(::SendMessageW(w.tabs, TCM_GETCURSEL, 0, 0)); }

    // Presses the keys `count` times; after each press the name of the
    // control that took the focus, once the focus has moved and settled.
    std::vector<std::string> Walk(const std::string& keys, int count) {
        std::vector<std::string> visited;
        for (int i = 0; i < count; ++i) {
            const HWND before = FocusIn(w.main);
            EXPECT_TRUE(XdoTool("key " + keys));
            SoonHolds([&] { return FocusIn(w.main) != before; });
            std::this_thread::sleep_for(50ms);
            visited.push_back(Focused());
        }
        return visited;
    }

    // A real click on the control: in the middle of its window, or on the
    // notebook's first tab, which lies at its top left corner.
    void ClickOn(HWND window) {
        RECT r{};
        ::GetWindowRect(window, &r);
        const bool tab = window == w.tabs;
        const int x = tab ? r.left + 12 : (r.left + r.right) / 2, y = tab ? r.top + 10 : (r.top + r.bottom) / 2;
        ASSERT_TRUE(XdoTool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1"));
        EXPECT_TRUE(SoonHolds([&] { return FocusIn(w.main) == window; })) << Name(window);
        PointerAside();
    }

    // Every test starts from the design state: the stored one goes before
    // the program starts.
    struct TFresh {
        TFresh() { ForgetStoredState(); }
    } fresh;
    TProgram program;
    TMainWindow w{program};
    HWND copy = nullptr, grid = nullptr;
    std::map<HWND, std::string> names;
};

using Names = std::vector<std::string>;

TEST_F(KeyboardTest, TabAndShiftTabFollowTheTabOrderOnBothPagesAndSkipTheHiddenOne) {
    ASSERT_EQ(Page(), 0);
    EXPECT_EQ(Walk("Tab", 5), (Names{"notebook", "memo", "size", "check", "list"}));
    EXPECT_EQ(Walk("shift+Tab", 5), (Names{"check", "size", "memo", "notebook", "list"}));
    EXPECT_EQ(Page(), 0) << "Tab alone never switches pages";

    // The arrows on the focused notebook choose the other page.
    EXPECT_EQ(Walk("Tab", 1), Names{"notebook"});
    ASSERT_TRUE(XdoTool("key Right"));
    ASSERT_TRUE(SoonHolds([&] { return Page() == 1; }));
    EXPECT_EQ(Focused(), "notebook");
    EXPECT_EQ(Walk("Tab", 6), (Names{"grid", "copy", "size", "check", "list", "notebook"}));
    EXPECT_EQ(Walk("shift+Tab", 6), (Names{"list", "check", "size", "copy", "grid", "notebook"}));
    EXPECT_EQ(Page(), 1);
}

TEST_F(KeyboardTest, AfterAClickOnATabTabGoesIntoItsPage) {
    ASSERT_TRUE(XdoTool("key ctrl+Tab"));
    ASSERT_TRUE(SoonHolds([&] { return Page() == 1; }));
    ClickOn(w.tabs);
    EXPECT_TRUE(SoonHolds([&] { return Page() == 0; }));
    EXPECT_EQ(Walk("Tab", 1), Names{"memo"});
    EXPECT_EQ(Walk("shift+Tab", 2), (Names{"notebook", "list"}));
}

TEST_F(KeyboardTest, CtrlTabAndCtrlPageKeysSwitchPagesFromAnywhereInTheWindow) {
    const std::string memoText = TextOf(w.memo);
    const struct {
        HWND from;  // clicked first; null: where the focus is
        const char* keys;
        int page;  // afterwards
    } cases[] = {
        {w.list, "ctrl+Tab", 1},          {nullptr, "ctrl+Tab", 0},         {nullptr, "ctrl+shift+Tab", 1},
        {nullptr, "ctrl+shift+Tab", 0},   {nullptr, "ctrl+Next", 1},        {nullptr, "ctrl+Prior", 0},
        {w.sizeEdit, "ctrl+Next", 1},     {nullptr, "ctrl+Prior", 0},       {w.memo, "ctrl+Tab", 1},
        {grid, "ctrl+shift+Tab", 0},      {nullptr, "ctrl+Tab", 1},         {grid, "ctrl+Prior", 0},
        {w.tabs, "ctrl+Next", 1},         {nullptr, "ctrl+shift+Tab", 0},
        // Without Ctrl the keys do what they do in the focused control.
        {w.list, "Next", 0},              {w.tabs, "Tab", 0},
    };
    for (const auto& c : cases) {
        if (c.from) ClickOn(c.from);
        const HWND before = FocusIn(w.main);
        const int pageBefore = Page();
        const bool onPage = before == w.memo || before == grid;
        SCOPED_TRACE(std::string(c.keys) + " from " + Name(before));
        ASSERT_TRUE(XdoTool("key " + std::string(c.keys)));
        EXPECT_TRUE(SoonHolds([&] { return Page() == c.page; }, c.page == pageBefore ? 300ms : 3000ms));
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(Page(), c.page);
        // Where the focus was outside the pages it stays; from the page that
        // went it moves to a window that can be seen.
        const HWND after = FocusIn(w.main);
        if (!onPage && std::string(c.keys) != "Tab")
            EXPECT_EQ(Name(after), Name(before));
        else
            EXPECT_TRUE(after && ::IsWindowVisible(after)) << Name(after);
    }
    EXPECT_EQ(TextOf(w.memo), memoText) << "Ctrl+Tab types nothing into the memo";
}

}  // namespace
