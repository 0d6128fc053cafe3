// std::mt19937 seeded over its whole state from the strong source, as a
// yardstick for the same battery. Usage: mt19937_stream [word-count]
#include <cstdio>
#include <random>

#include "bench/word_stream.h"
#include "random/cryptapi2.h"

int main(int argc, char** argv) {
  std::uint64_t count;
  if (!ParseWordCount(argc, argv, &count)) {
    std::fprintf(stderr, "usage: %s [word-count]\n", argv[0]);
    return 2;
  }
  std::uint32_t seed[std::mt19937::state_size];
  if (!FillStrongRandom(reinterpret_cast<unsigned char*>(seed),
                        static_cast<std::int32_t>(sizeof seed))) {
    std::fprintf(stderr, "%s: the strong random source failed\n", argv[0]);
    return 1;
  }
  std::seed_seq sequence(std::begin(seed), std::end(seed));
  static std::mt19937 engine(sequence);
  return WriteWords(count, [] { return static_cast<std::uint32_t>(engine()); });
}
