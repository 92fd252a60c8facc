# Helpers for the project's targets.

# quolin_library(<name> SOURCES <files...> [DEPENDS <libs...>])
# One static library per subsystem folder; its folder under src/ is the include root.
function(quolin_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# quolin_test(<name> SOURCES <files...> [DEPENDS <libs...>] [LOCK <resource...>]
#             [LABELS <labels...>] [TIMEOUT <seconds>] [SERIAL])
# A GoogleTest executable run under Wine; cases are listed when ctest runs, not at build
# time, so that no wineserver starts without the test display. SERIAL cases run with no other
# test beside them (they move the pointer or depend on which application is active).
function(quolin_test name)
  cmake_parse_arguments(ARG "SERIAL" "TIMEOUT" "SOURCES;DEPENDS;LOCK;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(props TIMEOUT ${ARG_TIMEOUT})
  if(ARG_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${QUOLIN_BIN_DIR}
    PROPERTIES ${props})
  # A property of several values would be split into single values on its way through
  # gtest_discover_tests: a script that ctest runs after the discovered cases sets them.
  set(lists "")
  if(ARG_LOCK)
    string(APPEND lists " RESOURCE_LOCK [==[${ARG_LOCK}]==]")
  endif()
  if(ARG_LABELS)
    string(APPEND lists " LABELS [==[${ARG_LABELS}]==]")
  endif()
  if(lists)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake)
    file(WRITE ${script}
      "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES${lists})\nendif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
  endif()
endfunction()

# GoogleTest from Debian's sources, built as part of the build.
macro(quolin_add_googletest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(gtarget gtest gtest_main gmock gmock_main)
    # GoogleTest is someone else's code: its own warnings and charset stay its own.
    target_compile_options(${gtarget} PRIVATE -w -fexec-charset=UTF-8)
  endforeach()
  include(GoogleTest)
endmacro()

# quolin_core_test(<name> SOURCES <files...> [DEPENDS <libs...>])
# A suite of the window-free core. The program's build runs it under Wine like any suite, and
# the host build's executable of the same name as one ctest entry "native.<name>" (label
# native); the host build makes that executable under the sanitizers.
function(quolin_core_test name)
  if(CMAKE_CROSSCOMPILING)
    quolin_test(${name} ${ARGN})
    add_test(NAME native.${name} COMMAND ${QUOLIN_NATIVE_BIN}/${name})
    set_tests_properties(native.${name} PROPERTIES LABELS native TIMEOUT 300)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endfunction()

# quolin_fuzz_target(<name> SOURCES <files...>)
# A fuzz target of tests/fuzz (LLVMFuzzerTestOneInput) over the core, with its seed corpus in
# tests/fuzz/corpus/<name>. The host builds make fuzz_<name> with FuzzMain.cpp; the program's
# build runs the sanitizer build's one over every corpus file ("native.fuzz_<name>", label
# native) and afl-fuzz on the AFL build's one for 2000 executions, a few seconds
# ("fuzz.<name>", label fuzz), which fails when afl-fuzz saved a crash or a hang.
function(quolin_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  set(corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  if(NOT CMAKE_CROSSCOMPILING)
    add_executable(fuzz_${name} ${ARG_SOURCES} FuzzMain.cpp)
    target_link_libraries(fuzz_${name} PRIVATE core)
    target_include_directories(fuzz_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    return()
  endif()
  add_test(NAME native.fuzz_${name} COMMAND ${QUOLIN_NATIVE_BIN}/fuzz_${name} ${corpus})
  set_tests_properties(native.fuzz_${name} PROPERTIES LABELS native TIMEOUT 300)
  add_test(NAME fuzz.${name}
    COMMAND bash ${PROJECT_SOURCE_DIR}/tools/fuzz-run.sh ${QUOLIN_AFL_BIN}/fuzz_${name} ${corpus}
            ${CMAKE_BINARY_DIR}/fuzz-runs/${name} -s 1 -E 2000)
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
