#pragma once
// Move-only owners of Win32 handles. Each kind names how its handle is given
// back; a moved-from owner holds nothing and gives back nothing. Giving a
// handle back keeps the thread's last error: an owner that ends on the way
// out of a failed call must not hide that call's error code from its caller.

#include <cstdint>
#include <utility>

#include "platform/win/WinTypes.h"

// Puts the thread's last error (GetLastError) back when it ends.
class TKeepLastError {
public:
    TKeepLastError() noexcept;
    ~TKeepLastError();
    TKeepLastError(const TKeepLastError&) = delete;
    TKeepLastError& operator=(const TKeepLastError&) = delete;

private:
    uint32_t error_;
};

template <class H, class Traits>
class TUniqueHandle {
public:
    TUniqueHandle() noexcept = default;
    explicit TUniqueHandle(H handle) noexcept : handle_(handle) {}
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    ~TUniqueHandle() { Reset(); }

    H Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != H{}; }
    // Stops owning the handle without giving it back: whoever takes the
    // result gives it back, or else it leaks.
    [[nodiscard]] H Release() noexcept { return std::exchange(handle_, H{}); }
    void Reset(H handle = H{}) noexcept {
        if (handle_ != H{} && handle_ != handle) {
            const TKeepLastError keep;
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    H handle_{};
};

namespace handle_traits {
struct Window {
    static void Close(HWND handle) noexcept;  // DestroyWindow
};
struct GdiObject {
    static void Close(void* handle) noexcept;  // DeleteObject
};
struct MemoryDC {
    static void Close(HDC handle) noexcept;  // DeleteDC
};
struct Icon {
    static void Close(HICON handle) noexcept;  // DestroyIcon
};
struct Kernel {
    static void Close(void* handle) noexcept;  // CloseHandle
};
}  // namespace handle_traits

using TWindowHandle = TUniqueHandle<HWND, handle_traits::Window>;
template <class H>
using TGdiObject = TUniqueHandle<H, handle_traits::GdiObject>;
using TFontHandle = TGdiObject<HFONT>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TPenHandle = TGdiObject<HPEN>;
using TBitmapHandle = TGdiObject<HBITMAP>;
// A DC made by CreateCompatibleDC or CreateDC.
using TMemoryDC = TUniqueHandle<HDC, handle_traits::MemoryDC>;
// An icon of our own (CopyIcon, CreateIconIndirect), not a shared one.
using TIconHandle = TUniqueHandle<HICON, handle_traits::Icon>;
// A kernel object's HANDLE whose failure value is null (threads, events,
// duplicated handles), not INVALID_HANDLE_VALUE as CreateFile gives.
using TKernelHandle = TUniqueHandle<void*, handle_traits::Kernel>;

TMemoryDC CreateMemoryDC(HDC compatibleWith = nullptr);

// A window's DC from GetDC, given back with ReleaseDC to the same window
// (null: the screen).
class TWindowDC {
public:
    explicit TWindowDC(HWND window = nullptr);
    TWindowDC(TWindowDC&& other) noexcept;
    TWindowDC& operator=(TWindowDC&& other) noexcept;
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC();

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    void Free() noexcept;
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects a GDI object into a DC and puts the previous one back when it ends.
class TSelectObject {
public:
    TSelectObject(HDC dc, void* object) noexcept;
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject();

private:
    HDC dc_;
    void* previous_;
};
