#pragma once
// The font families of this machine as the tests work them out themselves,
// with the system's own calls, so that a test never takes what it expects
// from the program it checks.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace installed_families {

inline int Collate(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(),
                            int(b.size())) -
           CSTR_EQUAL;
}

inline int CALLBACK Collect(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM out) {
    reinterpret_cast<std::vector<std::wstring>*>(out)->push_back(font->lfFaceName);
    return 1;
}

}  // namespace installed_families

// The font list a user should see: "Default", then each name the screen's
// enumeration reports (for every character set) unless it repeats the name
// kept just before it, letter case ignored; the whole in the user's
// collation, letter case ignored.
inline std::vector<std::string> InstalledFamilies() {
    using namespace installed_families;
    std::vector<std::wstring> reported;
    HDC screen = ::GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(screen, &query, &Collect, reinterpret_cast<LPARAM>(&reported), 0);
    ::ReleaseDC(nullptr, screen);
    std::vector<std::wstring> kept{L"Default"};
    for (const std::wstring& name : reported)
        if (Collate(kept.back(), name) != 0) kept.push_back(name);
    std::stable_sort(kept.begin(), kept.end(),
                     [](const std::wstring& a, const std::wstring& b) { return Collate(a, b) < 0; });
    std::vector<std::string> names;
    for (const std::wstring& name : kept) names.push_back(Utf8(name));
    return names;
}

// The face a family entry is drawn in: "Default" stands for the standard
// dialog face.
inline std::string FaceOfEntry(const std::string& entry) {
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, entry.c_str(), -1, "Default", -1) == CSTR_EQUAL
               ? "MS Sans Serif"
               : entry;
}

// The width of `text` in `face` at `points`, regular or bold, as the screen
// lays it out.
inline int TextWidthOnScreen(const std::string& face, int points, bool bold, const std::wstring& text) {
    HDC screen = ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring wface = Wide(face);
    wface.copy(lf.lfFaceName, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(screen, font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen, text.c_str(), int(text.size()), &size);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    return int(size.cx);
}
