# px7000_add_test(NAME SOURCES src... [LIBS lib...]): one GoogleTest executable registered with ctest.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
include(GoogleTest)

function(px7000_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  if(PX7000_SANITIZE OR PX7000_TSAN)
    # Lets tests allow for a sanitizer's own behaviour (crash reports, quarantined memory).
    target_compile_definitions(${name} PRIVATE PX7000_SANITIZED)
  endif()
  # Discover at test time so a sanitizer build does not run the tests while building.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
