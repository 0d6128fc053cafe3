# Runs vexla.exe under Wine with a file-size limit that refuses a write
# part-way through the tickets, and checks the I/O failure ending: the report
# on standard error, exit status 1, and whole loads already written kept.
# The Wine server must already run, outside the limit (wine-prefix.sh new).
# -D EMULATOR=<;-list> -D PROGRAM=<exe> -D DIR=<dir>
# -D CHECKER=<;-list: a command that fails on a file that begins no ticket
#             file, or empty>
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${DIR} ${DIR}.out ${DIR}.err)
file(MAKE_DIRECTORY ${DIR})
# 2 blocks of 512 or 1,024 bytes, whichever the shell counts in: both are
# whole 128-byte loads, well short of a complete file.
execute_process(
  COMMAND sh -c "trap '' XFSZ; ulimit -f 2; exec \"$@\"" sh
          ${EMULATOR} ${PROGRAM}
  WORKING_DIRECTORY ${DIR}
  INPUT_FILE /dev/null
  RESULT_VARIABLE status
  OUTPUT_FILE ${DIR}.out
  ERROR_FILE ${DIR}.err
  TIMEOUT 120)
# file(READ) drops the CR of each CR LF: the size tells whether it was there.
file(READ ${DIR}.out out)
file(READ ${DIR}.err err)
file(SIZE ${DIR}.err err_size)

set(failures "")
if(NOT status STREQUAL "1")
  string(APPEND failures "exit status ${status}, want 1\n")
endif()
if(NOT out STREQUAL "")
  string(APPEND failures "printed on standard output:\n${out}\n")
endif()
set(hex "[0-9A-F]")
set(address "${hex}${hex}${hex}${hex}${hex}${hex}${hex}${hex}")
set(message "(I/O error -?[0-9]+|File not found|Invalid filename|")
string(APPEND message "Too many open files|File access denied|Disk full)")
set(report "^Exception EInOutError in module vexla\\.exe at ${address}\\.\n")
string(APPEND report "${message}\\.\n\n$")
string(LENGTH "${err}" err_length)
math(EXPR crlf_size "${err_length} + 3")
if(NOT err MATCHES "${report}" OR NOT err_size EQUAL crlf_size)
  string(APPEND failures "standard error is not the I/O error report, each line "
                         "ended by CR LF:\n${err}\n")
endif()

file(GLOB names RELATIVE ${DIR} ${DIR}/*)
list(LENGTH names count)
if(NOT count EQUAL 1)
  string(APPEND failures "left ${count} files, want 1: ${names}\n")
else()
  file(SIZE ${DIR}/${names} size)
  math(EXPR partial_load "${size} % 128")
  if(size EQUAL 0 OR size GREATER_EQUAL 8398 OR NOT partial_load EQUAL 0)
    string(APPEND failures
           "${names} has ${size} bytes, want whole 128-byte loads of a cut file\n")
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
      string(APPEND failures
             "${names} is no beginning of a ticket file:\n${problems}\n")
    endif()
  endif()
endif()

if(failures)
  message(FATAL_ERROR "vexla.exe under Wine with a file-size limit, in ${DIR}:\n${failures}")
endif()
file(REMOVE_RECURSE ${DIR} ${DIR}.out ${DIR}.err)
