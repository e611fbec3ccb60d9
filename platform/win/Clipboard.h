#pragma once
// The clipboard as the program uses it: one text in the ANSI code page, and
// the ANSI code page's characters as Unicode text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

// Puts `bytes` (ANSI code-page bytes) and a terminating zero on the
// clipboard as CF_TEXT, replacing what was there, with CF_LOCALE naming
// the system locale so that readers of Unicode text get the same characters. The clipboard is opened
// for `owner`, or for the application's window when null. False, with no
// message, when another program holds the clipboard open or memory runs out.
bool ClipboardSetAnsiText(std::string_view bytes, HWND owner = nullptr);
// The CF_TEXT bytes on the clipboard without the terminating zero; nothing
// when there is no text or the clipboard cannot be opened.
std::optional<std::string> ClipboardGetAnsiText(HWND owner = nullptr);

// The character that `code` stands for in the ANSI code page (GetACP), as
// UTF-8. Codes the page leaves undefined give what the system maps them to
// (a C1 control for 129 in Windows-1250); empty only when the conversion
// fails (a lone lead byte of a multi-byte code page).
std::string AnsiCodeToUtf8(uint8_t code);
// The ANSI code-page byte of one character given as UTF-8; nothing when the
// code page has no single byte for it.
std::optional<uint8_t> Utf8ToAnsiCode(std::string_view character);
