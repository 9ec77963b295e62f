# Cross-building the Windows program on Linux with mingw-w64 (Debian:
# g++-mingw-w64-x86-64-posix), for 64-bit Windows.
#
#   cmake --preset windows        (or -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
#
# Everything is linked statically (the C++ runtime, libgcc and winpthread
# included), so the program needs only DLLs that Windows ships. The
# programs built here (the tests) run under Wine, in a Wine prefix of the
# build folder's own (cmake/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZUNINFO_MINGW x86_64-w64-mingw32)
# The posix flavour, whose C++ library has std::thread and friends.
set(CMAKE_C_COMPILER ${ZUNINFO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZUNINFO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZUNINFO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZUNINFO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
