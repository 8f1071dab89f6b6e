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
endif()

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
include(CPack)
