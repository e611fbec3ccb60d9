#pragma once
// The arithmetic and text rules of the main window's views, kept apart from
// the window so that they can be checked case by case.

#include <optional>
#include <string>
#include <string_view>

// The size value is a whole number of points in this range.
inline constexpr int kMinFontSize = 8;
inline constexpr int kMaxFontSize = 72;

// The text typed into the size box as a size value: a whole decimal number
// from 8 to 72 (blanks around it allowed); anything else is no value.
std::optional<int> ParseFontSize(std::string_view text);

// The sample text holds at most this many UTF-16 units: the edit control's
// own default limit for what a user may type or paste (Windows'; Wine's is
// 30,000). A stored text that is longer cannot have come from the program
// and is not applied.
inline constexpr int kMemoTextLimit = 32767;

// Top of a preview bitmap of height `bitmapHeight` centred on a row whose
// edges are `rowTop` and `rowBottom` (bottom exclusive); division truncates.
int PreviewTop(int rowTop, int rowBottom, int bitmapHeight);

// The status bar's panels: family count, preview progress, family name.
inline constexpr int kCountPanel = 0;
inline constexpr int kProgressPanel = 1;
inline constexpr int kNamePanel = 2;

// Width of the filled part of the progress panel: (width - 2) * cached / count
// rounded half to even. Zero when count is zero.
int ProgressBarWidth(int panelWidth, int cached, int count);

// Whether the progress panel shows a bar at all: something rendered, not all.
bool ProgressVisible(int cached, int count);

// The character-map cell (col 0..15, row 0..13) holds this code (32..255).
int CharCodeOfCell(int col, int row);
std::string DecimalCode(int code);  // "32".."255"
std::string HexCode(int code);      // "20".."FF"

// Status panel 0.
std::string FamilyCountText(size_t count);
