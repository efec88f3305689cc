# Cross-compiling Люмора for 64-bit Windows on Debian with MinGW-w64 (the posix thread model, which
# the C++ standard library's threads need) against the static Qt that scripts/windows-toolchain builds:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# LUMORA_WINDOWS_CACHE (a CMake or environment variable) is that script's cache folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMORA_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUMORA_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMORA_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMORA_TRIPLET}-windres)

if(NOT LUMORA_WINDOWS_CACHE)
  if(DEFINED ENV{LUMORA_WINDOWS_CACHE})
    set(LUMORA_WINDOWS_CACHE $ENV{LUMORA_WINDOWS_CACHE})
  else()
    set(LUMORA_WINDOWS_CACHE $ENV{HOME}/.cache/lumora/windows-6.4.2)
  endif()
endif()
set(LUMORA_WINDOWS_CACHE ${LUMORA_WINDOWS_CACHE} CACHE PATH "Folder of scripts/windows-toolchain")
# try_compile projects see the toolchain file again, without the cache: pass the folder on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LUMORA_WINDOWS_CACHE)

# Libraries and headers come from the MinGW sysroot and the cache; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${LUMORA_TRIPLET} ${LUMORA_WINDOWS_CACHE}/qt ${LUMORA_WINDOWS_CACHE}/xlsxwriter)
set(CMAKE_PREFIX_PATH ${LUMORA_WINDOWS_CACHE}/qt ${LUMORA_WINDOWS_CACHE}/xlsxwriter)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Qt's host tools (moc, rcc, uic) and CMake files for them: Debian's own Qt of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Tests and the report are run under Wine from the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
