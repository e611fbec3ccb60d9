#include "app/Startup.h"

#include "app/AppClasses.h"
#include "app/AppMainForm.h"
#include "app/Tahoma.h"
#include "platform/win/Application.h"
#include "platform/win/Platform.h"

void StartGlyphora() {
    InitPlatform();
    RegisterAppClasses();
    Application->Initialize();
    Application->SetTitle("Glyphora");
    Application->CreateForm<TMainForm>();
    // After the window exists, so that the window and its controls follow.
    SubstituteTahoma();
}
