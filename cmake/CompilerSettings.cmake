# Warnings and language settings shared by every target of the project.
# Link `tarvenne_compiler_settings` PRIVATE so consumers are not affected.
add_library(tarvenne_compiler_settings INTERFACE)
target_compile_features(tarvenne_compiler_settings INTERFACE cxx_std_20)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(tarvenne_compiler_settings INTERFACE -Wall -Wextra -Wpedantic)
endif()
