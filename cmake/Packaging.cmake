# SPDX-License-Identifier: MIT
# Installation into the usual places, and a Debian package of it built by CPack (cpack -G DEB).
include(GNUInstallDirs)

# The program is installed when this build has it, wherever in the tree it is defined: hence decided once
# the top directory is read. The DDC helper installs itself beside it.
function(lumvex_install_program)
  if(TARGET lumvex)
    install(TARGETS lumvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS lumvex-tray RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/lumvex)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL lumvex_install_program)

install(FILES ${PROJECT_SOURCE_DIR}/data/lumvex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/lumvex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.lumvex.Lumvex.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# A sample for the administrator to copy; udev does not read it where it is installed.
install(FILES ${PROJECT_SOURCE_DIR}/data/udev/60-lumvex-i2c.rules DESTINATION ${CMAKE_INSTALL_DATADIR}/lumvex/udev)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The licence in the form Debian's tools read, where every package keeps it.
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The package's history, compressed as Debian keeps it; its latest entry names this version.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/debian/changelog latest_entry LIMIT_COUNT 1)
if(NOT latest_entry MATCHES "^lumvex \\(${PROJECT_VERSION}\\)")
  message(FATAL_ERROR "data/debian/changelog begins with \"${latest_entry}\"; add an entry for ${PROJECT_VERSION}")
endif()
add_custom_command(OUTPUT changelog.gz
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/data/debian/changelog > changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The session-bus interface, for tools that read interface descriptions.
install(FILES ${PROJECT_SOURCE_DIR}/data/dbus/io.github.lumvex.Lumvex1.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)
# The user service for sessions that start graphical-session.target; systemd looks in lib, never lib/<triplet>.
install(FILES ${PROJECT_SOURCE_DIR}/data/systemd/lumvex.service DESTINATION lib/systemd/user)

set(LUMVEX_PACKAGE_MAINTAINER "Lumvex maintainers <maintainers@lumvex.invalid>" CACHE STRING
    "Maintainer field of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumvex)
set(CPACK_PACKAGE_VENDOR "Lumvex")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps the light of the laptop display steady")
# Lines of the package description stay within 80 characters for Debian's tools.
set(CPACK_PACKAGE_DESCRIPTION
    "Lumvex sits in the system tray and adjusts the brightness of the laptop's\n\
built-in display as the screen content changes, so that the light you see\n\
stays the same: brighter for dark content, dimmer for bright content, with\n\
the ambient light sensor or the time of day taken into account. It learns\n\
from every manual brightness change. Its tray items also change the\n\
brightness of external displays over DDC/CI and the output volume.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUMVEX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the binaries (dpkg-shlibdeps); the services the program talks to at run
# time are recommended: the light sensor daemon, a PulseAudio server, the opener of web pages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "iio-sensor-proxy, pulseaudio | pipewire-pulse, xdg-utils, xdg-desktop-portal, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "i2c-tools")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
