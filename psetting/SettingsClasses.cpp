#include "psetting/SettingsClasses.h"

#include "psetting/PAppSettings.h"
#include "psetting/PFormSettings.h"
#include "psetting/PSetting.h"

void RegisterSettingsClasses() {
    classes::Register(TPSetting::StaticClass());
    classes::Register(TPFormSettings::StaticClass());
    classes::Register(TPAppSettings::StaticClass());
}
