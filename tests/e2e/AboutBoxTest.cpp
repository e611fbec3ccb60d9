// The real program's About button: it opens the compact About box modally,
// with the program's name and version and the focus on OK, and Esc closes it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/MainWindow.h"
#include "tests/support/StoredState.h"

namespace {

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

std::vector<std::string> ChildTexts(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&children));
    std::vector<std::string> texts;
    for (HWND w : children) texts.push_back(TextOf(w));
    return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t == text) return true;
    return false;
}

TEST(AboutBox, TheAboutButtonOpensTheCompactBoxModallyAndEscClosesIt) {
    ForgetStoredState();
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    HWND button = program.ChildWithText("O aplikaci...");
    ASSERT_NE(button, nullptr);
    // Posted: the click runs the box's own message loop until the box ends.
    Click(button);

    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = program.TopLevelTitled("O aplikaci")) != nullptr; }));
    RECT client{};
    ::GetClientRect(box, &client);
    EXPECT_EQ(client.right, 296);
    EXPECT_EQ(client.bottom, 184);
    const std::vector<std::string> texts = ChildTexts(box);
    for (const char* text : {"Glyphora", "Verze 2.10", "Kontakt:", "E-mail:", "WWW:", "OK"})
        EXPECT_TRUE(Has(texts, text)) << text;
    // Modal: the main window takes no input while the box is up.
    EXPECT_FALSE(::IsWindowEnabled(program.Main()));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &gui));
    ASSERT_NE(gui.hwndFocus, nullptr);
    EXPECT_EQ(TextOf(gui.hwndFocus), "OK");

    PressKey(gui.hwndFocus, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(program.Main()) != FALSE; }));
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
