# The 32-bit Windows build under Wine: the unit tests run through the
# emulator (see the toolchain file); here the program as a whole and the
# shape of its executable.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(WARNING "No Wine found: the Windows tests cannot run")
  return()
endif()

# The prefix is made afresh before every test run, ahead of CTest's test
# discovery, and its server is stopped afterwards.
set(wine_prefix_script ${CMAKE_CURRENT_SOURCE_DIR}/windows/wine-prefix.sh)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/CTestCustom.cmake CONTENT [[
set(CTEST_CUSTOM_PRE_TEST "sh \"@wine_prefix_script@\" new \"@VEXLA_WINE_PREFIX@\"")
set(CTEST_CUSTOM_POST_TEST "sh \"@wine_prefix_script@\" stop \"@VEXLA_WINE_PREFIX@\"")
]] @ONLY)

# Complete files go to vexla-check itself; files cut short by a failure to
# a helper that asks the same library whether they begin a valid file.
set(checker "")
if(TARGET vexla_check)
  add_executable(ticket_file_check windows/ticket_file_check.cpp)
  target_link_libraries(ticket_file_check PRIVATE vexla_check)
  set(checker $<TARGET_FILE:ticket_file_check>)
endif()
if(TARGET vexla-check)
  set(checker $<TARGET_FILE:vexla-check>)
endif()
set(prefix_checker "")
if(TARGET ticket_file_check)
  set(prefix_checker "$<TARGET_FILE:ticket_file_check>;--prefix")
endif()

# The program as a whole, each run in a fresh directory of its own.
add_test(NAME windows_program_run
         COMMAND ${CMAKE_COMMAND}
                 "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
                 -DPROGRAM=$<TARGET_FILE:vexla> "-DCHECKER=${checker}"
                 -DDIR=${CMAKE_CURRENT_BINARY_DIR}/program_run
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/program_run.cmake)
add_test(NAME windows_write_failure
         COMMAND ${CMAKE_COMMAND}
                 "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
                 -DPROGRAM=$<TARGET_FILE:vexla> "-DCHECKER=${prefix_checker}"
                 -DDIR=${CMAKE_CURRENT_BINARY_DIR}/write_failure
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/write_failure.cmake)

add_test(NAME windows_executable
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
                 -DPROGRAM=$<TARGET_FILE:vexla>
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/executable.cmake)
