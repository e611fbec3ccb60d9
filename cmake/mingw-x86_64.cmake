# Cross toolchain: 64-bit Windows, the primary build (built, run and tested on
# every machine), MinGW-w64 with the posix thread model (std::thread,
# std::mutex). Programs run through Wine's 64-bit loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(GLYPHORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(GLYPHORA_WINE_LOADER_NAME wine64)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
