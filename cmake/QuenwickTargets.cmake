# Helpers shared by every target we build ourselves. Third-party headers come
# in as SYSTEM includes through their imported targets, so the strict warning
# set only ever judges our own code.

# Pass QT_KEYWORDS for targets that include QScintilla: its headers use the
# signals/slots keywords. Pass TEST for test code, where tables of cases read
# better with plain (UTF-8) string literals.
function(qw_target_defaults target)
  cmake_parse_arguments(ARG "QT_KEYWORDS;TEST" "" "" ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  # Every string that reaches Qt must say how it is encoded: the program reads
  # and writes Windows-1250 and UTF-8, so silent conversions are bugs.
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH)
  if(NOT ARG_TEST)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_FROM_BYTEARRAY)
  endif()
  if(NOT ARG_QT_KEYWORDS)
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
  endif()
endfunction()

# A core module: one folder of src/core, one static library qw_<name> that
# links QtCore and the modules named after DEPENDS only.
function(qw_core_module name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources MATCHES "\\.cpp")
    # A header-only module (or one just started): an interface library.
    add_library(qw_${name} INTERFACE)
    target_include_directories(qw_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qw_${name} INTERFACE Qt6::Core)
    foreach(dep IN LISTS ARG_DEPENDS)
      target_link_libraries(qw_${name} INTERFACE qw_${dep})
    endforeach()
    set_property(GLOBAL APPEND PROPERTY QW_CORE_MODULES qw_${name})
    return()
  endif()
  add_library(qw_${name} STATIC ${sources})
  target_include_directories(qw_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(qw_${name} PUBLIC Qt6::Core)
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(qw_${name} PUBLIC qw_${dep})
  endforeach()
  qw_target_defaults(qw_${name})
  set_property(GLOBAL APPEND PROPERTY QW_CORE_MODULES qw_${name})
endfunction()

# The GoogleTest executable of one folder of tests/core, linked with the core
# modules it tests. Every test is registered with ctest under the label "core".
function(qw_core_test name)
  cmake_parse_arguments(ARG "" "" "MODULES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources MATCHES "\\.cpp")
    return()
  endif()
  add_executable(core_${name}_tests ${sources})
  foreach(mod IN LISTS ARG_MODULES)
    target_link_libraries(core_${name}_tests PRIVATE qw_${mod})
  endforeach()
  target_link_libraries(core_${name}_tests PRIVATE qw_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
  qw_target_defaults(core_${name}_tests TEST)
  gtest_discover_tests(core_${name}_tests
    PROPERTIES LABELS core
    DISCOVERY_TIMEOUT 60)
endfunction()

# A benchmark executable of bench/, built but never part of the test run.
function(qw_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;MODULES" ${ARGN})
  add_executable(bench_${name} ${ARG_SOURCES})
  foreach(mod IN LISTS ARG_MODULES)
    target_link_libraries(bench_${name} PRIVATE qw_${mod})
  endforeach()
  target_link_libraries(bench_${name} PRIVATE benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(bench_${name} PRIVATE
    QW_SHIPPED_DATA_DIR="${PROJECT_SOURCE_DIR}/data/Settings")
  qw_target_defaults(bench_${name})
endfunction()
