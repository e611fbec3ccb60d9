#pragma once
// The one inclusion of the Win32 headers, for platform/win sources only.
// Headers of this folder never include it: upper layers stay free of the
// Windows macros, and the A/W name macros below would otherwise rename
// methods of the same names throughout the code base.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>
#include <commctrl.h>

#undef CopyFile
#undef CreateDialog
#undef CreateEvent
#undef CreateFont
#undef CreateWindow
#undef DeleteFile
#undef DrawState
#undef DrawText
#undef EnumFonts
#undef FindWindow
#undef FormatMessage
#undef GetClassName
#undef GetCurrentTime
#undef GetMessage
#undef GetObject
#undef GetProp
#undef GetTextMetrics
#undef GetUserName
#undef LoadBitmap
#undef LoadCursor
#undef LoadIcon
#undef LoadString
#undef MessageBox
#undef PostMessage
#undef RegisterClass
#undef RemoveProp
#undef SendMessage
#undef SetProp
#undef TextOut
#undef UpdateResource
#undef Yield
