#pragma once
// Where a top-level window lies and what the screen around it offers: the
// restored ("normal") rectangle that the window keeps while it is minimized
// or maximized, the desktop's work area, the resolution of the window's
// drawing surface, and whether a window shows as minimized.

#include "platform/win/Geometry.h"
#include "platform/win/WinTypes.h"

// The window's normal rectangle as the system keeps it: in work-area
// coordinates, whatever the window's state now. An empty rectangle when the
// system cannot say (no such window).
TRect WindowNormalRect(HWND window);
// The part of the screen that is not covered by task bars, in screen coordinates.
TRect DesktopWorkArea();
// Pixels across and down (HORZRES, VERTRES) of the window's drawing surface;
// of the screen for a null window.
TSize SurfaceResolution(HWND window);
// Whether the window's placement says it shows minimized.
bool WindowShowsMinimized(HWND window);
// Asks the window, through its queue, to minimize itself (WM_SYSCOMMAND SC_MINIMIZE).
void PostMinimizeCommand(HWND window);
