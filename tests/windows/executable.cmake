# Checks the shape of vexla.exe: a 32-bit console program for Intel 80386
# that needs no DLL beyond the system's own and calls the system directly.
# -D OBJDUMP=<objdump> -D PROGRAM=<exe>
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                RESULT_VARIABLE status OUTPUT_VARIABLE dump ERROR_VARIABLE err)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed:\n${err}")
endif()

set(failures "")
foreach(want "file format pei-i386" "Magic[ \t]+010b[ \t]+\\(PE32\\)"
             "Subsystem[ \t]+00000003[ \t]+\\(Windows CUI\\)")
  if(NOT dump MATCHES "${want}")
    string(APPEND failures "no line matching \"${want}\"\n")
  endif()
endforeach()

set(system_dlls advapi32.dll kernel32.dll msvcrt.dll user32.dll)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" dll_lines "${dump}")
set(dlls "")
foreach(line IN LISTS dll_lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  list(APPEND dlls ${dll})
  if(NOT dll IN_LIST system_dlls)
    string(APPEND failures "imports ${dll}, which is not a system DLL\n")
  endif()
endforeach()

foreach(call CryptAcquireContextA CryptGenRandom CryptReleaseContext
             GetLocalTime CreateFileA WriteFile CloseHandle GetLastError
             GetStdHandle GetModuleFileNameA ExitProcess CharToOemA)
  if(NOT dump MATCHES "[ \t]${call}[\r\n]")
    string(APPEND failures "does not import ${call}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${PROGRAM} (imports: ${dlls}):\n${failures}")
endif()
