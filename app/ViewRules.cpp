#include "app/ViewRules.h"

#include <cstdio>

#include "platform/core/Numbers.h"

std::optional<int> ParseFontSize(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() || text.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < kMinFontSize || value > kMaxFontSize) return std::nullopt;
    return value;
}

int PreviewTop(int rowTop, int rowBottom, int bitmapHeight) {
    return rowTop + (rowBottom - rowTop + 1 - bitmapHeight) / 2;
}

int ProgressBarWidth(int panelWidth, int cached, int count) {
    if (count == 0) return 0;
    const long double exact = static_cast<long double>(panelWidth - 2) * cached / count;
    return static_cast<int>(RoundHalfEven(exact));
}

bool ProgressVisible(int cached, int count) { return cached != 0 && cached != count; }

int CharCodeOfCell(int col, int row) { return (row + 2) * 16 + col; }

std::string DecimalCode(int code) { return std::to_string(code); }

std::string HexCode(int code) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(code) & 0xFFu);
    return buf;
}

std::string FamilyCountText(size_t count) { return "Počet písem: " + std::to_string(count); }
