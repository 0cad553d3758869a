# qm_unit_test(NAME SOURCES ... LIBS ...): a native GoogleTest executable registered with CTest.
# Unit tests are native only; the Windows builds run the end-to-end suite instead.
if(NOT WIN32 AND NOT QM_FUZZ)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(qm_unit_test name)
  if(WIN32 OR QM_FUZZ)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT T_SOURCES)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  # Parametrised cases are named by their generators; the printed parameter (raw bytes for a
  # struct) would make the names differ from build to build.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
endfunction()
