# Exact coverage of one ticket file: vexla-check's walk against the naive
# walk of every draw and every ticket, built with the same flags.
add_library(vexla_coverage_naive STATIC coverage_naive.cpp)
target_link_libraries(vexla_coverage_naive PUBLIC vexla_check)

add_executable(coverage_bench coverage_bench.cpp)
target_link_libraries(coverage_bench
  PRIVATE vexla_coverage_naive vexla_check benchmark::benchmark)
target_compile_definitions(coverage_bench PRIVATE
  VEXLA_CHECK_TESTDATA="${PROJECT_SOURCE_DIR}/check/testdata")
