// The real program driven as a user would: toggles and the cache option while
// the preview walk runs, the size box, and copying a character.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/WinText.h"
#include "tests/e2e/MainWindow.h"
#include "tests/support/Families.h"
#include "tests/support/StoredState.h"

namespace {

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

// Where the memo lays out its character `index`, from its left edge to the
// right, in its own client coordinates: the widths of the characters before
// it, in the memo's font, as the memo measures them.
int MemoX(HWND memo, int index) { return short(LOWORD(::SendMessageW(memo, EM_POSFROMCHAR, index, 0))); }

TEST(Interaction, ThreeBoldClicksLeaveTheSampleInBoldAndTheProgramResponsive) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    const TMainWindow w(program);
    ASSERT_TRUE(w.Complete());
    // The sample text's first word at the memo's 16 points: its width in the
    // memo tells the weight. A word, for the memo breaks lines only between
    // words, and differently by weight. The family is one of the list that
    // is wider in bold, written across (not an '@' face, set for vertical
    // text, which the memo lays out otherwise).
    const std::wstring text = Wide(TextOf(w.memo));
    const int length = int(text.find(L' '));
    ASSERT_GT(length, 0) << "the sample text has no first word";
    const std::wstring word = text.substr(0, size_t(length));
    const std::vector<std::string> families = InstalledFamilies();
    int row = -1, regular = 0, bold = 0;
    for (size_t i = 1; i < families.size() && row < 0; ++i) {
        const std::string face = FaceOfEntry(families[i]);
        regular = TextWidthOnScreen(face, 16, false, word);
        bold = TextWidthOnScreen(face, 16, true, word);
        if (face[0] != '@' && bold != regular) row = int(i);
    }
    ASSERT_GT(row, 0) << "no family here is wider in bold";
    ::SendMessageW(w.list, LB_SETCURSEL, WPARAM(row - 1), 0);
    PressKey(w.list, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return w.FamilyPanel() == families[size_t(row)]; }));
    const auto sampleWidth = [&] { return MemoX(w.memo, length) - MemoX(w.memo, 0); };
    ASSERT_TRUE(WaitFor([&] { return sampleWidth() == regular; }))
        << sampleWidth() << " != " << regular << " in " << families[size_t(row)];

    // Bold on, off and on again: each click starts the preview walk over.
    for (int i = 0; i < 3; ++i) Click(w.bold);
    EXPECT_TRUE(WaitFor([&] { return sampleWidth() == bold; }))
        << sampleWidth() << ", not the bold " << bold << " (regular " << regular << ")";
    ::PostMessageW(w.cache, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(w.cache, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    ::PostMessageW(w.cache, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(w.cache, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    EXPECT_EQ(sampleWidth(), bold);
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
