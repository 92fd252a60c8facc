# The host builds of the window-free core, configured and built with the program's build so
# that the one test command runs them too (cmake/HostBuild.cmake is their side):
#   native/  Debian's g++ under AddressSanitizer and UBSan: the core's suites, and the fuzz
#            targets over their seed corpora;
#   fuzz/    the fuzz targets instrumented by AFL++ (afl-g++ with its sanitizers) for afl-fuzz.
include(ExternalProject)
set(QUOLIN_NATIVE_BIN ${CMAKE_BINARY_DIR}/native/bin)
set(QUOLIN_AFL_BIN ${CMAKE_BINARY_DIR}/fuzz/bin)

# quolin_host_build(<name> <folder> CMAKE_ARGS <args...> [ENV <VAR=value...>])
function(quolin_host_build name folder)
  cmake_parse_arguments(ARG "" "" "CMAKE_ARGS;ENV" ${ARGN})
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${folder}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo ${ARG_CMAKE_ARGS}
    BUILD_COMMAND ${CMAKE_COMMAND} -E env ${ARG_ENV} ${CMAKE_COMMAND} --build <BINARY_DIR>
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
endfunction()

quolin_host_build(native_build native CMAKE_ARGS -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++)
quolin_host_build(afl_build fuzz
  CMAKE_ARGS -DCMAKE_C_COMPILER=afl-gcc -DCMAKE_CXX_COMPILER=afl-g++ -DQUOLIN_AFL=ON
  ENV AFL_USE_ASAN=1 AFL_USE_UBSAN=1 AFL_QUIET=1)
