#pragma once
// Helpers of the standard-control tests: forms read from text and shown,
// input posted to windows as the user's would arrive, and the message loop.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "tests/support/PumpUntil.h"
#include "tests/win/TestControls.h"

// Handles what is queued, through the application's loop (with its dialog
// navigation), until nothing more comes: posted input may post more, and
// painting follows it.
inline void Pump() { EXPECT_TRUE(PumpUntil(QueueSettled)) << "messages kept coming"; }

// A form read from its text form and shown; freed at the end.
class TShownForm {
public:
    explicit TShownForm(const std::string& text) : form_(Application->CreateFormFrom<TForm>(FormText(text))) {
        form_->Show();
        Pump();
    }
    ~TShownForm() { TComponent::Free(form_); }
    TShownForm(const TShownForm&) = delete;
    TShownForm& operator=(const TShownForm&) = delete;

    TForm* operator->() const { return form_; }
    TForm* Get() const { return form_; }
    template <class T>
    T* Find(const char* name) const {
        return static_cast<T*>(form_->FindComponent(name));
    }

private:
    TForm* form_;
};

// A left click at a client point of the window, as the mouse gives it.
inline void ClickAt(HWND window, int x, int y) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

// A key pressed and released in the window that has the focus, through the
// message loop (so the dialog manager sees it first, as it sees real keys).
inline void PressKey(UINT vk) {
    HWND focus = ::GetFocus();
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::PostMessageW(focus, WM_KEYDOWN, vk, LPARAM(1 | (scan << 16)));
    Pump();
    ::PostMessageW(::GetFocus(), WM_KEYUP, vk, LPARAM(1 | (scan << 16) | 0xC0000000u));
    Pump();
}

// Characters typed into the window that has the focus.
inline void Type(const std::wstring& text) {
    for (wchar_t c : text) ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
    Pump();
}

inline std::wstring WideText(HWND window) {
    std::wstring text(size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

inline RECT ParentRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::vector<LONG> Bounds(HWND window) {
    const RECT r = ParentRect(window);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// A pixel of the window's client area as it is on the screen now.
inline COLORREF PixelOf(HWND window, int x, int y) {
    ::UpdateWindow(window);
    HDC dc = ::GetDC(window);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return c;
}
