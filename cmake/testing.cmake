# Test helpers shared by the test folders.
include(GoogleTest)

# vostrel_discover_tests(<target> LABEL <label> [TIMEOUT <seconds>] [PROPERTIES <prop> <value>...])
#
# gtest_discover_tests with the project's defaults: every test gets the label
# (unit, contract, e2e, smoke) and a timeout. In the Windows build the test
# list is read when ctest runs (DISCOVERY_MODE PRE_TEST), inside the Wine
# environment of scripts/test.sh, so building never needs Wine; natively it
# is read right after the build.
function(vostrel_discover_tests target)
  cmake_parse_arguments(arg "" "LABEL;TIMEOUT" "PROPERTIES" ${ARGN})
  if(NOT arg_LABEL)
    message(FATAL_ERROR "vostrel_discover_tests(${target}): LABEL is required")
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  if(CMAKE_CROSSCOMPILING)
    set(mode PRE_TEST)
  else()
    set(mode POST_BUILD)
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE ${mode}
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS ${arg_LABEL} TIMEOUT ${arg_TIMEOUT} ${arg_PROPERTIES})
endfunction()
