# The host build of the window-free core, configured and built with the program's build so
# that the one test command runs it too (cmake/HostBuild.cmake is its side): native/, Debian's
# g++ under AddressSanitizer and UBSan with the core's suites.
include(ExternalProject)
set(QUOLIN_NATIVE_BIN ${CMAKE_BINARY_DIR}/native/bin)

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
