#pragma once
// Real keyboard and mouse input through the X server, as a user's keyboard
// and mouse give it: xdotool on the display the tests run on. The program
// reads it like any key press, through the window that has the focus.

#include <string>

#include "platform/win/Win32.h"

// Runs `xdotool <arguments>` (e.g. "key ctrl+Tab") and returns once it has
// sent everything; false when it could not be run, failed or did not end in
// time. What it printed goes to `output` when one is given.
bool XdoTool(const std::string& arguments, std::string* output = nullptr);

// Whether the X server gives the keyboard's input to the window titled
// `title`: a program's window shows, and its controls take the focus, a
// moment before that.
bool KeysGoTo(const std::string& title);

// The window that has the keyboard focus in the thread of `window`, or null.
HWND FocusIn(HWND window);
