// The published ISAAC generator seeded with 1,024 strong random bytes (its
// whole seed array), then its raw outputs, as the yardstick for the same
// battery. Usage: isaac_reference_stream [word-count]
#include <cstdio>

#include "bench/isaac_reference.h"
#include "bench/word_stream.h"
#include "random/cryptapi2.h"

int main(int argc, char** argv) {
  std::uint64_t count;
  if (!ParseWordCount(argc, argv, &count)) {
    std::fprintf(stderr, "usage: %s [word-count]\n", argv[0]);
    return 2;
  }
  unsigned char seed[1024];
  if (!FillStrongRandom(seed, static_cast<std::int32_t>(sizeof seed))) {
    std::fprintf(stderr, "%s: the strong random source failed\n", argv[0]);
    return 1;
  }
  static IsaacReference reference;
  IsaacReferenceSeed(reference, seed, sizeof seed);
  return WriteWords(count, [] { return IsaacReferenceNext(reference); });
}
