# Checks which folders the sources of each layer include (run with -P):
#
#   cmake -DROOT=<source root> [-DALLOW=file:include,...] -P check_includes.cmake
#
# The feature folders (core, browsers, desktop, review) include only core
# (the shared sweep core/sweep among it), ui and platform, never each other;
# ui/ includes only ui and platform; platform/ only platform. Everything
# that joins folders lives above them, in app/. Each violation is printed
# as "<file> includes <header>" and the script fails. ALLOW names single
# includes that are accepted for now; one that no longer occurs fails too,
# so the allowance is removed with the include.
cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source root> -P check_includes.cmake")
endif()

string(REPLACE "," ";" ALLOW "${ALLOW}")
set(features core browsers desktop review)
set(allowed_core core ui platform)
set(allowed_browsers browsers core ui platform)
set(allowed_desktop desktop core ui platform)
set(allowed_review review core ui platform)
set(allowed_ui ui platform)
set(allowed_platform platform)

set(violations)
set(used_allowances)
foreach(layer ${features} ui platform)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
      # A header without a folder is the including file's neighbour.
      if(NOT header MATCHES "/")
        continue()
      endif()
      string(REGEX REPLACE "/.*$" "" top "${header}")
      if(top IN_LIST allowed_${layer})
        continue()
      endif()
      if("${source}:${header}" IN_LIST ALLOW)
        list(APPEND used_allowances "${source}:${header}")
        continue()
      endif()
      list(APPEND violations "${source} includes ${header}")
    endforeach()
  endforeach()
endforeach()

foreach(allowance ${ALLOW})
  if(NOT allowance IN_LIST used_allowances)
    list(APPEND violations "allowed include no longer present, remove it from the allowance: ${allowance}")
  endif()
endforeach()

if(violations)
  foreach(violation ${violations})
    message("${violation}")
  endforeach()
  list(LENGTH violations count)
  message("${count} include(s) against the layers")
  message(FATAL_ERROR "include check failed")
endif()
message(STATUS "includes follow the layers")
