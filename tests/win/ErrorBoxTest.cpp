// The application's general error handler shows a stop box captioned with
// the title, with the message and its full stop; then the program goes on.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/core/Exceptions.h"
#include "tests/win/TestControls.h"

namespace {

struct SeenBox {
    std::string caption;
    std::vector<std::string> texts;
    bool hasIcon = false;
    bool found = false;
};

// Waits for a message box of this process, reads it and presses OK.
SeenBox AnswerMessageBox() {
    SeenBox seen;
    for (int tries = 0; tries < 400 && !seen.found; ++tries) {
        ::Sleep(10);
        HWND box = nullptr;
        while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(box, &pid);
            if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(box)) continue;
            seen.found = true;
            seen.caption = WindowText(box);
            for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                wchar_t cls[32] = {};
                ::GetClassNameW(child, cls, 32);
                if (std::wstring(cls) != L"Static") continue;
                if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    seen.hasIcon = true;
                else
                    seen.texts.push_back(WindowText(child));
            }
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            break;
        }
    }
    return seen;
}

TEST(ErrorBox, ShowsTheTextWithItsFullStopUnderTheTitle) {
    const std::string oldTitle = Application->Title();
    Application->SetTitle("Glyphora");
    std::atomic<bool> done{false};
    SeenBox seen;
    std::thread answer([&] {
        seen = AnswerMessageBox();
        done = true;
    });
    HandleException(EConvertError("Invalid value"));  // returns once OK is pressed
    answer.join();
    Application->SetTitle(oldTitle);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Glyphora");
    EXPECT_NE(std::find(seen.texts.begin(), seen.texts.end(), "Invalid value."), seen.texts.end());
    EXPECT_TRUE(seen.hasIcon);
}

// Errors can come before the program has set its title, or before there is
// an application at all: the box is captioned with the program's name anyway.
TEST(ErrorBox, IsCaptionedWithTheProgramsNameBeforeAnyTitleIsSet) {
    TApplication* const running = Application;
    for (const bool withApplication : {true, false}) {
        SCOPED_TRACE(withApplication ? "an application without a title" : "no application");
        Application = nullptr;
        TOwnedPtr<TApplication> fresh(withApplication ? TComponent::Create<TApplication>(nullptr) : nullptr);
        SeenBox seen;
        std::thread answer([&] { seen = AnswerMessageBox(); });
        HandleException(EConvertError("Invalid value"));
        answer.join();
        fresh.reset();
        Application = running;
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.caption, "Glyphora");
        EXPECT_NE(std::find(seen.texts.begin(), seen.texts.end(), "Invalid value."), seen.texts.end());
    }
}

TEST(ErrorBox, AnExceptionHookReplacesTheBox) {
    TExceptionCatcher catcher;
    HandleException(EConvertError("Quiet"));
    EXPECT_EQ(catcher.messages, std::vector<std::string>{"Quiet"});
}

}  // namespace
