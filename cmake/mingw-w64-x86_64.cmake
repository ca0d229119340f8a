# Cross-builds for 64-bit Windows with Debian's MinGW-w64, in its posix threads flavour (std::thread,
# std::mutex). Everything is linked statically, so that no DLL has to travel with the executables.
# ORV_WINDOWS_DEPS is the prefix where scripts/windows-deps installed the third-party libraries;
# programs of the build, tests included, run under Wine with a prefix of their own in the build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORV_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORV_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORV_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORV_MINGW}-windres)

# Libraries, headers and packages come from the MinGW-w64 tree and the prefix, never from the host.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORV_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${ORV_MINGW} ${ORV_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread included.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator ${CMAKE_BINARY_DIR}/wine)
# How programs under Wine name the host's files: drive Z: is its root.
set(ORV_HOST_PATH_PREFIX Z:)
