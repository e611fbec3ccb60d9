# Cross toolchain: 32-bit Windows (shipped beside the x86_64 build; its tests
# run where the machine executes 32-bit code), MinGW-w64 with the posix thread
# model (std::thread, std::mutex). Programs run through Wine's 32-bit loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(GLYPHORA_MINGW_TRIPLE i686-w64-mingw32)
set(GLYPHORA_WINE_LOADER_NAME wine)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
