if(VEXLA_TESTS)
  enable_testing()
  if(CMAKE_CROSSCOMPILING)
    # No GoogleTest package exists for the target: build it from the sources
    # Debian ships, with the same compiler and flags as the program.
    set(VEXLA_GTEST_SOURCE /usr/src/googletest CACHE PATH
        "GoogleTest sources to build for the target")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VEXLA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest
                     EXCLUDE_FROM_ALL SYSTEM)
    # Our warning flags reach it too; its warnings are not ours to fail on.
    target_compile_options(gtest PRIVATE -Wno-error)
    target_compile_options(gtest_main PRIVATE -Wno-error)
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()

# vexla_add_test(NAME SOURCES... LIBS...): a GoogleTest program linked against
# the scripted fake platform unless it names a platform itself.
function(vexla_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VEXLA_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       DISCOVERY_TIMEOUT 60)
endfunction()
