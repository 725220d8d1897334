# The client code of a Wayland protocol, generated from its XML description by wayland-scanner
# into the build tree: tarvenne_wayland_client_protocol(TARGET XML) adds the protocol's code to
# TARGET's sources and its header (NAME-client-protocol.h) to TARGET's include path.
# The code that wayland-scanner generates is C.
enable_language(C)
find_package(PkgConfig REQUIRED)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)

function(tarvenne_wayland_client_protocol target protocol)
    get_filename_component(name ${protocol} NAME_WE)
    set(header ${CMAKE_CURRENT_BINARY_DIR}/${name}-client-protocol.h)
    set(code ${CMAKE_CURRENT_BINARY_DIR}/${name}-protocol.c)
    add_custom_command(OUTPUT ${header}
        COMMAND ${WAYLAND_SCANNER} client-header ${protocol} ${header}
        DEPENDS ${protocol})
    add_custom_command(OUTPUT ${code}
        COMMAND ${WAYLAND_SCANNER} private-code ${protocol} ${code}
        DEPENDS ${protocol})
    target_sources(${target} PRIVATE ${header} ${code})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
