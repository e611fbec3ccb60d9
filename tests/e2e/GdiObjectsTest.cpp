// The real program's GDI objects, counted in its own handle table: repeated
// user actions leave the count where it was.

#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/GdiObjects.h"
#include "tests/e2e/MainWindow.h"
#include "tests/e2e/StoredSettings.h"

namespace {

// Objects made once and kept (a cached brush, a font looked up again) may
// appear at any time; a leak grows with the number of actions.
constexpr int kMargin = 4;

// Returns once everything posted to the program before has been handled:
// messages posted to one thread's windows are handled in order.
void Settle(const TMainWindow& w) {
    static int turn = 0;
    const int from = ++turn % 2;
    ::PostMessageW(w.memo, EM_SETSEL, from, from + 1);
    WaitFor([&] {
        DWORD start = 0, end = 0;
        ::SendMessageW(w.memo, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return int(start) == from && int(end) == from + 1;
    });
}

// Waits until the count is back within the margin of `before`; the objects
// as last seen.
TGdiObjects BackTo(const TMainWindow& w, const TGdiObjects& before) {
    Settle(w);
    TGdiObjects now;
    WaitFor([&] {
        now = GdiObjectsOf(w.program.Process());
        return now.read && now.Total() <= before.Total() + kMargin;
    });
    return now;
}

class GdiObjects : public Persistence {};

TEST_F(GdiObjects, ComeBackToTheirCountAfterEveryKindOfRepeatedAction) {
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    const TMainWindow w(program);
    ASSERT_TRUE(w.Complete());
    // Without the cache the previews are dropped once drawn, so the count
    // does not depend on how far the walk has got.
    ::PostMessageW(w.cache, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(w.cache, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));

    const auto phase = [&](const char* name, int times, const std::function<void(int)>& action) {
        action(0);  // a first time may make objects that are kept for good
        Settle(w);
        const TGdiObjects before = GdiObjectsOf(program.Process());
        ASSERT_TRUE(before.read) << "the program's GDI handle table cannot be read";
        for (int i = 1; i <= times; ++i) action(i);
        const TGdiObjects after = BackTo(w, before);
        EXPECT_LE(after.Total(), before.Total() + kMargin)
            << times << ' ' << name << ": from " << before << "\nto " << after;
    };

    const auto width = [](HWND h) {
        RECT r{};
        ::GetWindowRect(h, &r);
        return int(r.right - r.left);
    };
    const int frameWidth = width(w.main), memoWidth = width(w.memo);
    phase("resizes", 100, [&](int i) {
        ::SetWindowPos(w.main, nullptr, 0, 0, frameWidth + 37 * (i % 5 + 1), 500 + 23 * (i % 3),
                       SWP_NOMOVE | SWP_NOZORDER);
    });
    EXPECT_EQ(width(w.memo), memoWidth + 37) << "the views follow the window";

    const HWND toggles[] = {w.bold, w.italic, w.underline};
    phase("style changes", 100, [&](int i) { Click(toggles[i % 3]); });

    // 50 steps up from 16, then 51 down.
    phase("size changes", 100, [&](int i) { PressKey(w.sizeEdit, i < 50 ? VK_UP : VK_DOWN); });
    EXPECT_EQ(TextOf(w.sizeEdit), "15");

    phase("reloads", 20, [&](int) { PressKey(w.list, VK_F5); });

    HWND about = program.ChildWithText("O aplikaci...");
    ASSERT_NE(about, nullptr);
    phase("About boxes", 20, [&](int) {
        Click(about);
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = program.TopLevelTitled("O aplikaci")) != nullptr; }));
        ::PostMessageW(box, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box) && ::IsWindowEnabled(w.main); }));
    });
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
