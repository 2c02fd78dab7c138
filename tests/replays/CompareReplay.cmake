# Runs one replay and compares what it prints with NAME.expected beside it.
# REPLAY_OPTIONS (a ;-list) go to the tool after the file: display options must not change it.
string(REGEX REPLACE "\\.replay$" ".expected" expected_file "${REPLAY}")
execute_process(COMMAND ${REPLAY_TOOL} ${REPLAY} ${REPLAY_OPTIONS}
                OUTPUT_VARIABLE actual RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ploxen-replay exited with ${rc}")
endif()
file(READ ${expected_file} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "replay output differs from ${expected_file}:\n--- got\n${actual}--- expected\n${expected}")
endif()
