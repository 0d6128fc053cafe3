// The runtime's general-purpose generator: a 32-bit linear congruential
// generator with a process-wide seed. Not for anything that needs secrecy.
#pragma once

#include <cstdint>

extern std::uint32_t RandSeed;

// Sets RandSeed from the clock.
void RandomizeFromClock();

// A value from 0 to n - 1 (0 when n is 0); moves RandSeed on.
std::uint32_t RandomBelow(std::uint32_t n);
