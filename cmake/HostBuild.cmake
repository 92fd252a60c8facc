# The host build of the window-free core (see cmake/HostBuilds.cmake): core with the host's
# platform answers (core/HostPlatform.cpp), its suites under the sanitizers and the fuzz targets
# with their corpus driver; with QUOLIN_AFL the fuzz targets alone, for afl-fuzz (the compiler
# afl-g++ adds the sanitizers when AFL_USE_ASAN and AFL_USE_UBSAN are set).
option(QUOLIN_AFL "Build the fuzz targets for afl-fuzz" OFF)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
if(NOT QUOLIN_AFL)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_subdirectory(src/core)
if(NOT QUOLIN_AFL)
  quolin_add_googletest()
  add_subdirectory(tests/core)
endif()
add_subdirectory(tests/fuzz)
