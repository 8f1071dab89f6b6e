# Installs the build into an empty staging root (as a package build does, with DESTDIR and
# prefix /usr) and checks that exactly the expected files arrive, that the data files are the
# sources unchanged, that each icon has the size of its folder, and that the menu entry, the
# metainfo, the icon name and the executable name agree with each other.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DAPP_ID=... -DICON_NAME=...
#         -DEXPECT_BINARY=ON|OFF -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var BUILD_DIR SOURCE_DIR WORK_DIR APP_ID ICON_NAME EXPECT_BINARY)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckInstall.cmake needs -D${var}=...")
  endif()
endforeach()

set(errors "")
macro(fail text)
  string(APPEND errors "  ${text}\n")
endmacro()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${WORK_DIR}"
          ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()
set(root "${WORK_DIR}/usr")

# Installed path (relative to the prefix) -> source file it must equal.
set(svg "icons/hicolor/scalable/apps/${ICON_NAME}.svg")
set(expected
  "share/doc/filter2/copyright=data/copyright"
  "share/applications/${APP_ID}.desktop=data/${APP_ID}.desktop"
  "share/metainfo/${APP_ID}.metainfo.xml=data/${APP_ID}.metainfo.xml"
  "share/${svg}=data/${svg}")
set(raster_sizes 32 48 128 256)
foreach(size ${raster_sizes})
  set(rel "icons/hicolor/${size}x${size}/apps/${ICON_NAME}.png")
  list(APPEND expected "share/${rel}=data/${rel}")
endforeach()

set(expected_paths "")
foreach(pair ${expected})
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 installed)
  list(GET parts 1 source)
  list(APPEND expected_paths "${installed}")
  if(NOT EXISTS "${root}/${installed}")
    fail("missing: /usr/${installed}")
    continue()
  endif()
  file(SHA256 "${root}/${installed}" got)
  file(SHA256 "${SOURCE_DIR}/${source}" want)
  if(NOT got STREQUAL want)
    fail("/usr/${installed} differs from ${source}")
  endif()
endforeach()

if(EXPECT_BINARY)
  # The manual page, compressed (gzip's magic bytes 1f 8b).
  list(APPEND expected_paths "share/man/man1/filter2.1.gz")
  if(NOT EXISTS "${root}/share/man/man1/filter2.1.gz")
    fail("missing: /usr/share/man/man1/filter2.1.gz")
  else()
    file(READ "${root}/share/man/man1/filter2.1.gz" magic LIMIT 2 HEX)
    if(NOT magic STREQUAL "1f8b")
      fail("/usr/share/man/man1/filter2.1.gz is not gzip-compressed")
    endif()
  endif()
  list(APPEND expected_paths "bin/filter2" "${WINDOW_MODULE}")
  if(NOT EXISTS "${root}/${WINDOW_MODULE}")
    fail("missing: /usr/${WINDOW_MODULE}, the window module")
  endif()
  if(NOT EXISTS "${root}/bin/filter2")
    fail("missing: /usr/bin/filter2")
  else()
    execute_process(COMMAND test -x "${root}/bin/filter2" RESULT_VARIABLE not_executable)
    if(not_executable)
      fail("/usr/bin/filter2 is not executable")
    endif()
  endif()
endif()

# Nothing else may land in the package: a stray file is a packaging fault too.
file(GLOB_RECURSE actual LIST_DIRECTORIES false RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
foreach(path ${actual})
  string(REGEX REPLACE "^usr/" "" rel "${path}")
  if(NOT path MATCHES "^usr/" OR NOT rel IN_LIST expected_paths)
    fail("unexpected file: /${path}")
  endif()
endforeach()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size ${raster_sizes})
  set(png "${root}/share/icons/hicolor/${size}x${size}/apps/${ICON_NAME}.png")
  if(EXISTS "${png}")
    file(READ "${png}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT header MATCHES "^89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
      fail("${size}x${size}/apps/${ICON_NAME}.png is ${width} x ${height}, not ${size} x ${size}")
    endif()
  endif()
endforeach()

# The menu entry launches the installed executable, shows the installed icon and claims the
# window whose class is the application id; the metainfo points back at the entry.
set(desktop "${root}/share/applications/${APP_ID}.desktop")
if(EXISTS "${desktop}")
  file(STRINGS "${desktop}" lines ENCODING UTF-8)
  set(keys Exec Icon StartupWMClass)
  foreach(key ${keys})
    set(${key} "")
    foreach(line ${lines})
      if(line MATCHES "^${key}=(.*)$")
        set(${key} "${CMAKE_MATCH_1}")
      endif()
    endforeach()
  endforeach()
  string(REGEX REPLACE " .*" "" exec_name "${Exec}")
  if(NOT exec_name STREQUAL "filter2")
    fail("the menu entry runs '${Exec}', not filter2")
  endif()
  if(NOT Icon STREQUAL ICON_NAME)
    fail("the menu entry's icon is '${Icon}', the installed icons are named ${ICON_NAME}")
  endif()
  if(NOT StartupWMClass STREQUAL APP_ID)
    fail("the menu entry's StartupWMClass is '${StartupWMClass}', not ${APP_ID}")
  endif()
endif()
set(metainfo "${root}/share/metainfo/${APP_ID}.metainfo.xml")
if(EXISTS "${metainfo}")
  file(READ "${metainfo}" xml)
  foreach(needle "<id>${APP_ID}</id>"
                 "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
                 "<binary>filter2</binary>")
    string(FIND "${xml}" "${needle}" at)
    if(at EQUAL -1)
      fail("the metainfo lacks ${needle}")
    endif()
  endforeach()
endif()

if(errors)
  message(FATAL_ERROR "install into ${WORK_DIR} is not as expected:\n${errors}")
endif()
list(LENGTH expected_paths count)
message(STATUS "install into ${WORK_DIR}: ${count} files, all as expected")
