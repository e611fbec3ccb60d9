// The real program, started and driven from outside: its state at start-up,
// keyboard selection in the font list, F5, and an ordinary close.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/MainWindow.h"
#include "tests/support/Families.h"
#include "tests/support/StoredState.h"

namespace {

TEST(Program, StartsOnTheFirstFamilyWithCountAndCode32) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr) << "no window titled Glyphora appeared";
    HWND list = program.Child(L"ListBox");
    HWND bar = program.Child(STATUSCLASSNAMEW);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(bar, nullptr);
    const std::vector<std::string> families = InstalledFamilies();
    ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), LRESULT(families.size()));
    for (size_t i = 0; i < families.size(); ++i) EXPECT_EQ(ListText(list, int(i)), families[i]) << i;
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(StatusText(program.Process(), bar, 0), "Počet písem: " + std::to_string(families.size()));
    EXPECT_EQ(StatusText(program.Process(), bar, 2), families[0]);
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
    const std::vector<std::string> families = InstalledFamilies();
    const LRESULT count = LRESULT(families.size());
    ASSERT_GT(count, 2);
    PressKey(list, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }));
    ASSERT_TRUE(WaitFor([&] { return StatusText(program.Process(), bar, 2) == families[1]; }));
    PressKey(list, VK_F5);
    // A reload refills the list; the selection and the panels come back the same.
    ASSERT_TRUE(WaitFor([&] {
        return ::SendMessageW(list, LB_GETCURSEL, 0, 0) == 1 && ::SendMessageW(list, LB_GETCOUNT, 0, 0) == count;
    }));
    EXPECT_EQ(StatusText(program.Process(), bar, 2), families[1]);
    EXPECT_EQ(StatusText(program.Process(), bar, 0), "Počet písem: " + std::to_string(count));
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
