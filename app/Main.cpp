// The entry point: start-up in the program's order, then the message loop
// until the main window closes; the forms are freed before it returns.

#include <exception>

#include "app/AppClasses.h"
#include "app/AppMainForm.h"
#include "app/Tahoma.h"
#include "platform/win/Application.h"
#include "platform/win/Platform.h"
#include "platform/win/WinTypes.h"

extern "C" int __stdcall wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    try {
        InitPlatform();
        RegisterAppClasses();
        Application->Initialize();
        Application->SetTitle("Glyphora");
        Application->CreateForm<TMainForm>();
        SubstituteTahoma();
        Application->Run();
    } catch (const std::exception& e) {
        HandleException(e);
        return 1;
    }
    return 0;
}
