# Runs vexla.exe as a whole under Wine in a fresh directory and checks what a
# complete run leaves: one ticket file, valid, and nothing printed.
# -D EMULATOR=<;-list> -D PROGRAM=<exe> -D DIR=<dir>
# -D CHECKER=<;-list: a command that fails on an invalid ticket file, or
#             empty>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${DIR} ${DIR}.out ${DIR}.err)
file(MAKE_DIRECTORY ${DIR})
execute_process(
  COMMAND ${EMULATOR} ${PROGRAM}
  WORKING_DIRECTORY ${DIR}
  INPUT_FILE /dev/null
  RESULT_VARIABLE status
  OUTPUT_FILE ${DIR}.out
  ERROR_FILE ${DIR}.err
  TIMEOUT 120)
file(READ ${DIR}.out out)
file(READ ${DIR}.err err)

set(failures "")
if(NOT status STREQUAL "0")
  string(APPEND failures "exit status ${status}, want 0\n")
endif()
if(NOT out STREQUAL "")
  string(APPEND failures "printed on standard output:\n${out}\n")
endif()
if(NOT err STREQUAL "")
  string(APPEND failures "printed on standard error:\n${err}\n")
endif()

file(GLOB names RELATIVE ${DIR} ${DIR}/*)
list(LENGTH names count)
if(NOT count EQUAL 1)
  string(APPEND failures "left ${count} files, want 1: ${names}\n")
else()
  set(two "[0-9][0-9]")
  set(date_time "${two}${two}-${two}-${two}-${two}-${two}-${two}")
  if(NOT names MATCHES "^vexla-${date_time}([0-9]+)\\.TXT$")
    string(APPEND failures "file name ${names} is not vexla-YYYY-MM-DD-hh-mm-ss<counter>.TXT\n")
  else()
    string(LENGTH "${CMAKE_MATCH_1}" digits)
    if(digits GREATER 10)
      string(APPEND failures "counter of ${names} has ${digits} digits, want 1 to 10\n")
    endif()
  endif()
  file(SIZE ${DIR}/${names} size)
  if(NOT size EQUAL 8398)
    string(APPEND failures "${names} has ${size} bytes, want 8398\n")
  endif()
  if(CHECKER)
    execute_process(
      COMMAND ${EMULATOR} ${CHECKER} ${names}
      WORKING_DIRECTORY ${DIR}
      RESULT_VARIABLE check_status
      OUTPUT_VARIABLE problems
      ERROR_VARIABLE problems
      TIMEOUT 120)
    if(NOT check_status STREQUAL "0")
      string(APPEND failures "${names} fails the ticket check:\n${problems}\n")
    endif()
  endif()
endif()

if(failures)
  message(FATAL_ERROR "vexla.exe under Wine, in ${DIR}:\n${failures}")
endif()
file(REMOVE_RECURSE ${DIR} ${DIR}.out ${DIR}.err)
