# ploxen-replay refuses bad input with exit status 2 and one line naming the file and line.
set(dir ${WORK_DIR}/bad-replays)
file(MAKE_DIRECTORY ${dir})

# Writes NAME.replay from TEXT, runs it and checks the status and the error line.
function(expect_refused name text line what)
  file(WRITE ${dir}/${name}.replay "${text}")
  execute_process(COMMAND ${REPLAY_TOOL} ${dir}/${name}.replay
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "${name}: exit status ${rc}, expected 2")
  endif()
  if(NOT out STREQUAL "")
    message(FATAL_ERROR "${name}: printed a state for bad input:\n${out}")
  endif()
  if(NOT err MATCHES "^[^\n]*${name}\\.replay:${line}: [^\n]*${what}[^\n]*\n$")
    message(FATAL_ERROR
            "${name}: expected one line naming line ${line} and '${what}', got:\n${err}")
  endif()
endfunction()

expect_refused(unknown "seed 4\nwait 10\njump 3\nwait 10\n" 3 "jump")
expect_refused(missing "seed 4\n\n# a comment\nwait\n" 4 "number")
expect_refused(letters "level 2x\n" 1 "number")
expect_refused(extra "wait 5 6\n" 1 "number")
expect_refused(late_setup "wait 5\nseed 4\n" 2 "seed")

# A comment after a command is part of the format, not bad input.
file(WRITE ${dir}/comment.replay "seed 4  # the match seed\nwait 3 # three ticks\n")
execute_process(COMMAND ${REPLAY_TOOL} ${dir}/comment.replay RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "comment: exit status ${rc}, ${err}")
endif()

execute_process(COMMAND ${REPLAY_TOOL} ${dir}/absent.replay RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "absent\\.replay")
  message(FATAL_ERROR "absent file: exit status ${rc}, ${err}")
endif()
