#include "tests/about/AboutTestUtil.h"

#include <gtest/gtest.h>

#include <exception>
#include <utility>

#include "platform/win/Application.h"
#include "platform/win/Win32.h"

namespace {

struct TPendingScript {
    const std::function<void(TAboutDlg&)>* script = nullptr;
    UINT_PTR timer = 0;
};
TPendingScript g_pending;

TAboutDlg* ShownAboutBox() {
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* dlg = Application->Components(i)->As<TAboutDlg>();
        if (dlg && dlg->HandleAllocated() && ::IsWindowVisible(dlg->WindowHandle())) return dlg;
    }
    return nullptr;
}

void CALLBACK RunPendingScript(HWND, UINT, UINT_PTR, DWORD) {
    TAboutDlg* dlg = ShownAboutBox();
    if (!dlg || !g_pending.script) return;
    ::KillTimer(nullptr, g_pending.timer);
    const auto* script = std::exchange(g_pending.script, nullptr);
    try {
        (*script)(*dlg);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "the script failed: " << e.what();
    }
    // A script that stopped at a failed check may not have ended the box;
    // one that did end it may have done so with input still on its way.
    HWND window = dlg->WindowHandle();
    if (testing::Test::HasFailure() && !PumpUntil([&] { return !::IsWindowVisible(window); }))
        ::PostMessageW(window, WM_CLOSE, 0, 0);
}

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

}  // namespace

bool RunAbout(const TAboutTexts& texts, const std::function<void(TAboutDlg&)>& script) {
    g_pending.script = &script;
    g_pending.timer = ::SetTimer(nullptr, 0, 10, &RunPendingScript);
    const bool result = ShowAboutDlg(texts.name, texts.version, texts.copyright, texts.additional, texts.email, texts.web);
    if (g_pending.script) {
        ::KillTimer(nullptr, g_pending.timer);
        g_pending.script = nullptr;
        ADD_FAILURE() << "the About box never showed";
    }
    return result;
}

void MovePointerTo(const TControl& control) { MovePointerTo(control, control.Width() / 2, control.Height() / 2); }

namespace {

// The screen point of the last mouse move this thread took from its queue.
POINT g_lastMove{-100000, -100000};

LRESULT CALLBACK WatchMouse(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == WM_MOUSEMOVE) g_lastMove = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->pt;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void MovePointerTo(const TControl& control, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(control.WindowHandle(), &p);
    HHOOK hook = ::SetWindowsHookExW(WH_MOUSE, &WatchMouse, nullptr, ::GetCurrentThreadId());
    g_lastMove = {-100000, -100000};
    ::SetCursorPos(p.x, p.y);
    // A move of nothing from there: the mouse message for the new place.
    SendMouse(MOUSEEVENTF_MOVE);
    // Once the move has been taken from the queue, it has also been handled
    // when the pump returns.
    const bool moved = PumpUntil([&] { return g_lastMove.x == p.x && g_lastMove.y == p.y; });
    ::UnhookWindowsHookEx(hook);
    EXPECT_TRUE(moved) << "the pointer did not arrive over " << control.Name() << " at " << x << "," << y;
}

void ClickPointer() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void PressKey(unsigned short vk) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof input[0]);
}

int AboutBoxCount() {
    int n = 0;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (Application->Components(i)->Is<TAboutDlg>()) ++n;
    return n;
}

TShot::TShot(const TControl& control) : TShot(control, 0, 0, control.Width(), control.Height()) {}

TShot::TShot(const TControl& control, int left, int top, int width, int height) : width_(width), height_(height) {
    HWND window = control.WindowHandle();
    ::UpdateWindow(window);
    // From the screen, not the window: what is seen, with whatever covers
    // or clips the control.
    POINT origin{left, top};
    ::ClientToScreen(window, &origin);
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    ::BitBlt(mem, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    pixels_.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels_.push_back(::GetPixel(mem, x, y));
    ::SelectObject(mem, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}

int TShot::Count(unsigned long color) const {
    int n = 0;
    for (unsigned long c : pixels_) n += c == color;
    return n;
}

TDrawnLine::TDrawnLine(HFONT font, const std::wstring& text, unsigned long color, unsigned long back, int width,
                       int height)
    : width_(width) {
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = ::SelectObject(mem, bitmap);
    HGDIOBJ oldFont = ::SelectObject(mem, font);
    HBRUSH brush = ::CreateSolidBrush(back);
    const RECT all{0, 0, width, height};
    ::FillRect(mem, &all, brush);
    ::SetTextColor(mem, color);
    ::SetBkMode(mem, TRANSPARENT);
    ::TextOutW(mem, 0, 0, text.c_str(), int(text.size()));
    pixels_.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels_.push_back(::GetPixel(mem, x, y));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Pixel(x, y) != back && x + 1 > inkRight_) inkRight_ = x + 1;
    ::SelectObject(mem, oldFont);
    ::SelectObject(mem, oldBitmap);
    ::DeleteObject(brush);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}
