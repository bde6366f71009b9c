# Cross toolchain for the Windows build: mingw-w64, x86_64, posix threads.
#
# The posix-thread compilers are needed because GoogleTest (and std::thread /
# std::mutex in our own code) do not compile with the win32-thread ones.
# Test executables run under Wine through scripts/wine-run.sh, which ctest
# and gtest_discover_tests use as CMAKE_CROSSCOMPILING_EMULATOR.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOSTREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOSTREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOSTREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VOSTREL_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

get_filename_component(_vostrel_source_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

# Where scripts/setup.sh installs the mingw builds of GoogleTest and
# libjpeg-turbo. A -D on the command line or the environment wins.
if(NOT VOSTREL_DEPS_PREFIX)
  if(DEFINED ENV{VOSTREL_DEPS_PREFIX} AND NOT "$ENV{VOSTREL_DEPS_PREFIX}" STREQUAL "")
    set(VOSTREL_DEPS_PREFIX "$ENV{VOSTREL_DEPS_PREFIX}")
  else()
    set(VOSTREL_DEPS_PREFIX "${_vostrel_source_root}/build/deps-mingw")
  endif()
endif()
# try_compile projects read this file again; hand them the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VOSTREL_DEPS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${VOSTREL_MINGW_TRIPLE} ${VOSTREL_DEPS_PREFIX})
# Programs (nasm, wine, python ...) come from the build machine; headers,
# libraries and CMake packages only from the roots above.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Run Windows executables (tests, test discovery) under Wine with a private
# prefix; see scripts/wine-run.sh for the environment it honours.
set(CMAKE_CROSSCOMPILING_EMULATOR "${_vostrel_source_root}/scripts/wine-run.sh")
