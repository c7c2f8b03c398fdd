# `stowdesign package` prints what the designer sees of StowPkg; it must equal show.out.
execute_process(COMMAND ${STOWDESIGN} package OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "stowdesign package exited with ${rc}: ${err}")
endif()
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "stowdesign package printed:\n${out}\nexpected:\n${expected}")
endif()
