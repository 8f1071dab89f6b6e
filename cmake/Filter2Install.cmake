# Installation on a Linux desktop and the .deb package.
#
#   cmake --install <build> [--prefix /usr]     the program, its menu entry, icons, metainfo
#   cd <build> && cpack                         filter2_<version>_<arch>.deb
#
# The desktop finds the program by its application id: the menu entry and the metainfo are
# named after it, and the window carries it as its class (X11) or app id (Wayland), so that
# the running window is matched to its menu entry and icon.
include(GNUInstallDirs)

set(FILTER2_APP_ID "org.example.filter2")
set(FILTER2_ICON_NAME "filter2")
set(FILTER2_DATA_DIR "${PROJECT_SOURCE_DIR}/data")

# The executable exists once app/main.cpp does; the data files install either way.
if(TARGET filter2)
  install(TARGETS filter2 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The window module, which the program loads from bin/../<libdir>/filter2.
  install(TARGETS filter2_window LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/filter2)

  # The manual page, written by help2man from the program's own --help and --version (so it
  # cannot drift from them) and compressed as Debian keeps manual pages.
  find_program(HELP2MAN help2man REQUIRED)
  find_program(GZIP gzip REQUIRED)
  set(FILTER2_MANUAL "${PROJECT_BINARY_DIR}/filter2.1")
  add_custom_command(OUTPUT "${FILTER2_MANUAL}" "${FILTER2_MANUAL}.gz"
    COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            "${HELP2MAN}" --no-info --section=1
            "--name=compute second-order unity-gain active filter sections"
            "--output=${FILTER2_MANUAL}" "$<TARGET_FILE:filter2>"
    COMMAND "${GZIP}" -9 -n -f -k "${FILTER2_MANUAL}"
    DEPENDS filter2
    COMMENT "Writing the manual page filter2.1 from filter2 --help")
  add_custom_target(filter2_manual ALL DEPENDS "${FILTER2_MANUAL}.gz")
  install(FILES "${FILTER2_MANUAL}.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The licence, where Debian looks for a package's copyright.
install(FILES "${PROJECT_SOURCE_DIR}/data/copyright" DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES "${FILTER2_DATA_DIR}/${FILTER2_APP_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${FILTER2_DATA_DIR}/${FILTER2_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons drawn by tools/pictures/make_icons.py, in the theme's size folders.
set(FILTER2_ICON_SIZES 32x32 48x48 128x128 256x256)
foreach(size ${FILTER2_ICON_SIZES})
  install(FILES "${FILTER2_DATA_DIR}/icons/hicolor/${size}/apps/${FILTER2_ICON_NAME}.png"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES "${FILTER2_DATA_DIR}/icons/hicolor/scalable/apps/${FILTER2_ICON_NAME}.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The .deb. Its library dependencies are computed from the executable by dpkg-shlibdeps
# (package dpkg-dev); the font package is named by hand, since the program finds its faces
# through fontconfig at run time and no linker records them.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "filter2")
set(CPACK_PACKAGE_VENDOR "The filter2 developers")
set(CPACK_PACKAGE_CONTACT "The filter2 developers <filter2@example.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for second-order active filters")
# The long description, wrapped as Debian wants it (the generator indents each line).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "filter2 computes the parts of second-order unity-gain active filter sections:"
  "a low-pass section with two equal resistors and a high-pass section with two"
  "equal capacitors. It takes the corner frequency, the quality factor or a filter"
  "family, the resistor and the capacitor, shows the resulting parts and plots the"
  "magnitude response of both sections.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/filter2")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
include(CPack)
