// Giving a handle back keeps the thread's last error, also when the close
// itself fails or runs code that sets one: the error a caller reads after a
// failed call must be that call's, whatever owners ended on the way out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/win/Handle.h"
#include "platform/win/Win32.h"

namespace {

constexpr DWORD kCallersError = ERROR_FILE_NOT_FOUND;
constexpr DWORD kCloseSetsError = ERROR_ACCESS_DENIED;

// An event the system refuses to close until it is unprotected.
HANDLE MakeProtectedEvent() {
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event) ::SetHandleInformation(event, HANDLE_FLAG_PROTECT_FROM_CLOSE, HANDLE_FLAG_PROTECT_FROM_CLOSE);
    return event;
}

void FreeProtectedEvent(HANDLE event) {
    ::SetHandleInformation(event, HANDLE_FLAG_PROTECT_FROM_CLOSE, 0);
    ::CloseHandle(event);
}

// A window whose destruction runs code that sets the last error.
LRESULT CALLBACK SettingErrorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) ::SetLastError(kCloseSetsError);
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

HWND MakeErrorSettingWindow() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &SettingErrorProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlyphoraHandleTestErrorSetter";
        return ::RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return ::CreateWindowExW(0, L"GlyphoraHandleTestErrorSetter", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

TEST(Handle, TheClosesOfTheseCasesChangeTheLastErrorWhenCalledRaw) {
    // Without this, the test below would pass with a wrapper that does
    // nothing to keep the error.
    HANDLE event = MakeProtectedEvent();
    ASSERT_NE(event, nullptr);
    ::SetLastError(kCallersError);
    EXPECT_FALSE(::CloseHandle(event));
    EXPECT_NE(::GetLastError(), kCallersError);
    FreeProtectedEvent(event);

    HWND window = MakeErrorSettingWindow();
    ASSERT_NE(window, nullptr);
    ::SetLastError(kCallersError);
    EXPECT_TRUE(::DestroyWindow(window));
    EXPECT_NE(::GetLastError(), kCallersError);
}

TEST(Handle, GivingBackKeepsTheLastErrorOfTheCaller) {
    struct Case {
        const char* how;
        std::function<void()> giveBack;  // makes an owner and ends it
    };
    HANDLE event = MakeProtectedEvent();
    ASSERT_NE(event, nullptr);
    const Case cases[] = {
        {"kernel handle whose close fails, at the end of its owner",
         [&] { const TKernelHandle owner(event); }},
        {"kernel handle replaced by Reset",
         [&] {
             TKernelHandle owner(event);
             owner.Reset();
         }},
        {"kernel handle replaced by a move",
         [&] {
             TKernelHandle owner(event);
             owner = TKernelHandle();
         }},
        {"window whose destruction sets an error",
         [&] {
             const TWindowHandle owner(MakeErrorSettingWindow());
             ASSERT_TRUE(owner);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        ::SetLastError(kCallersError);
        c.giveBack();
        EXPECT_EQ(::GetLastError(), kCallersError);
    }
    FreeProtectedEvent(event);
}

TEST(Handle, AKernelOwnerClosesItsHandleAndAReleasedOneDoesNot) {
    HANDLE closed = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(closed, nullptr);
    { const TKernelHandle owner(closed); }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(closed, &flags));

    HANDLE kept = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(kept, nullptr);
    {
        TKernelHandle owner(kept);
        EXPECT_EQ(owner.Release(), kept);
        EXPECT_FALSE(owner);
    }
    EXPECT_TRUE(::GetHandleInformation(kept, &flags));
    ::CloseHandle(kept);
}

}  // namespace
