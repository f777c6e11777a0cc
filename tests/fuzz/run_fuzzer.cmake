# Runs one fuzzer for a bounded number of inputs over a fresh copy of its seed corpus.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(SEED AND EXISTS "${SEED}")
  file(GLOB seeds "${SEED}/*")
  file(COPY ${seeds} DESTINATION "${WORK}")
endif()
execute_process(COMMAND "${FUZZER}" -runs=20000 -max_total_time=90 -rss_limit_mb=2048 "${WORK}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "fuzzer ${FUZZER} failed with ${result}")
endif()
