# add_vessel_module(<target> OUTPUT_NAME <file name> EXPORTS <names...> [SOURCES <extra...>])
#
# Builds a vessel module from the module shell and the debris class, plus any
# extra sources: a loadable file named exactly <file name> with the platform's
# suffix, exporting exactly the named symbols, linked against the host.
set(HULKFALL_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)

function(add_vessel_module target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "OUTPUT_NAME" "EXPORTS;SOURCES")
  set(root ${HULKFALL_SOURCE_DIR})
  add_library(${target} MODULE
    ${root}/module/module_entry.cpp
    ${root}/vessel/debris_vessel.cpp
    ${root}/vessel/module_clock.cpp
    ${ARG_SOURCES})
  target_include_directories(${target} PRIVATE ${root}/host ${root}/vessel)
  target_link_libraries(${target} PRIVATE standin_host)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${ARG_OUTPUT_NAME}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)

  list(JOIN ARG_EXPORTS ";\n    " export_lines)
  if(WIN32)
    set(def_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    list(JOIN ARG_EXPORTS "\n  " def_lines)
    file(CONFIGURE OUTPUT ${def_file} CONTENT "EXPORTS\n  ${def_lines}\n")
    target_sources(${target} PRIVATE ${def_file} ${root}/module/windows_allocation.cpp)
    target_compile_options(${target} PRIVATE -fno-exceptions)
  else()
    # The loader layer goes last, so that its attach notification follows
    # every other static initialiser of the module.
    target_sources(${target} PRIVATE ${root}/module/posix_loader.cpp)
    target_link_libraries(${target} PRIVATE ${CMAKE_DL_LIBS})
    set(map_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
    file(CONFIGURE OUTPUT ${map_file}
      CONTENT "{\n  global:\n    ${export_lines};\n  local: *;\n};\n")
    # Unique symbols would pin the module in memory past dlclose, and its
    # module-wide values with it.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -fno-gnu-unique)
    endif()
    target_link_options(${target} PRIVATE -Wl,--version-script=${map_file})
    # clang leaves the sanitizer runtime to the program, so a sanitized
    # module has undefined references by design.
    if(NOT (HULKFALL_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang"))
      target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${map_file})
  endif()
endfunction()
