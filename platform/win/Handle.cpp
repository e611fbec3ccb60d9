#include "platform/win/Handle.h"

#include "platform/win/Win32.h"

TKeepLastError::TKeepLastError() noexcept : error_(::GetLastError()) {}
TKeepLastError::~TKeepLastError() { ::SetLastError(error_); }

namespace handle_traits {
void Window::Close(HWND handle) noexcept { ::DestroyWindow(handle); }
void GdiObject::Close(void* handle) noexcept { ::DeleteObject(static_cast<HGDIOBJ>(handle)); }
void MemoryDC::Close(HDC handle) noexcept { ::DeleteDC(handle); }
void Icon::Close(HICON handle) noexcept { ::DestroyIcon(handle); }
void Kernel::Close(void* handle) noexcept { ::CloseHandle(handle); }
}  // namespace handle_traits

TMemoryDC CreateMemoryDC(HDC compatibleWith) { return TMemoryDC(::CreateCompatibleDC(compatibleWith)); }

TWindowDC::TWindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}

TWindowDC::TWindowDC(TWindowDC&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}

TWindowDC& TWindowDC::operator=(TWindowDC&& other) noexcept {
    if (this != &other) {
        Free();
        window_ = std::exchange(other.window_, nullptr);
        dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
}

TWindowDC::~TWindowDC() { Free(); }

void TWindowDC::Free() noexcept {
    const TKeepLastError keep;
    if (dc_) ::ReleaseDC(window_, dc_);
    dc_ = nullptr;
    window_ = nullptr;
}

TSelectObject::TSelectObject(HDC dc, void* object) noexcept
    : dc_(dc), previous_(::SelectObject(dc, static_cast<HGDIOBJ>(object))) {}

TSelectObject::~TSelectObject() {
    const TKeepLastError keep;
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
}
