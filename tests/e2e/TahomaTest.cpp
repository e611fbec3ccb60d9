// The window font with and without Tahoma installed: the real program in this
// prefix, once as it is and once with Tahoma's files moved out of the fonts
// folder. The labels size themselves to their text, so their sizes show
// which face the window ended up with.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win/WinText.h"
#include "tests/e2e/Driver.h"
#include "tests/support/StoredState.h"

namespace {

std::wstring WindowsFolder() {
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\";
}

std::wstring FontsFolder() { return WindowsFolder() + L"Fonts\\"; }

// Moves Tahoma's files out of the fonts folder for its lifetime (Wine loads
// every file there, whatever its name); puts them back on every path.
class TTahomaMovedAside {
public:
    TTahomaMovedAside() {
        for (const wchar_t* file : {L"tahoma.ttf", L"tahomabd.ttf"}) {
            const std::wstring from = FontsFolder() + file, to = WindowsFolder() + file;
            if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) moved_.push_back(file);
        }
    }
    ~TTahomaMovedAside() {
        for (const std::wstring& file : moved_)
            ::MoveFileExW((WindowsFolder() + file).c_str(), (FontsFolder() + file).c_str(),
                          MOVEFILE_REPLACE_EXISTING);
    }
    TTahomaMovedAside(const TTahomaMovedAside&) = delete;
    TTahomaMovedAside& operator=(const TTahomaMovedAside&) = delete;
    size_t Moved() const { return moved_.size(); }

private:
    std::vector<std::wstring> moved_;
};

// The size of "Dec:" in `face` at the window's design height.
std::pair<int, int> TextSizeIn(const wchar_t* face) {
    HDC dc = ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, L"Dec:", 4, &size);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, dc);
    return {size.cx, size.cy};
}

struct TSeen {
    std::pair<int, int> labelSize{-1, -1};
    bool tahomaListed = false;
};

TSeen StartAndLook() {
    TSeen seen;
    ForgetStoredState();
    TProgram program;
    if (!program.Main()) return seen;
    if (HWND label = program.ChildWithText("Dec:")) {
        RECT r{};
        ::GetWindowRect(label, &r);
        seen.labelSize = {r.right - r.left, r.bottom - r.top};
    }
    HWND list = program.Child(L"ListBox");
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t name[LF_FACESIZE + 1] = {};
        if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) <= LF_FACESIZE)
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
        if (::lstrcmpiW(name, L"Tahoma") == 0) seen.tahomaListed = true;
    }
    EXPECT_EQ(program.Close(), 0);
    return seen;
}

TEST(Program, TheWindowFontIsTahomaWhenInstalledAndMsSansSerifWithout) {
    const auto inTahoma = TextSizeIn(L"Tahoma"), inSansSerif = TextSizeIn(L"MS Sans Serif");
    ASSERT_NE(inTahoma, inSansSerif) << "the two faces must tell apart by this text";

    const TSeen with = StartAndLook();
    EXPECT_TRUE(with.tahomaListed);
    EXPECT_EQ(with.labelSize, inTahoma);

    TTahomaMovedAside aside;
    ASSERT_EQ(aside.Moved(), 2u) << "Tahoma's files are not in " << Utf8(FontsFolder());
    const TSeen without = StartAndLook();
    EXPECT_FALSE(without.tahomaListed);
    EXPECT_EQ(without.labelSize, inSansSerif);
}

}  // namespace
