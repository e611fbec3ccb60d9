#include "platform/win/WinText.h"

#include <cwchar>

#include "platform/core/Text.h"
#include "platform/win/Win32.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters are UTF-16 code units");

std::wstring Wide(std::string_view utf8) {
    const std::u16string u = text::Utf8ToUtf16(utf8);
    return std::wstring(u.begin(), u.end());
}

std::string Utf8(std::wstring_view utf16) {
    return text::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

std::string Utf8(const wchar_t* utf16) { return utf16 ? Utf8(std::wstring_view(utf16)) : std::string(); }

namespace {

std::string AcpToUtf8(std::string_view ansi) {
    if (ansi.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring w(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), w.data(), n);
    return Utf8(w);
}

std::string Utf8ToAcp(std::string_view utf8, bool* lossless) {
    if (lossless) *lossless = true;
    if (utf8.empty()) return {};
    const std::wstring w = Wide(utf8);
    // UTF-8 as the ANSI code page holds every character, and the API refuses
    // the best-fit flag and the used-default report for it.
    const bool utf8Acp = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8Acp ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultPtr = utf8Acp ? nullptr : &usedDefault;
    const int n = ::WideCharToMultiByte(CP_ACP, flags, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_ACP, flags, w.data(), int(w.size()), out.data(), n, nullptr, usedDefaultPtr);
    // Invalid UTF-8 came in as U+FFFD, which no single-byte code page has
    // either; reporting it keeps "lossless" honest for those bytes too.
    if (lossless) *lossless = !usedDefault && w.find(L'\uFFFD') == std::wstring::npos;
    return out;
}

}  // namespace

void InstallAnsiCodec() noexcept { text::SetAnsiCodec(text::AnsiCodec{&AcpToUtf8, &Utf8ToAcp}); }
