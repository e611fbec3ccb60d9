// The clipboard takes ANSI code-page bytes as CF_TEXT, and gives way without
// a fuss when another program holds it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/win/Clipboard.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

std::wstring ClipboardUnicode() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

TEST(Clipboard, AnsiBytesRoundTripAndReadAsTheirCharacters) {
    ASSERT_EQ(::GetACP(), 1250u) << "the tests run with LC_ALL=cs_CZ.UTF-8";
    ASSERT_TRUE(ClipboardSetAnsiText("\xE8"));
    EXPECT_EQ(ClipboardGetAnsiText(), std::optional<std::string>("\xE8"));
    EXPECT_EQ(ClipboardUnicode(), Wide("č"));

    ASSERT_TRUE(ClipboardSetAnsiText("A\x8A"));
    EXPECT_EQ(ClipboardGetAnsiText(), std::optional<std::string>("A\x8A"));
    EXPECT_EQ(ClipboardUnicode(), Wide("AŠ"));
}

TEST(Clipboard, HeldByAnotherGivesFalseAndLeavesItsText) {
    ASSERT_TRUE(ClipboardSetAnsiText("before"));
    std::atomic<int> stage{0};
    std::thread holder([&] {
        // A window of another thread holds the clipboard open.
        HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const bool opened = ::OpenClipboard(window) != FALSE;
        stage = opened ? 1 : -1;
        while (stage == 1) ::Sleep(1);
        if (opened) ::CloseClipboard();
        ::DestroyWindow(window);
    });
    while (stage == 0) ::Sleep(1);
    ASSERT_EQ(stage.load(), 1);
    bool result = true;
    EXPECT_NO_THROW(result = ClipboardSetAnsiText("after"));
    EXPECT_FALSE(result);
    EXPECT_EQ(ClipboardGetAnsiText(), std::nullopt);  // cannot open it either
    stage = 2;
    holder.join();

    EXPECT_EQ(ClipboardGetAnsiText(), std::optional<std::string>("before"));
    EXPECT_TRUE(ClipboardSetAnsiText("after"));
    EXPECT_EQ(ClipboardGetAnsiText(), std::optional<std::string>("after"));
}

TEST(Clipboard, NoTextGivesNothing) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ(ClipboardGetAnsiText(), std::nullopt);
    ASSERT_TRUE(ClipboardSetAnsiText(""));
    EXPECT_EQ(ClipboardGetAnsiText(), std::optional<std::string>(""));
}

struct TCodeCase {
    uint8_t code;
    const char* utf8;
};

TEST(AnsiCode, CodesOfCodePage1250AndBack) {
    ASSERT_EQ(::GetACP(), 1250u);
    const TCodeCase cases[] = {
        {0x41, "A"}, {0x20, " "}, {0xE8, "č"}, {0x8A, "Š"}, {0x80, "€"}, {0xA0, "\u00A0"}, {0xFF, "˙"}, {0x9E, "ž"},
    };
    for (const TCodeCase& c : cases) {
        SCOPED_TRACE(int(c.code));
        EXPECT_EQ(AnsiCodeToUtf8(c.code), c.utf8);
        EXPECT_EQ(Utf8ToAnsiCode(c.utf8), std::optional<uint8_t>(c.code));
    }
    // Every code of the character map has exactly one character, which
    // leads back to the code.
    for (int code = 32; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const std::string character = AnsiCodeToUtf8(uint8_t(code));
        EXPECT_EQ(Wide(character).size(), 1u);
        EXPECT_EQ(Utf8ToAnsiCode(character), std::optional<uint8_t>(uint8_t(code)));
    }
    // Characters that the code page has no byte for.
    for (const char* none : {"ж", "€€", "", "中", "è"}) {
        SCOPED_TRACE(none);
        EXPECT_EQ(Utf8ToAnsiCode(none), std::nullopt);
    }
}

}  // namespace
