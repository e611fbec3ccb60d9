# Shared part of the MinGW-w64 toolchain files; GLYPHORA_MINGW_TRIPLE is set by
# the including file.
set(CMAKE_C_COMPILER   ${GLYPHORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLYPHORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${GLYPHORA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GLYPHORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test executables (and anything else CMake runs for the target) go through
# Wine. The environment (WINEPREFIX, DISPLAY, ...) comes from scripts/test.
find_program(GLYPHORA_WINE wine)
if(GLYPHORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${GLYPHORA_WINE}")
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
