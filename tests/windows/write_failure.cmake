# Runs vexla.exe under Wine with a file-size limit that refuses a write
# part-way through the tickets, and checks the I/O failure ending: the report
# on standard error, exit status 1, and whole loads already written kept.
# The Wine server must already run, outside the limit (wine-prefix.sh new).
# -D EMULATOR=<;-list> -D PROGRAM=<exe> -D DIR=<dir>
# -D CHECKER=<;-list: a command that fails on a file that begins no ticket
#             file, or empty>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/wine_run.cmake)

# 2 blocks of 512 or 1,024 bytes, whichever the shell counts in: both are
# whole 128-byte loads, well short of a complete file.
run_in_fresh_directory(sh -c "trap '' XFSZ && ulimit -f 2 && exec \"$@\"" sh
                       ${EMULATOR} ${PROGRAM})
if(NOT status STREQUAL "1")
  string(APPEND failures "exit status ${status}, want 1\n")
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

find_the_one_file()
if(name)
  file(SIZE ${DIR}/${name} size)
  math(EXPR partial_load "${size} % 128")
  if(size EQUAL 0 OR size GREATER_EQUAL 8398 OR NOT partial_load EQUAL 0)
    string(APPEND failures
           "${name} has ${size} bytes, want whole 128-byte loads of a cut file\n")
  endif()
endif()
check_ticket_file("is no beginning of a ticket file")

finish("vexla.exe under Wine with a file-size limit")
