# Runs veltrano-table as a command and checks its exit codes and output.
#   cmake -DTOOL=... -DGOLDEN_DIR=... -DWORK_DIR=... [-DEMULATOR=...] [-DTOOL_PATH_PREFIX=Z:]
#         -P tool_command_test.cmake
# File names given to the tool carry TOOL_PATH_PREFIX, for a tool that sees
# the file system through a drive letter.
separate_arguments(emulator NATIVE_COMMAND "${EMULATOR}")
file(MAKE_DIRECTORY ${WORK_DIR})

function(run_tool expected_code output_variable)
  execute_process(COMMAND ${emulator} ${TOOL} ${ARGN}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code STREQUAL expected_code)
    message(FATAL_ERROR "veltrano-table ${ARGN}: exit ${code}, expected ${expected_code}\n${out}\n${err}")
  endif()
  set(${output_variable} "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_match text pattern)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "expected output matching '${pattern}', got:\n${text}")
  endif()
endfunction()

run_tool(0 shown show ${TOOL_PATH_PREFIX}${GOLDEN_DIR}/application_table.dat)
file(READ ${GOLDEN_DIR}/application_table.json expected)
if(NOT shown STREQUAL expected)
  file(WRITE ${WORK_DIR}/shown.json "${shown}")
  message(FATAL_ERROR "veltrano-table show differs from the golden dump; see ${WORK_DIR}/shown.json")
endif()

run_tool(0 checked check ${TOOL_PATH_PREFIX}${GOLDEN_DIR}/application_table.dat)
expect_match("${checked}" "version 6 table of 79 rows and 3 columns")

string(REPEAT "x" 100 short_content)
file(WRITE ${WORK_DIR}/short.dat "${short_content}")
run_tool(1 short check ${TOOL_PATH_PREFIX}${WORK_DIR}/short.dat)
expect_match("${short}" "damaged file length at byte offset 100")

string(REPEAT "not a table file\n" 40 text_content)
file(WRITE ${WORK_DIR}/text.dat "${text_content}")
run_tool(1 text show ${TOOL_PATH_PREFIX}${WORK_DIR}/text.dat)
expect_match("${text}" "text.dat is not a Veltrano table file: damaged header at byte offset 0")

run_tool(1 missing check ${TOOL_PATH_PREFIX}${WORK_DIR}/missing.dat)
expect_match("${missing}" "cannot read .*missing.dat: no such file")

# Output that cannot be written is an error with its reason, not a silent
# success.
if(EXISTS /dev/full AND NOT EMULATOR)
  execute_process(COMMAND ${TOOL} show ${GOLDEN_DIR}/application_table.dat
                  OUTPUT_FILE /dev/full RESULT_VARIABLE code ERROR_VARIABLE err)
  if(code EQUAL 0 OR NOT err STREQUAL "veltrano-table: cannot write to standard output: no space left\n")
    message(FATAL_ERROR "show into a full disk: exit ${code}, said: ${err}")
  endif()
endif()

run_tool(2 usage)
expect_match("${usage}" "usage: veltrano-table show FILE")
run_tool(2 usage dump ${TOOL_PATH_PREFIX}${GOLDEN_DIR}/application_table.dat)
