# Third-party libraries. Natively they come from Debian's -dev packages; for
# the Windows build scripts/setup.sh builds them from Debian's sources with
# the mingw toolchain into VOSTREL_DEPS_PREFIX (default build/deps-mingw).
if(WIN32)
  if(NOT VOSTREL_DEPS_PREFIX)
    set(VOSTREL_DEPS_PREFIX "${CMAKE_SOURCE_DIR}/build/deps-mingw")
  endif()
  set(VOSTREL_DEPS_PREFIX "${VOSTREL_DEPS_PREFIX}" CACHE PATH
      "Where scripts/setup.sh installed the mingw builds of the dependencies")
  if(NOT EXISTS "${VOSTREL_DEPS_PREFIX}/.stamps")
    message(FATAL_ERROR "No mingw dependencies in ${VOSTREL_DEPS_PREFIX}: run scripts/setup.sh first")
  endif()
  list(PREPEND CMAKE_PREFIX_PATH ${VOSTREL_DEPS_PREFIX})
  list(PREPEND CMAKE_FIND_ROOT_PATH ${VOSTREL_DEPS_PREFIX})
  list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
endif()

find_package(GTest REQUIRED)
find_package(JPEG REQUIRED)
if(NOT TARGET GTest::gmock)
  message(FATAL_ERROR "GoogleMock was not found beside GoogleTest (${GTest_DIR})")
endif()

if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  # What runs a Windows program here; tests that start programs themselves
  # (e2e drivers, scripts) use it as the command prefix. It is also the
  # CMAKE_CROSSCOMPILING_EMULATOR that add_test and gtest_discover_tests use.
  list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 VOSTREL_WINE_RUN)
  if(NOT EXISTS "${VOSTREL_WINE_RUN}")
    message(FATAL_ERROR "CMAKE_CROSSCOMPILING_EMULATOR ${VOSTREL_WINE_RUN} does not exist")
  endif()
else()
  set(VOSTREL_WINE_RUN "")
endif()

# xxHash (Debian's libxxhash-dev) is used header-only (XXH_INLINE_ALL), so
# the same header serves the mingw build. The native include folder cannot
# go onto the mingw include path (its C library headers would be taken for
# mingw's), so the header is copied into a folder of its own in the build.
find_path(VOSTREL_XXHASH_DIR xxhash.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          NO_DEFAULT_PATH)
if(NOT VOSTREL_XXHASH_DIR)
  message(FATAL_ERROR "xxhash.h not found: install libxxhash-dev (scripts/setup.sh does)")
endif()
file(COPY ${VOSTREL_XXHASH_DIR}/xxhash.h DESTINATION ${CMAKE_BINARY_DIR}/xxhash-include)
add_library(vostrel_xxhash INTERFACE)
target_include_directories(vostrel_xxhash SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/xxhash-include)

include(${CMAKE_CURRENT_LIST_DIR}/compiler-workarounds.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/testing.cmake)
