// The platform is started once for the whole run, as the program does: the
// ANSI codec, the locale's formats and the window classes.
#include <gtest/gtest.h>

#include "platform/win/Platform.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InitPlatform();
    return RUN_ALL_TESTS();
}
