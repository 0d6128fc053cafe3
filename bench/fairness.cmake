# Evidence of fairness: raw generator streams for dieharder, and statistics
# of many decks against a uniform shuffle (scripts dieharder-run and
# deck-fairness drive them).
add_executable(isaac_stream isaac_stream.cpp)
target_link_libraries(isaac_stream PRIVATE vexla_random vexla_platform)

add_executable(mt19937_stream mt19937_stream.cpp)
target_link_libraries(mt19937_stream PRIVATE vexla_random vexla_platform)

if(TARGET vexla_isaac_reference)
  add_executable(isaac_reference_stream isaac_reference_stream.cpp)
  target_link_libraries(isaac_reference_stream
    PRIVATE vexla_isaac_reference vexla_random vexla_platform)
endif()

add_library(vexla_deck_stats STATIC deck_stats.cpp)
target_link_libraries(vexla_deck_stats PUBLIC vexla_platform_api)

add_executable(deck_stats deck_stats_main.cpp)
target_link_libraries(deck_stats
  PRIVATE vexla_deck_stats vexla_deck vexla_platform)

if(VEXLA_TESTS)
  vexla_add_test(deck_stats_test SOURCES deck_stats_test.cpp
    LIBS vexla_deck_stats vexla_deck vexla_platform_fake)
endif()
