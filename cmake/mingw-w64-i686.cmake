# Cross-compiles Kartotrix for 32-bit Windows with Debian's mingw-w64 (POSIX threads, for
# std::thread and std::mutex; the programs link them statically):
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KARTOTRIX_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KARTOTRIX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KARTOTRIX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KARTOTRIX_MINGW_TRIPLET}-windres)

# Libraries and headers come from the cross tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KARTOTRIX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
