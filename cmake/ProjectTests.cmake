include(GoogleTest)

# project_add_test(NAME SOURCES ... [LIBRARIES ...] [ENVIRONMENT VAR=value ...])
# One GoogleTest executable in build/tests, its cases registered with ctest.
# Every test runs under a fixed locale and, for Qt, the offscreen platform.
function(project_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8;TZ=UTC;QT_QPA_PLATFORM=offscreen;${ARG_ENVIRONMENT}")
endfunction()
