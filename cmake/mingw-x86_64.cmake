# Cross toolchain: 64-bit Windows (compile check for pointer-size mistakes),
# MinGW-w64 with the posix thread model. Programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(GLYPHORA_MINGW_TRIPLE x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
