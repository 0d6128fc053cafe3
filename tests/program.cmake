# The built program run as a whole in fresh directories, under strace, a
# file-size limit, a full tmpfs and another user.
vexla_add_test(program_test
  SOURCES program_test.cpp run_program.cpp
  LIBS vexla_check)
if(TARGET program_test)
  target_include_directories(program_test PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(program_test PRIVATE
    VEXLA_PROGRAM="$<TARGET_FILE:vexla>")
  add_dependencies(program_test vexla)
endif()
