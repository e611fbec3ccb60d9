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
# the Wine loader of their own bitness, called by its path: Debian's wine
# wrapper takes the 32-bit loader whenever it is installed, even for a 64-bit
# program. The environment (WINEPREFIX, DISPLAY, ...) comes from scripts/test.
# The including file sets GLYPHORA_WINE_LOADER_NAME (wine64 or wine).
find_program(GLYPHORA_WINE_LOADER ${GLYPHORA_WINE_LOADER_NAME}
  PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(GLYPHORA_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${GLYPHORA_WINE_LOADER}")
else()
  # Not installed yet: the name, found on PATH when a program runs.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GLYPHORA_WINE_LOADER_NAME})
endif()
