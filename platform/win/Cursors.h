#pragma once
// Mouse pointers as published properties hold them: 0 is the window's own
// (crDefault), the negative values name the system's standard pointers.

#include <cstdint>

#include "platform/core/Rtti.h"
#include "platform/win/WinTypes.h"

using TCursor = int16_t;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The identifiers that form files use for pointers ("crHandPoint").
const TIntIdentMap& CursorIdents();

// The system pointer to show for `cursor`; null for crDefault (the window's
// own) and crNone (no pointer), and for values that name no pointer.
HICON CursorHandle(TCursor cursor);
