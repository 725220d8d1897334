# The Qt 6 headers of the build machine as the imported targets that the launcher's windows link
# (Qt6::Widgets, Qt6::Quick, Qt6::WebEngineWidgets), carrying nothing but the headers: enough to
# compile the windows' code in a cross build for which no Qt is installed, not to link it.
find_program(TARVENNE_BUILD_MACHINE_QTPATHS NAMES qtpaths6 REQUIRED NO_CMAKE_FIND_ROOT_PATH)
execute_process(COMMAND ${TARVENNE_BUILD_MACHINE_QTPATHS} --query QT_INSTALL_HEADERS
                OUTPUT_VARIABLE qt_headers OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
file(GLOB qt_module_headers LIST_DIRECTORIES true "${qt_headers}/Qt*")

add_library(tarvenne_qt_headers INTERFACE)
target_include_directories(tarvenne_qt_headers SYSTEM INTERFACE ${qt_headers} ${qt_module_headers})
# The build machine's Qt declares its exports for its own platform: on Windows they read as
# imports that some friend declarations repeat without.
target_compile_options(tarvenne_qt_headers INTERFACE -Wno-attributes)

foreach(module Widgets Quick WebEngineWidgets)
    add_library(Qt6::${module} INTERFACE IMPORTED)
    target_link_libraries(Qt6::${module} INTERFACE tarvenne_qt_headers)
endforeach()
