#pragma once
// The program keeps the user's choices under HKCU\Software\Orlenka and
// brings them back when its main window is made. Tests that expect the
// design values start without them, and leave none behind for the next.

#include "platform/win/Win32.h"

inline void ForgetStoredState() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orlenka"); }
