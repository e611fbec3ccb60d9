#include "platform/win/FontEnum.h"

#include <exception>

#include "platform/win/Handle.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

struct TEnumState {
    std::vector<std::string> names;
    std::exception_ptr error;
};

int CALLBACK OnFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    auto* state = reinterpret_cast<TEnumState*>(data);
    try {
        state->names.push_back(Utf8(font->lfFaceName));
        return 1;
    } catch (...) {
        // Nothing may unwind through the enumeration: stop it and raise after.
        state->error = std::current_exception();
        return 0;
    }
}

}  // namespace

std::vector<std::string> EnumFontFamilyNames() {
    TEnumState state;
    const TWindowDC screen;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(screen.Get(), &query, &OnFamily, reinterpret_cast<LPARAM>(&state), 0);
    if (state.error) std::rethrow_exception(state.error);
    return std::move(state.names);
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    const std::wstring wa = Wide(a), wb = Wide(b);
    const int r = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.data(), int(wa.size()), wb.data(),
                                   int(wb.size()));
    return r == 0 ? 0 : r - CSTR_EQUAL;
}

std::string AnsiCompareKey(std::string_view text) {
    const std::wstring w = Wide(text);
    constexpr DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int size = ::LCMapStringW(LOCALE_USER_DEFAULT, flags, w.data(), int(w.size()), nullptr, 0);
    if (size <= 0) return {};
    // The key is bytes, written through the wide-character parameter.
    std::string key(size_t(size), '\0');
    ::LCMapStringW(LOCALE_USER_DEFAULT, flags, w.data(), int(w.size()), reinterpret_cast<LPWSTR>(key.data()), size);
    return key;
}

int ScreenLogPixelsY() {
    const TWindowDC screen;
    const int v = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return v > 0 ? v : 96;
}

uint32_t SystemDefaultCharset() {
    CHARSETINFO info{};
    if (::TranslateCharsetInfo(reinterpret_cast<DWORD*>(uintptr_t(::GetACP())), &info, TCI_SRCCODEPAGE))
        return info.ciCharset;
    return DEFAULT_CHARSET;
}
