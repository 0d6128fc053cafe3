# The published ISAAC generator, a yardstick for ISAACP's speed and output.
add_library(vexla_isaac_reference STATIC isaac_reference.cpp)
target_include_directories(vexla_isaac_reference PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(vexla_bench generator_bench.cpp)
target_link_libraries(vexla_bench PRIVATE vexla_random vexla_isaac_reference
                                          vexla_platform benchmark::benchmark)
