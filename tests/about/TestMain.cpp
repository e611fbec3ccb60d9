// The platform is started once for the whole run, as the program does.
#include <gtest/gtest.h>

#include "platform/win/Platform.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InitPlatform();
    return RUN_ALL_TESTS();
}
