# nlohmann/json for cross-builds. The library is header-only and the same for every target, so
# the host's installed headers are used, reached through a directory that holds nothing else:
# the host's own system headers must never come before the target's.
set(nlohmann_json_host_headers /usr/include/nlohmann)
if(NOT EXISTS ${nlohmann_json_host_headers}/json.hpp)
    set(nlohmann_json_FOUND FALSE)
    set(nlohmann_json_NOT_FOUND_MESSAGE "${nlohmann_json_host_headers}/json.hpp not found (package nlohmann-json3-dev)")
    return()
endif()

if(NOT TARGET nlohmann_json::nlohmann_json)
    set(nlohmann_json_include_dir ${CMAKE_BINARY_DIR}/host-headers/nlohmann_json)
    file(MAKE_DIRECTORY ${nlohmann_json_include_dir})
    file(CREATE_LINK ${nlohmann_json_host_headers} ${nlohmann_json_include_dir}/nlohmann SYMBOLIC)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${nlohmann_json_include_dir})
endif()
