# Cross build for 32-bit Windows with Debian's MinGW-w64 (posix threads
# flavour); the programs and tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(VEXLA_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${VEXLA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXLA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEXLA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXLA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: nothing beyond the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Every test program runs under Wine, in a prefix of the build's own that each
# test run makes afresh (tests/windows.cmake), with Wine's own diagnostics
# kept out of the output and no Mono, Gecko or menu entries to look for.
find_program(VEXLA_WINE wine NO_CACHE)
if(VEXLA_WINE)
  set(VEXLA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      /usr/bin/env WINEPREFIX=${VEXLA_WINE_PREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe= ${VEXLA_WINE})
endif()
