# Runs the validator TOOL with the arguments ARGS (separated by spaces) and fails on anything it reports.
# Where TOOL is not installed, says so in a line starting "skipped:", which the test counts as skipped.
find_program(tool_path ${TOOL})
if(NOT tool_path)
  message("skipped: ${TOOL} is not installed (scripts/setup-debian.sh installs it)")
  return()
endif()
separate_arguments(args UNIX_COMMAND "${ARGS}")
execute_process(COMMAND ${tool_path} ${args} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE s)
if(NOT s EQUAL 0 OR NOT "${o}${e}" MATCHES "^([^\n]*Validation was successful\\.\n)?$")
  message(FATAL_ERROR "${TOOL} ${ARGS} reports (status ${s}):\n${o}${e}")
endif()
