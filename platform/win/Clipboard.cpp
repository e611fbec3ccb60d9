#include "platform/win/Clipboard.h"

#include <cstring>

#include "platform/win/Application.h"
#include "platform/win/Win32.h"

namespace {

// Open for the scope, closed again at its end.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    ~TOpenClipboard() {
        if (open_) ::CloseClipboard();
    }
    explicit operator bool() const noexcept { return open_; }

private:
    bool open_;
};

HWND OwnerOrApplication(HWND owner) {
    if (owner) return owner;
    return Application ? Application->Handle() : nullptr;
}

// Global memory handed to the clipboard, or given back when that fails.
HGLOBAL GlobalCopy(const void* data, size_t size, size_t zeros) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size + zeros);
    if (!memory) return nullptr;
    auto* p = static_cast<char*>(::GlobalLock(memory));
    if (!p) {
        ::GlobalFree(memory);
        return nullptr;
    }
    if (size) std::memcpy(p, data, size);
    std::memset(p + size, 0, zeros);
    ::GlobalUnlock(memory);
    return memory;
}

bool SetData(UINT format, HGLOBAL memory) {
    if (!memory) return false;
    if (::SetClipboardData(format, memory)) return true;  // the clipboard owns it now
    ::GlobalFree(memory);
    return false;
}

}  // namespace

bool ClipboardSetAnsiText(std::string_view bytes, HWND owner) {
    const TOpenClipboard clipboard(OwnerOrApplication(owner));
    if (!clipboard) return false;
    if (!::EmptyClipboard()) return false;
    if (!SetData(CF_TEXT, GlobalCopy(bytes.data(), bytes.size(), 1))) return false;
    // Without it, Unicode readers would convert through the keyboard's code
    // page, which need not be the ANSI one.
    const LCID locale = ::GetSystemDefaultLCID();
    SetData(CF_LOCALE, GlobalCopy(&locale, sizeof locale, 0));
    return true;
}

std::optional<std::string> ClipboardGetAnsiText(HWND owner) {
    const TOpenClipboard clipboard(OwnerOrApplication(owner));
    if (!clipboard) return std::nullopt;
    HANDLE data = ::GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const size_t size = ::GlobalSize(data);
    const auto* p = static_cast<const char*>(::GlobalLock(data));
    if (!p) return std::nullopt;
    std::string text(p, strnlen(p, size));
    ::GlobalUnlock(data);
    return text;
}

std::string AnsiCodeToUtf8(uint8_t code) {
    const char byte = char(code);
    wchar_t w[4] = {};
    // No MB_ERR_INVALID_CHARS: a code the page leaves undefined (129 in
    // Windows-1250) still gives the character the system maps it to, so
    // that every code has one to show and to copy back.
    const int n = ::MultiByteToWideChar(CP_ACP, 0, &byte, 1, w, 4);
    if (n <= 0) return {};
    char out[16] = {};
    const int m = ::WideCharToMultiByte(CP_UTF8, 0, w, n, out, int(sizeof out), nullptr, nullptr);
    return m > 0 ? std::string(out, size_t(m)) : std::string();
}

std::optional<uint8_t> Utf8ToAnsiCode(std::string_view character) {
    if (character.empty()) return std::nullopt;
    wchar_t w[4] = {};
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, character.data(), int(character.size()), w, 4);
    if (n <= 0) return std::nullopt;
    char out[8] = {};
    BOOL usedDefault = FALSE;
    const int m = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, n, out, int(sizeof out), nullptr, &usedDefault);
    if (m != 1 || usedDefault) return std::nullopt;
    return uint8_t(out[0]);
}
