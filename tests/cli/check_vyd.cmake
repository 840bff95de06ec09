# Runs the `vyd` executable VYD the ways a user would without a window and checks exit status and which
# stream each answer goes to. With EDITOR set (the vyd-editor next to VYD), also checks that `vyd FILE`
# starts it on the offscreen platform. WORKDIR is scratch space.

function(run_vyd out_status out_stdout out_stderr)
  execute_process(COMMAND ${VYD} ${ARGN} OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr RESULT_VARIABLE status)
  set(${out_status} "${status}" PARENT_SCOPE)
  set(${out_stdout} "${stdout}" PARENT_SCOPE)
  set(${out_stderr} "${stderr}" PARENT_SCOPE)
endfunction()

function(expect what status stdout stderr want_status want_stdout want_stderr)
  if(NOT "${status}" STREQUAL "${want_status}" OR NOT "${stdout}" MATCHES "${want_stdout}"
     OR NOT "${stderr}" MATCHES "${want_stderr}")
    message(FATAL_ERROR "${what}: status ${status} (want ${want_status})\nstdout: [${stdout}]\nstderr: [${stderr}]")
  endif()
endfunction()

# One line, nothing else.
set(one_line "^[^\n]+\n$")

run_vyd(s o e --help)
expect("vyd --help" "${s}" "${o}" "${e}" 0 "^usage: vyd \\[FILE\\].*vyd --script FILE.*vyd convert IN OUT" "^$")
set(usage "${o}")

run_vyd(s o e --version)
expect("vyd --version" "${s}" "${o}" "${e}" 0 "^vyd [0-9]+\\.[0-9]+\\.[0-9]+\n$" "^$")

foreach(bad "--script" "--script;a;b" "--frobnicate" "--help;x")
  run_vyd(s o e ${bad})
  expect("vyd ${bad}" "${s}" "${o}" "${e}" 2 "^$" "^usage: ")
  if(NOT e STREQUAL usage)
    message(FATAL_ERROR "vyd ${bad}: the usage on standard error differs from --help's:\n${e}")
  endif()
endforeach()

run_vyd(s o e convert --help)
expect("vyd convert --help" "${s}" "${o}" "${e}" 0 "^usage: vyd " "^$")
if(NOT o STREQUAL usage)
  message(FATAL_ERROR "vyd convert --help differs from vyd --help:\n${o}")
endif()

# A convert command line that makes no request: one line saying why, then the usage, status 2.
foreach(bad "convert" "convert;only-one" "convert;a.bmp;b.bmp;--frobnicate" "convert;a.bmp;b.bmp;--mode")
  run_vyd(s o e ${bad})
  expect("vyd ${bad}" "${s}" "${o}" "${e}" 2 "^$" "^vyd convert: [^\n]+\n")
  string(FIND "${e}" "\n" end_of_line)
  math(EXPR end_of_line "${end_of_line} + 1")
  string(SUBSTRING "${e}" ${end_of_line} -1 rest)
  if(NOT rest STREQUAL usage)
    message(FATAL_ERROR "vyd ${bad}: after its line, standard error is not the usage:\n${e}")
  endif()
endforeach()

# A picture that cannot be read, or written where it cannot be: the conversion's own lines, status 1.
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
foreach(files "${WORKDIR}/absent.bmp;${WORKDIR}/out.bmp" "${WORKDIR};${WORKDIR}/out.bmp"
              "${PICTURE};${WORKDIR}/no/such/folder/out.bmp")
  run_vyd(s o e convert ${files})
  expect("vyd convert ${files}" "${s}" "${o}" "${e}" 1 "^$" "^[^\n]+\n")
  if(e MATCHES "usage")
    message(FATAL_ERROR "vyd convert ${files}: a file failure is not a usage error:\n${e}")
  endif()
endforeach()

# Without any display the window cannot open: one line, status 2, whether or not a file is named.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
foreach(args "" "picture.bmp")
  run_vyd(s o e ${args})
  expect("vyd ${args} without a display" "${s}" "${o}" "${e}" 2 "^$" "${one_line}")
  if(NOT e MATCHES "no display")
    message(FATAL_ERROR "vyd ${args} without a display says: ${e}")
  endif()
endforeach()

# A `vyd` with no vyd-editor beside it (nor in ../libexec/vyd/) says so in one line.
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR}/bin)
file(COPY ${VYD} DESTINATION ${WORKDIR}/bin)
get_filename_component(vyd_name ${VYD} NAME)
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${WORKDIR}/bin/${vyd_name} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE s)
expect("vyd without vyd-editor" "${s}" "${o}" "${e}" 2 "^$" "${one_line}")
if(NOT e MATCHES "vyd-editor")
  message(FATAL_ERROR "vyd without vyd-editor says: ${e}")
endif()

# Installed as PREFIX/bin/vyd and PREFIX/libexec/vyd/vyd-editor, `vyd FILE` hands FILE to the editor byte
# for byte, as a file manager's "Open with" does with a path holding spaces and non-ASCII letters.
file(MAKE_DIRECTORY ${WORKDIR}/libexec/vyd)
file(WRITE ${WORKDIR}/fake-editor "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done\n")
file(COPY ${WORKDIR}/fake-editor DESTINATION ${WORKDIR}/libexec/vyd
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(RENAME ${WORKDIR}/libexec/vyd/fake-editor ${WORKDIR}/libexec/vyd/vyd-editor)
set(path "${WORKDIR}/Mes images/Été à l'île — ночь.bmp")
execute_process(COMMAND ${WORKDIR}/bin/${vyd_name} ${path} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE s)
expect("vyd with a path holding spaces and non-ASCII letters" "${s}" "${o}" "${e}" 0 "" "^$")
if(NOT o STREQUAL "${path}\n")
  message(FATAL_ERROR "the editor was given [${o}] for [${path}]")
endif()

# With the editor built, `vyd FILE` becomes the editor, which stays up until it is stopped.
if(EDITOR)
  execute_process(COMMAND ${VYD} ${PICTURE} TIMEOUT 3 OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE s)
  if(NOT s MATCHES "timeout")
    message(FATAL_ERROR "vyd ${PICTURE} on the offscreen platform ended with ${s}\nstdout: [${o}]\nstderr: [${e}]")
  endif()
endif()
