// The real program, started and driven from outside: its state at start-up,
// keyboard selection in the font list, F5, and an ordinary close.

#include <gtest/gtest.h>

#include "platform/win/WinText.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/FreshStart.h"

namespace {

std::string ListText(HWND list, int index) {
    const LRESULT n = ::SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (n < 0) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buf.data()));
    return Utf8(buf.c_str());
}

void PressKey(HWND target, WPARAM key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

TEST(Program, StartsOnTheFirstFamilyWithCountAndCode32) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr) << "no window titled Glyphora appeared";
    HWND list = program.Child(L"ListBox");
    HWND bar = program.Child(STATUSCLASSNAMEW);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(bar, nullptr);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    EXPECT_GT(count, 1);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(StatusText(program.Process(), bar, 0), "Počet písem: " + std::to_string(count));
    EXPECT_EQ(StatusText(program.Process(), bar, 2), ListText(list, 0));
    EXPECT_NE(program.ChildWithText("32"), nullptr);
    EXPECT_NE(program.ChildWithText("20"), nullptr);
    EXPECT_EQ(program.ChildWithText("000"), nullptr);  // the design captions are gone
    EXPECT_EQ(program.Close(), 0);
}

TEST(Program, ArrowKeysSelectAndF5ReloadsKeepingTheSelection) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    HWND list = program.Child(L"ListBox");
    HWND bar = program.Child(STATUSCLASSNAMEW);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    ASSERT_GT(count, 2);
    PressKey(list, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }));
    ASSERT_TRUE(WaitFor([&] { return StatusText(program.Process(), bar, 2) == ListText(list, 1); }));
    PressKey(list, VK_F5);
    // A reload refills the list; the selection and the panels come back the same.
    ASSERT_TRUE(WaitFor([&] {
        return ::SendMessageW(list, LB_GETCURSEL, 0, 0) == 1 && ::SendMessageW(list, LB_GETCOUNT, 0, 0) == count;
    }));
    EXPECT_EQ(StatusText(program.Process(), bar, 2), ListText(list, 1));
    EXPECT_EQ(StatusText(program.Process(), bar, 0), "Počet písem: " + std::to_string(count));
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
