# Cross build for 64-bit Windows with MinGW-w64 (Debian package
# g++-mingw-w64-x86-64). The "-posix" compilers are the ones whose C++
# library has threads, which GoogleTest uses. Everything is linked
# statically, so vorrel-scan.exe needs no DLL beside it.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VORREL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
