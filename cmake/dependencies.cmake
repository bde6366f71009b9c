# Third-party libraries. Natively they come from Debian's -dev packages; for
# the Windows build scripts/setup.sh builds them from Debian's sources with
# the mingw toolchain into VOSTREL_DEPS_PREFIX.
if(WIN32)
  set(VOSTREL_DEPS_PREFIX "" CACHE PATH "Where setup.sh installed the mingw builds of the dependencies")
  if(VOSTREL_DEPS_PREFIX)
    list(PREPEND CMAKE_PREFIX_PATH ${VOSTREL_DEPS_PREFIX})
    list(PREPEND CMAKE_FIND_ROOT_PATH ${VOSTREL_DEPS_PREFIX})
  endif()
endif()
find_package(GTest REQUIRED)
find_package(JPEG REQUIRED)
