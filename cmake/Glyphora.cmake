# Helpers shared by the folders' CMakeLists.txt files.

# Compile settings of every Glyphora target (libraries, the program, tests, the
# driver). Libraries link it PUBLIC, so whatever links a layer compiles its
# headers the same way.
add_library(glyphora_options INTERFACE)
target_compile_features(glyphora_options INTERFACE cxx_std_20)
target_include_directories(glyphora_options INTERFACE "${PROJECT_SOURCE_DIR}")
target_compile_definitions(glyphora_options INTERFACE UNICODE _UNICODE)
target_compile_options(glyphora_options INTERFACE
  -Wall -Wextra -Wpedantic $<$<BOOL:${GLYPHORA_WERROR}>:-Werror>)
# At -O3, GCC 12 and 13 report "literal" + a temporary std::string as an
# overlapping memcpy (GCC bug 105651), in code spread across the tree. The
# warning stays visible there, but it does not stop a strict Release build.
target_compile_options(glyphora_options INTERFACE
  "$<$<AND:$<BOOL:${GLYPHORA_WERROR}>,$<CONFIG:Release>,$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,14>>:-Wno-error=restrict>")
set(CMAKE_CXX_EXTENSIONS OFF)

# The layer libraries, filled in by glyphora_add_layer.
set_property(GLOBAL PROPERTY GLYPHORA_LAYERS "")

# glyphora_add_layer(<target> SOURCES <files>... [LAYERS <layer>...] [LIBS <lib>...])
#
# Makes the static library <target> of one layer from SOURCES, when there are
# any (a layer whose folder holds no .cpp file yet has no library). LAYERS are
# lower layer libraries it uses; those that do not exist are skipped. LIBS are
# other libraries (Win32 import libraries), linked PUBLIC.
function(glyphora_add_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LAYERS;LIBS")
  if(NOT ARG_SOURCES)
    return()
  endif()
  add_library(${target} STATIC ${ARG_SOURCES})
  target_link_libraries(${target} PUBLIC glyphora_options)
  glyphora_link_layers(${target} PUBLIC ${ARG_LAYERS})
  if(ARG_LIBS)
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY GLYPHORA_LAYERS ${target})
endfunction()

# glyphora_link_layers(<target> <PUBLIC|PRIVATE> <layer>...)
#
# Links the layer libraries among <layer>... that exist; list them highest
# first, as a link line needs them (a whole archive must appear only once).
# Every object file of a layer is linked into the executables (whole archive),
# so a file that is only reached through a static registration (a class
# registered by name, found when a form is read) is never dropped.
function(glyphora_link_layers target scope)
  foreach(layer IN LISTS ARGN)
    if(TARGET ${layer})
      target_link_libraries(${target} ${scope} "$<LINK_LIBRARY:WHOLE_ARCHIVE,${layer}>")
    endif()
  endforeach()
endfunction()

# The names of all layer libraries that exist, highest first: the order in
# which a link line needs them (and in which CMake then lists each only once).
function(glyphora_existing_layers out_var)
  get_property(layers GLOBAL PROPERTY GLYPHORA_LAYERS)
  list(REVERSE layers)
  set(${out_var} ${layers} PARENT_SCOPE)
endfunction()
