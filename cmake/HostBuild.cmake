# The host build of the window-free core (see cmake/HostBuilds.cmake): core with the host's
# platform answers (core/HostPlatform.cpp) and its suites under the sanitizers.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

add_subdirectory(src/core)
quolin_add_googletest()
add_subdirectory(tests/core)
