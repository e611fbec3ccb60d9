// The platform and the program's classes are set up once, as the program does.
#include <gtest/gtest.h>

#include "app/AppClasses.h"
#include "platform/win/Platform.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InitPlatform();
    RegisterAppClasses();
    return RUN_ALL_TESTS();
}
