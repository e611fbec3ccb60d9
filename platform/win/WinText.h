#pragma once
// Text at the Win32 boundary: the program keeps UTF-8, the W functions take
// UTF-16. Every conversion for a W call goes through these two functions.

#include <string>
#include <string_view>

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);
std::string Utf8(const wchar_t* utf16);  // null-terminated; null gives ""

// Makes text::AnsiToUtf8 / Utf8ToAnsi use the system's ANSI code page.
void InstallAnsiCodec() noexcept;
