#pragma once
// Text helpers shared by every layer: ASCII-only case folding (identifiers and
// names compare this way, whatever the locale), and the hook through which the
// system's ANSI code page converts byte formats to the UTF-8 used in memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

char AsciiLower(char c) noexcept;
char AsciiUpper(char c) noexcept;
bool SameText(std::string_view a, std::string_view b) noexcept;
int CompareText(std::string_view a, std::string_view b) noexcept;
std::string AsciiUpperCase(std::string_view s);
std::string AsciiLowerCase(std::string_view s);

// A valid identifier: a letter or underscore, then letters, digits, underscores.
bool IsValidIdent(std::string_view s) noexcept;

// Conversion between the ANSI code page's bytes and UTF-8. The core layer
// knows no code page of its own; until the platform installs one, bytes are
// read as Latin-1, which at least round-trips every byte.
struct AnsiCodec {
    std::string (*toUtf8)(std::string_view ansi);
    // `lossless` is set to false when a character has no byte in the code page.
    std::string (*fromUtf8)(std::string_view utf8, bool* lossless);
};

void SetAnsiCodec(const AnsiCodec& codec) noexcept;
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8, bool* lossless = nullptr);
// The code page's bytes for a text, when they give that very text back.
std::optional<std::string> ExactAnsi(std::string_view utf8);

// UTF-8 <-> UTF-16 without any code page; invalid UTF-8 bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace text
