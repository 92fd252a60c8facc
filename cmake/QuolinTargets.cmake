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
#             [TIMEOUT <seconds>] [SERIAL])
# A GoogleTest executable run under Wine; cases are listed when ctest runs, not at build
# time, so that no wineserver starts without the test display. SERIAL cases run with no other
# test beside them (they move the pointer or depend on which application is active).
function(quolin_test name)
  cmake_parse_arguments(ARG "SERIAL" "TIMEOUT" "SOURCES;DEPENDS;LOCK" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(props TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LOCK)
    list(APPEND props RESOURCE_LOCK "${ARG_LOCK}")
  endif()
  if(ARG_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${QUOLIN_BIN_DIR}
    PROPERTIES ${props})
endfunction()
