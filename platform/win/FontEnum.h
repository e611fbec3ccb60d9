#pragma once
// Installed font families and locale-aware text order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Every face name the screen's font enumeration reports for any character
// set, in the order reported: one report per family and character set, so
// a family usually comes several times in a row.
std::vector<std::string> EnumFontFamilyNames();

// Compares two texts in the user's locale without regard to letter case:
// negative, zero or positive.
int AnsiCompareText(std::string_view a, std::string_view b);

// The text's sort key in the same order: comparing two keys byte by byte
// gives the sign of AnsiCompareText. Sorting many texts by their keys spares
// a conversion and a locale comparison per pair.
std::string AnsiCompareKey(std::string_view text);

// The screen's vertical pixels per inch.
int ScreenLogPixelsY();
// The character set of the system's ANSI code page (EASTEUROPE_CHARSET 238
// for 1250, SHIFTJIS_CHARSET 128 for 932, ANSI_CHARSET 0 for 1252...).
uint32_t SystemDefaultCharset();
