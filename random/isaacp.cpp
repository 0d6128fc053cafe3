#include "random/isaacp.h"

#include <bit>
#include <cstring>

#include "random/cryptapi2.h"

IsaacContext Generator;

namespace {

constexpr std::int32_t kWarmUpOutputs = 1000000;

[[maybe_unused]] inline std::uint32_t ReadLittleEndian(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
         std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// One step of a round; the accumulator mix is fixed per call site so that
// every rotation is by a constant.
template <int kMix>
inline void Step(std::uint32_t* m, std::uint32_t* r, unsigned i,
                 std::uint32_t& a, std::uint32_t& b) {
  if constexpr (kMix == 0) a ^= RotL(a, 13);
  if constexpr (kMix == 1) a ^= RotR(a, 6);
  if constexpr (kMix == 2) a ^= RotL(a, 2);
  if constexpr (kMix == 3) a ^= RotR(a, 16);
  const std::uint32_t x = m[i];
  a += m[(i + 128) & 255];
  const std::uint32_t y = (m[(x >> 2) & 255] + a) ^ b;
  m[i] = y;
  b = m[(y >> 10) & 255] ^ (a + x);
  r[i] = b;
}

}  // namespace

void IsaacRefill(IsaacContext& context) {
  std::uint32_t* const m = context.Memory;
  std::uint32_t* const r = context.Results;
  std::uint32_t a = context.Accumulator;
  context.Counter += 1;
  std::uint32_t b = context.Previous + context.Counter;
  for (unsigned i = 0; i < 256; i += 4) {
    Step<0>(m, r, i, a, b);
    Step<1>(m, r, i + 1, a, b);
    Step<2>(m, r, i + 2, a, b);
    Step<3>(m, r, i + 3, a, b);
  }
  context.Accumulator = a;
  context.Previous = b;
  context.Position = 0;
}

void IsaacAdvance(IsaacContext& context) {
  if (context.Position > 255) IsaacRefill(context);
  context.Current = context.Results[context.Position];
  context.Position += 1;
}

std::uint32_t IsaacNext(IsaacContext& context) {
  IsaacAdvance(context);
  return context.Current;
}

// Jumps whole rounds instead of stepping; every field ends as it would after
// `count` single advances.
void IsaacSkip(IsaacContext& context, std::int32_t count) {
  if (count <= 0) return;
  std::uint32_t left = static_cast<std::uint32_t>(count);
  const std::uint32_t available =
      context.Position <= 256 ? 256u - context.Position : 0u;
  if (left <= available) {
    context.Position = static_cast<std::uint16_t>(context.Position + left);
    context.Current = context.Results[context.Position - 1];
    return;
  }
  left -= available;
  while (left > 256) {
    IsaacRefill(context);
    left -= 256;
  }
  IsaacRefill(context);
  context.Position = static_cast<std::uint16_t>(left);
  context.Current = context.Results[left - 1];
}

void IsaacLoadSeedBlock(IsaacContext& context, const unsigned char* block) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&context, block, kIsaacSeedSize);
  } else {
    for (unsigned i = 0; i < 256; ++i) {
      context.Memory[i] = ReadLittleEndian(block + 4 * i);
      context.Results[i] = ReadLittleEndian(block + 1024 + 4 * i);
    }
    context.Accumulator = ReadLittleEndian(block + 2048);
    context.Previous = ReadLittleEndian(block + 2052);
    context.Counter = ReadLittleEndian(block + 2056);
    context.Current = ReadLittleEndian(block + 2060);
    context.Position =
        static_cast<std::uint16_t>(block[2064] | block[2065] << 8);
  }
}

bool IsaacSeed(IsaacContext& context) {
  bool ok;
  if constexpr (std::endian::native == std::endian::little) {
    ok = FillStrongRandom(reinterpret_cast<unsigned char*>(&context),
                          static_cast<std::int32_t>(kIsaacSeedSize));
  } else {
    unsigned char block[kIsaacSeedSize];
    ok = FillStrongRandom(block, static_cast<std::int32_t>(kIsaacSeedSize));
    IsaacLoadSeedBlock(context, block);
    std::memset(block, 0, sizeof block);
  }
  IsaacRefill(context);
  IsaacSkip(context, kWarmUpOutputs);
  return ok;
}

std::uint16_t IsaacBelow(IsaacContext& context, std::uint16_t n) {
  const std::uint32_t v = IsaacNext(context);
  const std::uint32_t h = (v >> 16) * n;
  const std::uint32_t l = ((v & 0xFFFFu) * n) >> 16;
  return static_cast<std::uint16_t>((h + l) >> 16);
}
