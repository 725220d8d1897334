# Warnings and language settings shared by every target of the project.
# Link `tarvenne_compiler_settings` PRIVATE so consumers are not affected.
add_library(tarvenne_compiler_settings INTERFACE)
target_compile_features(tarvenne_compiler_settings INTERFACE cxx_std_20)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(tarvenne_compiler_settings INTERFACE -Wall -Wextra -Wpedantic)
endif()

# Hardening of optimised builds for Linux, as Debian builds its packages: checked buffer
# functions (they need optimisation), stack protection, and relocations made read-only
# before the program starts.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT WIN32)
    set(optimised_build "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    target_compile_options(tarvenne_compiler_settings INTERFACE
        "$<${optimised_build}:-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
    target_link_options(tarvenne_compiler_settings INTERFACE
        "$<${optimised_build}:-Wl,-z,relro,-z,now>")
endif()
