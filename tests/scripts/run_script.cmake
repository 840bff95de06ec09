# Runs one script through `vyd --script` in WORKDIR and compares its standard output with EXPECTED.
# The script runs in WORKDIR, where data/ leads to tests/data; files it writes stay in WORKDIR.
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
get_filename_component(script_dir ${SCRIPT} DIRECTORY)
file(CREATE_LINK ${script_dir}/../data ${WORKDIR}/data SYMBOLIC)
execute_process(COMMAND ${VYD} --script ${SCRIPT}
                WORKING_DIRECTORY ${WORKDIR}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(WRITE ${WORKDIR}/transcript.txt "${out}")
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vyd --script exited with ${status}: ${err}")
endif()
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "transcript differs from ${EXPECTED}; got (${WORKDIR}/transcript.txt):\n${out}")
endif()
