# Runs a program and checks its exit status and its standard output, for CTest:
#   cmake -DPROGRAM=exe -DARGS="a|b|c" -DEXIT_CODE=n [-DGOLDEN=file] [-DSEARCH_GOLDEN=file]
#         [-DERROR_MATCH=regex] [-DUPDATE=1] -P CheckOutput.cmake
# GOLDEN: the output must equal the file. SEARCH_GOLDEN: the output is `varlo-cli search --json`;
# its rows must be numbered 0, 1, 2... in order, and as a set equal the file, one row a line
# ("MAC TYPECODE IP NAME"): the demo rig's replies arrive after random delays, so their order is
# not part of the check. ERROR_MATCH: standard error must match. UPDATE=1 rewrites the golden
# file from the output instead of comparing.
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND ${PROGRAM} ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err
  RESULT_VARIABLE rc)
if(NOT rc STREQUAL EXIT_CODE)
  message(FATAL_ERROR "exit status ${rc}, expected ${EXIT_CODE}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED ERROR_MATCH AND NOT err MATCHES "${ERROR_MATCH}")
  message(FATAL_ERROR "standard error does not match '${ERROR_MATCH}':\n${err}")
endif()

if(DEFINED SEARCH_GOLDEN)
  set(GOLDEN ${SEARCH_GOLDEN})
  string(JSON count LENGTH "${out}")
  set(rows "")
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      string(JSON no GET "${out}" ${i} no)
      if(NOT no EQUAL i)
        message(FATAL_ERROR "row ${i} is numbered ${no}:\n${out}")
      endif()
      set(row "")
      foreach(field mac typeCode ip deviceType)
        string(JSON value GET "${out}" ${i} ${field})
        string(APPEND row " ${value}")
      endforeach()
      string(STRIP "${row}" row)
      list(APPEND rows "${row}")
    endforeach()
  endif()
  list(SORT rows)
  list(JOIN rows "\n" out)
  string(APPEND out "\n")
endif()

if(DEFINED GOLDEN)
  if(UPDATE)
    file(WRITE ${GOLDEN} "${out}")
    message(STATUS "wrote ${GOLDEN}")
    return()
  endif()
  file(READ ${GOLDEN} expected)
  if(NOT out STREQUAL expected)
    get_filename_component(name ${GOLDEN} NAME)
    set(actual ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
    file(WRITE ${actual} "${out}")
    execute_process(COMMAND diff -u ${GOLDEN} ${actual} OUTPUT_VARIABLE diff)
    message(FATAL_ERROR "output differs from ${GOLDEN} (actual output in ${actual}):\n${diff}")
  endif()
endif()
