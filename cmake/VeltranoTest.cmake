# veltrano_add_gtest(NAME <target> LABEL <label> SOURCES ... [LIBS ...] [TIMEOUT s])
# One ctest test per GoogleTest case. Windows tests are discovered and run
# through the Wine wrapper, so discovery happens when ctest starts (the
# wineserver is up by then) and gets a generous timeout.
function(veltrano_add_gtest)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  veltrano_warnings(${T_NAME})
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${T_LABEL}."
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT})
endfunction()

# A test that runs a command (a script or a program) as one ctest test.
function(veltrano_add_command_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "COMMAND" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_test(NAME ${T_LABEL}.${T_NAME} COMMAND ${T_COMMAND})
  set_tests_properties(${T_LABEL}.${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT})
endfunction()
