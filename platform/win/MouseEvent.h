#pragma once
// Mouse buttons and the handler type of mouse-button events, for controls
// that report presses and releases to their owner.

#include "platform/core/Event.h"
#include "platform/win/Control.h"
#include "platform/win/Geometry.h"

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
const TEnumTypeInfo& MouseButtonTypeInfo();

// X and Y are in the control's client coordinates.
using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

// The buttons and modifier keys of a mouse message's wParam (MK_* flags),
// with the Alt key read from the keyboard.
TShiftState MouseShiftState(uintptr_t wParam);
// The client point of a mouse message's lParam (signed: a captured mouse
// may be left of or above the window).
TPoint MousePoint(intptr_t lParam) noexcept;
