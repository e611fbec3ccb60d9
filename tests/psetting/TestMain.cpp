// The platform is started once for the whole run, as the program does: the
// ANSI codec, the locale's formats, the window classes and the settings
// classes.
#include <gtest/gtest.h>

#include "platform/win/Platform.h"
#include "psetting/SettingsClasses.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InitPlatform();
    RegisterSettingsClasses();
    return RUN_ALL_TESTS();
}
