# Warnings are errors in the project's own code.
function(kelo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wno-error=deprecated-declarations)
  # GCC 12 reports impossible overlaps inside std::string at -O3 (GCC bug 105329): keep the
  # warning visible but do not fail the build on it.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-error=restrict)
  endif()
endfunction()
