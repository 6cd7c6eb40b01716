# Fails when a source file under DIRS includes a Qt or X11 header.
file(GLOB_RECURSE sources ${DIRS}/*.h ${DIRS}/*.cpp)
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^#include [<\"](Q[A-Za-z]*|xcb/|X11/)")
  if(includes)
    message(FATAL_ERROR "${source} depends on the desktop: ${includes}")
  endif()
endforeach()
