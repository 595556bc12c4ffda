# Build step: optionally runs FILTER with IN as its input into PLAIN, then compresses
# PLAIN (or IN) into OUT with gzip -9n, as Debian wants its manual pages and changelogs.
#   cmake [-DFILTER=prog -DPLAIN=file] -DIN=file -DOUT=file.gz -P gzip_file.cmake
set(source "${IN}")
if(FILTER)
  execute_process(COMMAND "${FILTER}" INPUT_FILE "${IN}" OUTPUT_FILE "${PLAIN}"
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    file(REMOVE "${PLAIN}")
    message(FATAL_ERROR "${FILTER} failed on ${IN}: ${err}")
  endif()
  set(source "${PLAIN}")
endif()
execute_process(COMMAND gzip -9nc "${source}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "gzip failed on ${source}")
endif()
