# Embedded resources: layouts compiled at build time and files embedded as they are.
#
#   f2_add_resources(<target> PREFIX <Name>
#                    [LAYOUTS <type> <name> <layout-text> ...]
#                    [FILES   <type> <name> <file> ...])
#
# Each layout text is compiled by layoutc into its binary stream (rebuilt when the text or any
# file it references changes: layoutc writes a depfile); f2embed then turns the streams and the
# files into <Name>Resources.cpp/.h, added to <target>. The target calls
# Register<Name>Resources() (from "<Name>Resources.h") to put them into the ResourceTable.
# Relative paths are taken from the calling CMakeLists.txt's folder.
#
# Example (the main window's layout and the application icon):
#   f2_add_resources(filter2 PREFIX Filter2
#                    LAYOUTS RCDATA TFORM1 Unit1.layout
#                    FILES   ICON MAINICON filter2.ico)
function(f2_add_resources target)
  cmake_parse_arguments(ARG "" "PREFIX" "LAYOUTS;FILES" ${ARGN})
  if(NOT ARG_PREFIX OR NOT ARG_PREFIX MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    message(FATAL_ERROR "f2_add_resources(${target}): PREFIX must be a C++ identifier")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "f2_add_resources(${target}): unexpected arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  foreach(group LAYOUTS FILES)
    list(LENGTH ARG_${group} count)
    math(EXPR rest "${count} % 3")
    if(NOT rest EQUAL 0)
      message(FATAL_ERROR "f2_add_resources(${target}): ${group} takes triples <type> <name> <file>")
    endif()
  endforeach()

  set(gen_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  file(MAKE_DIRECTORY ${gen_dir})
  set(embed_args)
  set(embed_depends)

  while(ARG_LAYOUTS)
    list(POP_FRONT ARG_LAYOUTS type name layout)
    get_filename_component(layout ${layout} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    set(stream ${gen_dir}/${type}_${name}.bin)
    add_custom_command(
      OUTPUT ${stream}
      COMMAND layoutc ${layout} ${stream} --depfile ${stream}.d
      DEPENDS layoutc ${layout}
      DEPFILE ${stream}.d
      COMMENT "Compiling layout ${layout}"
      VERBATIM)
    list(APPEND embed_args ${type} ${name} ${stream})
    list(APPEND embed_depends ${stream})
  endwhile()

  while(ARG_FILES)
    list(POP_FRONT ARG_FILES type name file)
    get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND embed_args ${type} ${name} ${file})
    list(APPEND embed_depends ${file})
  endwhile()

  set(source ${gen_dir}/${ARG_PREFIX}Resources.cpp)
  set(header ${gen_dir}/${ARG_PREFIX}Resources.h)
  add_custom_command(
    OUTPUT ${source} ${header}
    COMMAND f2embed ${ARG_PREFIX} ${source} ${header} ${embed_args}
    DEPENDS f2embed ${embed_depends}
    COMMENT "Embedding resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${source} ${header})
  target_include_directories(${target} PRIVATE ${gen_dir})
  target_link_libraries(${target} PRIVATE forms)
endfunction()
