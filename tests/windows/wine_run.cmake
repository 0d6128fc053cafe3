# What the whole-program scripts under Wine share: a run in a fresh
# directory, the one file it must leave, and the ticket check of that file.
# Expects DIR, EMULATOR and CHECKER as the scripts take them; collects what
# is wrong in `failures`.

# Runs COMMAND... in a fresh ${DIR}; sets status, out, err and err_size. The
# arguments pass through a list, so none of them may hold a semicolon.
macro(run_in_fresh_directory)
  file(REMOVE_RECURSE ${DIR} ${DIR}.out ${DIR}.err)
  file(MAKE_DIRECTORY ${DIR})
  execute_process(
    COMMAND ${ARGN}
    WORKING_DIRECTORY ${DIR}
    INPUT_FILE /dev/null
    RESULT_VARIABLE status
    OUTPUT_FILE ${DIR}.out
    ERROR_FILE ${DIR}.err
    TIMEOUT 120)
  # file(READ) drops the CR of each CR LF: err_size tells whether it was there.
  file(READ ${DIR}.out out)
  file(READ ${DIR}.err err)
  file(SIZE ${DIR}.err err_size)
  set(failures "")
  if(NOT out STREQUAL "")
    string(APPEND failures "printed on standard output:\n${out}\n")
  endif()
endmacro()

# Sets `name` to the one file the run left, or notes that there is not one.
macro(find_the_one_file)
  file(GLOB name RELATIVE ${DIR} ${DIR}/*)
  list(LENGTH name count)
  if(NOT count EQUAL 1)
    string(APPEND failures "left ${count} files, want 1: ${name}\n")
    set(name "")
  endif()
endmacro()

# Runs CHECKER on the file `name`; notes `what` when it refuses it.
macro(check_ticket_file what)
  if(CHECKER AND name)
    execute_process(
      COMMAND ${EMULATOR} ${CHECKER} ${name}
      WORKING_DIRECTORY ${DIR}
      RESULT_VARIABLE check_status
      OUTPUT_VARIABLE problems
      ERROR_VARIABLE problems
      TIMEOUT 120)
    if(NOT check_status STREQUAL "0")
      string(APPEND failures "${name} ${what}:\n${problems}\n")
    endif()
  endif()
endmacro()

macro(finish what)
  if(failures)
    message(FATAL_ERROR "${what}, in ${DIR}:\n${failures}")
  endif()
  file(REMOVE_RECURSE ${DIR} ${DIR}.out ${DIR}.err)
endmacro()
