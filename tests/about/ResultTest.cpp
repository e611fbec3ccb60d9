// How the About box ends: true for OK, Enter and Esc, false for the close
// box and the system menu; the box is freed whichever way it went.

#include <gtest/gtest.h>

#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "tests/about/AboutTestUtil.h"

namespace {

// The screen point of the frame's close box, found as the system finds it.
bool CloseBoxPoint(HWND window, POINT& at) {
    RECT r;
    ::GetWindowRect(window, &r);
    RECT client;
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    for (int y = r.top; y < origin.y; ++y)
        for (int x = r.right - 1; x >= r.left; --x)
            if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                at = {x, y};
                return true;
            }
    return false;
}

struct TCloseWay {
    const char* name;
    bool expected;
    std::function<void(TAboutDlg&)> close;
};

TEST(AboutResult, OkEnterAndEscAreTrueTheCloseBoxAndSystemMenuFalse) {
    const TCloseWay ways[] = {
        {"the OK button", true,
         [](TAboutDlg& dlg) {
             MovePointerTo(*dlg.OKBtn);
             ClickPointer();
         }},
        {"Enter", true, [](TAboutDlg&) { PressKey(VK_RETURN); }},
        {"Esc", true, [](TAboutDlg&) { PressKey(VK_ESCAPE); }},
        {"the close box", false,
         [](TAboutDlg& dlg) {
             POINT at{};
             ASSERT_TRUE(CloseBoxPoint(dlg.WindowHandle(), at));
             ::SetCursorPos(at.x, at.y);
             ClickPointer();
         }},
        {"Close in the system menu", false,
         [](TAboutDlg& dlg) { ::PostMessageW(dlg.WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", false,
         [](TAboutDlg&) {
             INPUT keys[4]{};
             for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
             keys[0].ki.wVk = keys[3].ki.wVk = VK_MENU;
             keys[1].ki.wVk = keys[2].ki.wVk = VK_F4;
             keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
             ::SendInput(4, keys, sizeof keys[0]);
         }},
    };
    for (const TCloseWay& way : ways) {
        SCOPED_TRACE(way.name);
        bool focusedOk = false;
        const bool result = RunAbout({}, [&](TAboutDlg& dlg) {
            // Keys go to the OK button, which has the focus from the start.
            focusedOk = ::GetFocus() == dlg.OKBtn->WindowHandle();
            way.close(dlg);
        });
        EXPECT_TRUE(focusedOk);
        EXPECT_EQ(result, way.expected);
        EXPECT_EQ(AboutBoxCount(), 0);
        EXPECT_EQ(::FindWindowW(nullptr, L"O aplikaci"), nullptr);
    }
}

}  // namespace
