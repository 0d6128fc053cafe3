// ISAACP: a generator of the ISAAC family with its own round (rotations where
// the published ISAAC shifts), seeded by laying strong random bytes over its
// whole context.
#pragma once

#include <cstddef>
#include <cstdint>

struct IsaacContext {
  std::uint32_t Memory[256];
  std::uint32_t Results[256];
  std::uint32_t Accumulator;
  std::uint32_t Previous;
  std::uint32_t Counter;
  std::uint32_t Current;
  // Index of the next output in Results; above 255 a round must run first.
  std::uint16_t Position;
};

// The seed block covers the whole record, its two trailing padding bytes
// included, little-endian.
inline constexpr std::size_t kIsaacSeedSize = 2068;
static_assert(sizeof(IsaacContext) == kIsaacSeedSize);
static_assert(offsetof(IsaacContext, Results) == 1024);
static_assert(offsetof(IsaacContext, Accumulator) == 2048);
static_assert(offsetof(IsaacContext, Previous) == 2052);
static_assert(offsetof(IsaacContext, Counter) == 2056);
static_assert(offsetof(IsaacContext, Current) == 2060);
static_assert(offsetof(IsaacContext, Position) == 2064);

// The program's one generator, zero-filled until IsaacSeed.
extern IsaacContext Generator;

constexpr std::uint32_t RotL(std::uint32_t x, unsigned k) {
  k &= 31;
  return k == 0 ? x : (x << k) | (x >> (32 - k));
}
constexpr std::uint32_t RotR(std::uint32_t x, unsigned k) {
  k &= 31;
  return k == 0 ? x : (x >> k) | (x << (32 - k));
}

void IsaacRefill(IsaacContext& context);
void IsaacAdvance(IsaacContext& context);
std::uint32_t IsaacNext(IsaacContext& context);
void IsaacSkip(IsaacContext& context, std::int32_t count);

// Lays 2,068 bytes from the strong source over `context`, runs one round and
// discards 1,000,000 outputs. True only when the strong source delivered.
bool IsaacSeed(IsaacContext& context);

// Lays `block` (kIsaacSeedSize bytes) over `context` as IsaacSeed does.
void IsaacLoadSeedBlock(IsaacContext& context, const unsigned char* block);

// floor(output * n / 2^32); one output per call whatever n is.
std::uint16_t IsaacBelow(IsaacContext& context, std::uint16_t n);
