#pragma once
// A window message as window procedures of controls see it. Handlers set
// Result, which the system gets back.

#include <cstdint>

struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// What a standard control tells its parent (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM, WM_HSCROLL, WM_VSCROLL) is passed on to the
// control itself as CN_BASE + the message, with the same parameters, so that
// each control class handles its own notifications.
constexpr uint32_t CN_BASE = 0xBC00;

enum class TShiftFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
