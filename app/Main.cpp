// The entry point: start-up in the program's order, then the message loop
// until the main window closes; the forms are freed before it returns.

#include <exception>

#include "app/Startup.h"
#include "platform/win/Application.h"
#include "platform/win/WinTypes.h"

extern "C" int __stdcall wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    try {
        StartGlyphora();
        Application->Run();
    } catch (const std::exception& e) {
        HandleException(e);
        return 1;
    }
    return 0;
}
