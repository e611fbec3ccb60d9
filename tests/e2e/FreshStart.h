#pragma once
// The program keeps the user's choices under HKCU\Software\Orlenka and
// brings them back at its next start. Tests that expect the design values
// remove them first.

#include "platform/win/Win32.h"

inline void ForgetStoredState() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orlenka"); }
