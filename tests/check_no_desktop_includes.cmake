# SPDX-License-Identifier: MIT
# Fails when a source file under one of DIRS (comma-separated) includes a Qt or X11 header.
string(REPLACE "," ";" DIRS "${DIRS}")
foreach(dir IN LISTS DIRS)
  file(GLOB_RECURSE sources ${dir}/*.h ${dir}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include [<\"](Q[A-Za-z]*|xcb/|X11/)")
    if(includes)
      message(FATAL_ERROR "${source} depends on the desktop: ${includes}")
    endif()
  endforeach()
endforeach()
