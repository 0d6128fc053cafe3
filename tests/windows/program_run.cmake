# Runs vexla.exe as a whole under Wine in a fresh directory and checks what a
# complete run leaves: one ticket file, valid, and nothing printed.
# -D EMULATOR=<;-list> -D PROGRAM=<exe> -D DIR=<dir>
# -D CHECKER=<;-list: a command that fails on an invalid ticket file, or
#             empty>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/wine_run.cmake)

run_in_fresh_directory(${EMULATOR} ${PROGRAM})
if(NOT status STREQUAL "0")
  string(APPEND failures "exit status ${status}, want 0\n")
endif()
if(NOT err STREQUAL "")
  string(APPEND failures "printed on standard error:\n${err}\n")
endif()

find_the_one_file()
if(name)
  set(two "[0-9][0-9]")
  set(date_time "${two}${two}-${two}-${two}-${two}-${two}-${two}")
  if(NOT name MATCHES "^vexla-${date_time}([0-9]+)\\.TXT$")
    string(APPEND failures "file name ${name} is not vexla-YYYY-MM-DD-hh-mm-ss<counter>.TXT\n")
  else()
    string(LENGTH "${CMAKE_MATCH_1}" digits)
    if(digits GREATER 10)
      string(APPEND failures "counter of ${name} has ${digits} digits, want 1 to 10\n")
    endif()
  endif()
  file(SIZE ${DIR}/${name} size)
  if(NOT size EQUAL 8398)
    string(APPEND failures "${name} has ${size} bytes, want 8398\n")
  endif()
endif()
check_ticket_file("fails the ticket check")

finish("vexla.exe under Wine")
