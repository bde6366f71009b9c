# Work-arounds for compiler bugs, kept narrow: each is limited to the
# compiler versions that have the bug.

# GCC 12 (Debian 12's g++ and mingw-w64 g++) reports a bogus -Wrestrict
# overlap ("accessing 9223372036854775810 or more bytes") inside libstdc++ for
# `"literal" + std::string` in C++20 at -O2 and above, which -Werror turns
# into a failed Release build. GCC bug 105329, fixed in GCC 13.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
endif()
