# Cross build of the Windows library with Debian's MinGW-w64 toolchain
# (package g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SKARVEL_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${SKARVEL_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${SKARVEL_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${SKARVEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SKARVEL_MINGW_PREFIX})
# Programs (the JDK's javac) come from the build machine; headers and
# libraries only from the Windows target tree.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
