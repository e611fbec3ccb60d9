#include "platform/win/Cursors.h"

#include "platform/win/Win32.h"

const TIntIdentMap& CursorIdents() {
    static const TIntIdentMap map{{
        {crDefault, "crDefault"},
        {crNone, "crNone"},
        {crArrow, "crArrow"},
        {crCross, "crCross"},
        {crIBeam, "crIBeam"},
        {crSizeNESW, "crSizeNESW"},
        {crSizeNS, "crSizeNS"},
        {crSizeNWSE, "crSizeNWSE"},
        {crSizeWE, "crSizeWE"},
        {crUpArrow, "crUpArrow"},
        {crHourGlass, "crHourGlass"},
        {crNo, "crNo"},
        {crAppStart, "crAppStart"},
        {crHelp, "crHelp"},
        {crHandPoint, "crHandPoint"},
        {crSizeAll, "crSizeAll"},
    }};
    return map;
}

HICON CursorHandle(TCursor cursor) {
    const wchar_t* id = nullptr;
    switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: return nullptr;
    }
    // Shared system pointers: loaded once by the system, never destroyed.
    return ::LoadCursorW(nullptr, id);
}
