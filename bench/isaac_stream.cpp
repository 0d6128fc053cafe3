// The program's generator as the program seeds it (strong bytes over the
// whole context, one round, 1,000,000 outputs discarded), then its raw
// outputs. Usage: isaac_stream [word-count]
#include <cstdio>

#include "bench/word_stream.h"
#include "random/isaacp.h"

int main(int argc, char** argv) {
  std::uint64_t count;
  if (!ParseWordCount(argc, argv, &count)) {
    std::fprintf(stderr, "usage: %s [word-count]\n", argv[0]);
    return 2;
  }
  if (!IsaacSeed(Generator)) {
    std::fprintf(stderr, "%s: the strong random source failed\n", argv[0]);
    return 1;
  }
  return WriteWords(count, [] { return IsaacNext(Generator); });
}
