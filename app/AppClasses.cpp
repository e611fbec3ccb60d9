#include "app/AppClasses.h"

#include "app/AppMainForm.h"
#include "psetting/SettingsClasses.h"

void RegisterAppClasses() {
    RegisterSettingsClasses();
    classes::Register(TMainForm::StaticClass());
}
