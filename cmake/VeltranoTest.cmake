# In the 64-bit Windows tree every test program, before its tests run, takes
# all memory below 4 GB, and the driver does the same for each program it
# starts (tests/support/low_address_space.h): an address cut to 32 bits then
# faults instead of passing by luck. The 32-bit trees and the native tree
# keep GoogleTest's own entry.
if(VELTRANO_WINDOWS AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VELTRANO_LOW_MEMORY_PROOF ON)
  set(VELTRANO_GTEST_MAIN veltrano_low_memory_gtest_main)
else()
  set(VELTRANO_LOW_MEMORY_PROOF OFF)
  set(VELTRANO_GTEST_MAIN GTest::gtest_main)
endif()

# veltrano_add_gtest(NAME <target> LABEL <label> SOURCES ... [LIBS ...] [TIMEOUT s] [RESOURCE_LOCK name]
#                    [RUN_SERIAL])
# One ctest test per GoogleTest case. Windows tests are discovered and run
# through the Wine wrapper, so discovery happens when ctest starts (the
# wineserver is up by then) and gets a generous timeout.
function(veltrano_add_gtest)
  cmake_parse_arguments(T "RUN_SERIAL" "NAME;LABEL;TIMEOUT;RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  set(properties LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT})
  if(T_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  if(T_RUN_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock ${VELTRANO_GTEST_MAIN})
  veltrano_warnings(${T_NAME})
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${T_LABEL}."
    PROPERTIES ${properties})
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
