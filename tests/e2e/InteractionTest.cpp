// The real program driven as a user would: toggles and the cache option while
// the preview walk runs, the size box, and copying a character.

#include <gtest/gtest.h>

#include "platform/win/WinText.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/FreshStart.h"

namespace {

void Click(HWND target) {
    RECT r{};
    ::GetClientRect(target, &r);
    const LPARAM centre = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    ::PostMessageW(target, WM_LBUTTONUP, 0, centre);
}

void PressKey(HWND target, WPARAM key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Replaces the edit's text by typing, as a user would. Everything is posted,
// so it keeps its order with the keys posted before and after it (a sent
// WM_SETTEXT would overtake keys still waiting in the queue).
void TypeText(HWND edit, const wchar_t* text) {
    ::PostMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* c = text; *c; ++c) ::PostMessageW(edit, WM_CHAR, WPARAM(*c), 1);
}

std::string ClipboardByte() {
    if (!::OpenClipboard(nullptr)) return "(busy)";
    std::string out = "(none)";
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(h))) {
            out = p;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return out;
}

TEST(Interaction, TogglesAndTheCacheOptionDuringTheWalkLeaveTheProgramResponsive) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    HWND bold = program.ChildWithText("Tučné");
    HWND check = program.ChildWithText("&Načítat písma dopředu");
    ASSERT_NE(bold, nullptr);
    ASSERT_NE(check, nullptr);
    for (int i = 0; i < 3; ++i) Click(bold);
    ::PostMessageW(check, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    ::PostMessageW(check, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    // Closing in the middle of a new walk ends promptly and cleanly.
    EXPECT_EQ(program.Close(), 0);
}

TEST(Interaction, SizeBoxKeepsInvalidTextAndTheArrowsStayInRange) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    HWND edit = program.Child(L"Edit");
    HWND updown = program.Child(UPDOWN_CLASSW);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(updown, nullptr);
    // Valid text is taken on Enter; invalid text leaves the value where it was.
    // Every reading of the size takes valid text, also one by a preview that
    // renders between two typed keys: so the texts typed here are invalid
    // until their last key.
    TypeText(edit, L"24");
    PressKey(edit, VK_RETURN);
    TypeText(edit, L"73");
    PressKey(edit, VK_RETURN);
    PressKey(edit, VK_DOWN);  // a step from the kept value 24, not from 73
    ASSERT_TRUE(WaitFor([&] { return TextOf(edit) == "23"; }))
        << TextOf(edit) << " / " << ::SendMessageW(updown, UDM_GETPOS32, 0, 0);
    TypeText(edit, L"72");
    PressKey(edit, VK_RETURN);
    PressKey(edit, VK_UP);  // already at the top: no wrap-around
    ASSERT_TRUE(WaitFor([&] { return TextOf(edit) == "72"; }));
    EXPECT_EQ(::SendMessageW(updown, UDM_GETPOS32, 0, 0), 72);
    PressKey(edit, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return TextOf(edit) == "71"; }));
    EXPECT_EQ(program.Close(), 0);
}

TEST(Interaction, EnterInTheCharacterMapCopiesTheChosenByte) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    HWND tabs = program.Child(WC_TABCONTROLW);
    ASSERT_NE(tabs, nullptr);
    // The arrow key moves to the next tab as a click on it would.
    PressKey(tabs, VK_RIGHT);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1; }));
    HWND dec = program.ChildWithText("32");
    ASSERT_NE(dec, nullptr);
    HWND grid = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        grid = program.Child(L"TStringGrid");
        return grid && ::IsWindowVisible(grid);
    }));
    PressKey(grid, VK_RIGHT);
    PressKey(grid, VK_DOWN);  // column 1, row 1: code 49
    ASSERT_TRUE(WaitFor([&] { return TextOf(dec) == "49"; }));
    ::OpenClipboard(nullptr), ::EmptyClipboard(), ::CloseClipboard();
    // While this test looks at the clipboard the program cannot open it and
    // skips the copy, as it should; so Enter is pressed again until it lands.
    int polls = 0;
    ASSERT_TRUE(WaitFor([&] {
        if (polls++ % 25 == 0) PressKey(grid, VK_RETURN);
        return ClipboardByte() == "1";
    }));
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
