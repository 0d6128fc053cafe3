#include "random/runtime_random.h"

#include "platform/platform.h"

std::uint32_t RandSeed;

void RandomizeFromClock() { RandSeed = ReadClockTicks(); }

std::uint32_t RandomBelow(std::uint32_t n) {
  RandSeed = RandSeed * 134775813u + 1u;
  return static_cast<std::uint32_t>(
      (static_cast<std::uint64_t>(RandSeed) * n) >> 32);
}
