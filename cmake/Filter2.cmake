# One static library per source folder, built from every .cpp in it.
# A folder without sources yet becomes an interface library so the tree always configures.
function(f2_folder_library name)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_PUBLIC})
  endif()
endfunction()

# One GoogleTest executable from every .cpp of a tests/ folder, registered with CTest
# case by case under the given labels (unit, gui, e2e, fuzz).
function(f2_test_folder name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    F2_SOURCE_DIR="${PROJECT_SOURCE_DIR}" F2_BINARY_DIR="${PROJECT_BINARY_DIR}")
  # Tests on an X display share the screen (screenshots, focus): they take turns.
  set(lock)
  if("gui" IN_LIST ARG_LABELS OR "e2e" IN_LIST ARG_LABELS)
    set(lock RESOURCE_LOCK x11display)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT} ${lock})
endfunction()
