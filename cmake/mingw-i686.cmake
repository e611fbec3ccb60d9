# Cross toolchain: 32-bit Windows (the shipped and tested build), MinGW-w64 with
# the posix thread model (std::thread, std::mutex). Programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(GLYPHORA_MINGW_TRIPLE i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
