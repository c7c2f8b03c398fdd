# The .res file that `stowdesign package --res` writes, read back by windres: the bitmap, the
# three raw data resources and the version block with its strings must all be there.
find_program(WINDRES NAMES x86_64-w64-mingw32-windres windres)
if(NOT WINDRES)
  message("SKIPPED: windres not found; install binutils-mingw-w64-x86-64 (scripts/setup.sh)")
  return()
endif()
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(COMMAND ${STOWDESIGN} package --res ${WORKDIR}/StowPkg.res
                OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "stowdesign package --res exited with ${rc}: ${err}")
endif()
execute_process(COMMAND ${WINDRES} -i ${WORKDIR}/StowPkg.res -O rc -o ${WORKDIR}/StowPkg.rc
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "windres could not read the .res file (${rc}): ${err}")
endif()
file(READ ${WORKDIR}/StowPkg.rc rc_text)
foreach(expected
    "\"TSTOWBAR\" 2 /\\* RT_BITMAP \\*/"
    "\"DESCRIPTION\" RCDATA"
    "L\"TStowbar Administrate Non-Visual Components\\\\000\""
    "\"PACKAGEINFO\" RCDATA"
    "\"PACKAGEOPTIONS\" RCDATA"
    "1 VERSIONINFO"
    "FILEVERSION 2, 1, 0, 0"
    "PRODUCTVERSION 2, 1, 0, 0"
    "FILEFLAGSMASK 0x3f"
    "FILEOS 0x4"
    "FILETYPE 0x1"
    "BLOCK \"040904E4\""
    "VALUE \"FileDescription\", \"TStowbar Administrate Non-Visual Components\""
    "VALUE \"FileVersion\", \"2.1.0.0\""
    "VALUE \"ProductName\", \"Stowbar Package\""
    "VALUE \"ProductVersion\", \"2.1\""
    "VALUE \"Translation\", 0x409, 1252")
  if(NOT rc_text MATCHES "${expected}")
    message(FATAL_ERROR "windres's reading lacks ${expected}:\n${rc_text}")
  endif()
endforeach()
# The bitmap's first words: a 40-byte header of a 24 by 24 picture of 1 plane and 4 bits.
if(NOT rc_text MATCHES "0x28L *, 0x18L *, 0x18L *, 0x40001L")
  message(FATAL_ERROR "windres's reading of the bitmap header differs:\n${rc_text}")
endif()
