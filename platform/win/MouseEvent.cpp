#include "platform/win/MouseEvent.h"

#include "platform/win/Win32.h"

const TEnumTypeInfo& MouseButtonTypeInfo() {
    static const TEnumTypeInfo info{"TMouseButton", {"mbLeft", "mbRight", "mbMiddle"}, 0};
    return info;
}

TShiftState MouseShiftState(uintptr_t wParam) {
    TShiftState s;
    if (wParam & MK_SHIFT) s.Include(TShiftFlag::ssShift);
    if (wParam & MK_CONTROL) s.Include(TShiftFlag::ssCtrl);
    if (wParam & MK_LBUTTON) s.Include(TShiftFlag::ssLeft);
    if (wParam & MK_RBUTTON) s.Include(TShiftFlag::ssRight);
    if (wParam & MK_MBUTTON) s.Include(TShiftFlag::ssMiddle);
    if (::GetKeyState(VK_MENU) < 0) s.Include(TShiftFlag::ssAlt);
    return s;
}

TPoint MousePoint(intptr_t lParam) noexcept {
    return {int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))};
}
