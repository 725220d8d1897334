# Provides GoogleTest as GTest::gtest, GTest::gtest_main, GTest::gmock and GTest::gmock_main,
# and gtest_discover_tests() for registering a suite with CTest.
include(GoogleTest)

if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest REQUIRED)
    return()
endif()

# The installed libraries are built for this machine: compile Debian's sources for the target.
set(googletest_source_dir /usr/src/googletest)
if(NOT EXISTS ${googletest_source_dir}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${googletest_source_dir} (package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${googletest_source_dir} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# A cross-built suite runs under the emulator (Wine), whose start costs more than most test
# cases: each suite is one CTest test that runs all its cases in one process and prints only
# failures and GoogleTest's summary. Select cases with --gtest_filter in EXTRA_ARGS.
function(gtest_discover_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg ""
        "TEST_PREFIX;TEST_SUFFIX;WORKING_DIRECTORY;TEST_LIST;DISCOVERY_TIMEOUT;XML_OUTPUT_DIR;DISCOVERY_MODE"
        "EXTRA_ARGS;PROPERTIES")
    if(NOT arg_WORKING_DIRECTORY)
        set(arg_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    set(name ${arg_TEST_PREFIX}${target}${arg_TEST_SUFFIX})
    add_test(NAME ${name} COMMAND ${target} --gtest_brief=1 ${arg_EXTRA_ARGS}
             WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
    if(arg_PROPERTIES)
        set_tests_properties(${name} PROPERTIES ${arg_PROPERTIES})
    endif()
endfunction()
