// The published ISAAC generator (Bob Jenkins, 1996), kept only as a yardstick
// for ISAACP: its round sets the speed target, and its outputs serve as the
// baseline in statistical comparisons.
#pragma once

#include <cstddef>
#include <cstdint>

struct IsaacReference {
  std::uint32_t randrsl[256];  // results of the last round
  std::uint32_t mm[256];       // internal state
  std::uint32_t aa;
  std::uint32_t bb;
  std::uint32_t cc;
  // Results left in randrsl; they are handed out from the top down.
  std::uint32_t randcnt;
};

// Lays `seed` (up to 1,024 bytes, little-endian words, the rest zero) over
// randrsl and runs the golden-ratio initialisation, which ends with one round.
void IsaacReferenceSeed(IsaacReference& ctx, const unsigned char* seed,
                        std::size_t length);

// One round: 256 fresh results in randrsl.
void IsaacReferenceRefill(IsaacReference& ctx);

// The next output, in the published order (randrsl[255] first).
std::uint32_t IsaacReferenceNext(IsaacReference& ctx);
