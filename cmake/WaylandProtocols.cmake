# Whether the native Wayland parts can be built: wayland-client,
# wayland-scanner and wayland-protocols (for the xdg-shell interfaces the
# layer shell refers to) found by pkg-config. Sets MORAVEL_HAVE_WAYLAND and, when
# true, the imported target PkgConfig::WaylandClient and the function
# moravel_wayland_protocol.
set(MORAVEL_HAVE_WAYLAND OFF)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(WaylandClient QUIET IMPORTED_TARGET wayland-client)
  pkg_check_modules(WaylandScanner QUIET wayland-scanner)
  pkg_check_modules(WaylandProtocols QUIET wayland-protocols)
endif()
if(WaylandClient_FOUND AND WaylandScanner_FOUND AND WaylandProtocols_FOUND)
  pkg_get_variable(MORAVEL_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
  pkg_get_variable(_moravel_scanner wayland-scanner wayland_scanner)
  find_program(MORAVEL_WAYLAND_SCANNER NAMES wayland-scanner HINTS ${_moravel_scanner})
  if(MORAVEL_WAYLAND_SCANNER)
    set(MORAVEL_HAVE_WAYLAND ON)
  endif()
endif()
if(NOT MORAVEL_HAVE_WAYLAND)
  message(STATUS "wayland-client, wayland-scanner or wayland-protocols not found: "
                 "no native Wayland desktop surface")
  return()
endif()

enable_language(C)  # the interface code wayland-scanner writes

# moravel_wayland_protocol(target protocol-name [xml]): the client header
# and the interface code of protocols/<protocol-name>.xml (or of `xml`), made
# by wayland-scanner in the build tree at build time, are built into
# `target`; the header is included as "<protocol-name>-client-protocol.h".
function(moravel_wayland_protocol target name)
  set(_xml ${PROJECT_SOURCE_DIR}/protocols/${name}.xml)
  if(ARGC GREATER 2)
    set(_xml ${ARGV2})
  endif()
  set(_dir ${PROJECT_BINARY_DIR}/protocols)
  set(_header ${_dir}/${name}-client-protocol.h)
  set(_code ${_dir}/${name}-protocol.c)
  if(NOT TARGET moravel_protocol_${name})
    add_custom_command(
      OUTPUT ${_header} ${_code}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
      COMMAND ${MORAVEL_WAYLAND_SCANNER} client-header ${_xml} ${_header}
      COMMAND ${MORAVEL_WAYLAND_SCANNER} private-code ${_xml} ${_code}
      DEPENDS ${_xml}
      COMMENT "wayland-scanner: ${name}"
      VERBATIM)
    # The interface code is C; a small object library keeps it out of the C++
    # warning flags' way and lets several targets share it.
    add_library(moravel_protocol_${name} OBJECT ${_code} ${_header})
    set_target_properties(moravel_protocol_${name} PROPERTIES LINKER_LANGUAGE C)
    target_include_directories(moravel_protocol_${name} PUBLIC ${_dir})
    target_link_libraries(moravel_protocol_${name} PUBLIC PkgConfig::WaylandClient)
  endif()
  # Linked directly, an object library's objects are built into the target.
  target_link_libraries(${target} PRIVATE moravel_protocol_${name})
endfunction()
