#pragma once
// Colours as published properties hold them: an RGB value 0x00BBGGRR, or a
// system colour 0x80000000 | COLOR_xxx that follows the user's scheme.

#include <cstdint>

#include "platform/core/Rtti.h"

using TColor = int32_t;

namespace colors {
constexpr TColor System(int index) { return TColor(uint32_t(0x80000000u) | uint32_t(index)); }
}  // namespace colors

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = colors::System(0);
constexpr TColor clBackground = colors::System(1);
constexpr TColor clActiveCaption = colors::System(2);
constexpr TColor clInactiveCaption = colors::System(3);
constexpr TColor clMenu = colors::System(4);
constexpr TColor clWindow = colors::System(5);
constexpr TColor clWindowFrame = colors::System(6);
constexpr TColor clMenuText = colors::System(7);
constexpr TColor clWindowText = colors::System(8);
constexpr TColor clCaptionText = colors::System(9);
constexpr TColor clActiveBorder = colors::System(10);
constexpr TColor clInactiveBorder = colors::System(11);
constexpr TColor clAppWorkSpace = colors::System(12);
constexpr TColor clHighlight = colors::System(13);
constexpr TColor clHighlightText = colors::System(14);
constexpr TColor clBtnFace = colors::System(15);
constexpr TColor clBtnShadow = colors::System(16);
constexpr TColor clGrayText = colors::System(17);
constexpr TColor clBtnText = colors::System(18);
constexpr TColor clInactiveCaptionText = colors::System(19);
constexpr TColor clBtnHighlight = colors::System(20);
constexpr TColor cl3DDkShadow = colors::System(21);
constexpr TColor cl3DLight = colors::System(22);
constexpr TColor clInfoText = colors::System(23);
constexpr TColor clInfoBk = colors::System(24);

// The identifiers that form files use for colours ("clBtnFace").
const TIntIdentMap& ColorIdents();

// The RGB value (COLORREF) to draw with; system colours are looked up now.
uint32_t ColorToRGB(TColor color);
