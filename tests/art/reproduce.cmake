# Runs bluffwick-artgen into an empty folder and checks that it writes exactly
# the committed pictures and icons of res/, byte for byte, and nothing else.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${ARTGEN}" "${WORK_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "bluffwick-artgen failed: ${status}")
endif()

file(GLOB generated RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
file(GLOB committed RELATIVE "${RES_DIR}" "${RES_DIR}/*.bmp" "${RES_DIR}/*.ico" "${RES_DIR}/*.png")
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "generated files differ from res/:\n  generated: ${generated}\n  committed: ${committed}")
endif()

set(differing "")
foreach(name IN LISTS generated)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/${name}" "${RES_DIR}/${name}"
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differing "${name}")
  endif()
endforeach()
if(differing)
  message(FATAL_ERROR "bluffwick-artgen no longer reproduces: ${differing}\n"
                      "Regenerate res/ (see README) and review docs/contact-sheet.png.")
endif()
list(LENGTH generated count)
message(STATUS "${count} files reproduced byte for byte")
