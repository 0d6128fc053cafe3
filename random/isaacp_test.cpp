#include "random/isaacp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/platform_fake.h"

namespace {

// The counting block: byte value k mod 256 at offset k of the seed block.
std::vector<unsigned char> CountingBlock() {
  std::vector<unsigned char> block(kIsaacSeedSize);
  for (std::size_t k = 0; k < block.size(); ++k) {
    block[k] = static_cast<unsigned char>(k);
  }
  return block;
}

IsaacContext FromBlock(const std::vector<unsigned char>& block) {
  IsaacContext context;
  IsaacLoadSeedBlock(context, block.data());
  return context;
}

// Seeds through the strong source, as the program does, with `block` as the
// bytes the source delivers.
IsaacContext SeededWith(const std::vector<unsigned char>& block) {
  fake::Reset().random_bytes = block;
  IsaacContext context{};
  EXPECT_TRUE(IsaacSeed(context));
  return context;
}

bool SameContext(const IsaacContext& a, const IsaacContext& b) {
  return std::memcmp(a.Memory, b.Memory, sizeof a.Memory) == 0 &&
         std::memcmp(a.Results, b.Results, sizeof a.Results) == 0 &&
         a.Accumulator == b.Accumulator && a.Previous == b.Previous &&
         a.Counter == b.Counter && a.Current == b.Current &&
         a.Position == b.Position;
}

TEST(Rotate, IsAPlainRotationWithAmountModulo32) {
  struct Case {
    std::uint32_t x;
    unsigned k;
    std::uint32_t left, right;
  };
  const Case cases[] = {
      {0x80000001u, 0, 0x80000001u, 0x80000001u},
      {0x80000001u, 1, 0x00000003u, 0xC0000000u},
      {0x80000001u, 33, 0x00000003u, 0xC0000000u},
      {0x12345678u, 16, 0x56781234u, 0x56781234u},
      {0x12345678u, 32, 0x12345678u, 0x12345678u},
      {0x00000001u, 13, 0x00002000u, 0x00080000u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RotL(c.x, c.k), c.left) << c.x << " by " << c.k;
    EXPECT_EQ(RotR(c.x, c.k), c.right) << c.x << " by " << c.k;
  }
}

// Known answers of the round from a zero-filled context, worked out by hand
// from the round's definition and confirmed by the reference tables.
TEST(IsaacRefill, FirstRoundFromZeroContext) {
  IsaacContext context{};
  IsaacRefill(context);
  const std::array<std::uint32_t, 8> results128 = {
      0x00000000u, 0x04000000u, 0x14000004u, 0x14051405u,
      0xB685B685u, 0xB685B6BAu, 0x21212121u, 0x00000000u};
  const std::array<std::uint32_t, 9> memory128 = {
      0x00000003u, 0x04000002u, 0x10000006u, 0x00051402u, 0xA280A283u,
      0x16DA16E5u, 0x97A49798u, 0x21212120u, 0x00000001u};
  for (unsigned i = 0; i < 256; ++i) {
    const std::uint32_t result =
        i >= 128 && i < 136 ? results128[i - 128] : 0x00000001u;
    EXPECT_EQ(context.Results[i], result) << "Results[" << i << "]";
    std::uint32_t memory = i == 0 ? 1u : 0u;
    if (i >= 128 && i < 137) memory = memory128[i - 128];
    EXPECT_EQ(context.Memory[i], memory) << "Memory[" << i << "]";
  }
  EXPECT_EQ(context.Accumulator, 0u);
  EXPECT_EQ(context.Previous, 1u);
  EXPECT_EQ(context.Counter, 1u);
  EXPECT_EQ(context.Position, 0u);

  IsaacRefill(context);
  EXPECT_EQ(context.Results[0], 0x00000003u);
  EXPECT_EQ(context.Results[1], 0x10000002u);
  EXPECT_EQ(context.Results[2], 0x60000010u);
  EXPECT_EQ(context.Results[3], 0x601C7419u);
  EXPECT_EQ(context.Results[255], 0x00000007u);
  EXPECT_EQ(context.Accumulator, 0u);
  EXPECT_EQ(context.Previous, 7u);
  EXPECT_EQ(context.Counter, 2u);
}

TEST(IsaacRefill, FirstRoundFromCountingBlock) {
  IsaacContext context = FromBlock(CountingBlock());
  EXPECT_EQ(context.Memory[0], 0x03020100u);
  EXPECT_EQ(context.Accumulator, 0x03020100u);
  EXPECT_EQ(context.Previous, 0x07060504u);
  EXPECT_EQ(context.Counter, 0x0B0A0908u);
  EXPECT_EQ(context.Position, 0x1110u);

  IsaacRefill(context);
  for (std::uint32_t expected :
       {0x46280E6Cu, 0x46DA0DE1u, 0xDE8E0D3Au, 0x082A0E2Cu}) {
    EXPECT_EQ(IsaacNext(context), expected);
  }
  EXPECT_EQ(context.Results[255], 0x92E8CCC5u);
  EXPECT_EQ(context.Accumulator, 0xC821875Fu);
  EXPECT_EQ(context.Previous, 0x92E8CCC5u);
  EXPECT_EQ(context.Counter, 0x0B0A0909u);
}

TEST(IsaacNext, ZeroContextHandsOutStoredResultsBeforeAnyRound) {
  IsaacContext context{};
  for (int i = 0; i < 256; ++i) ASSERT_EQ(IsaacNext(context), 0u) << i;
  EXPECT_EQ(context.Counter, 0u);
  EXPECT_EQ(IsaacNext(context), 0x00000001u);
  EXPECT_EQ(context.Counter, 1u);
}

TEST(IsaacAdvance, RunsARoundOnlyWhenResultsAreUsedUp) {
  struct Case {
    std::uint16_t position;
    bool round;
  };
  const Case cases[] = {{0, false},  {255, false},   {256, true},
                        {257, true}, {0x1110, true}, {65535, true}};
  const IsaacContext start = FromBlock(CountingBlock());
  for (const Case& c : cases) {
    IsaacContext context = start;
    context.Position = c.position;
    IsaacAdvance(context);
    if (c.round) {
      IsaacContext refilled = start;
      IsaacRefill(refilled);
      EXPECT_EQ(context.Current, refilled.Results[0]) << c.position;
      EXPECT_EQ(context.Position, 1u) << c.position;
      EXPECT_EQ(context.Counter, start.Counter + 1) << c.position;
    } else {
      EXPECT_EQ(context.Current, start.Results[c.position]) << c.position;
      EXPECT_EQ(context.Position, c.position + 1) << c.position;
      EXPECT_EQ(context.Counter, start.Counter) << c.position;
    }
  }
}

TEST(IsaacSkip, NonPositiveCountLeavesContextUntouched) {
  IsaacContext start = FromBlock(CountingBlock());
  IsaacRefill(start);
  for (std::int32_t count : {0, -1, -2147483647 - 1}) {
    IsaacContext context = start;
    IsaacSkip(context, count);
    EXPECT_TRUE(SameContext(context, start)) << count;
  }
}

// Bulk skipping must end in exactly the state of single steps, from every
// kind of starting position.
TEST(IsaacSkip, EqualsThatManySingleAdvances) {
  const std::uint16_t positions[] = {0, 1, 64, 255, 256, 300, 65535};
  const std::int32_t counts[] = {1,   2,   63,  191, 192,  255, 256,
                                 257, 511, 512, 513, 1000, 5000};
  IsaacContext start = FromBlock(CountingBlock());
  IsaacRefill(start);
  for (std::uint16_t position : positions) {
    for (std::int32_t count : counts) {
      IsaacContext stepped = start;
      stepped.Position = position;
      IsaacContext skipped = stepped;
      for (std::int32_t i = 0; i < count; ++i) IsaacAdvance(stepped);
      IsaacSkip(skipped, count);
      EXPECT_TRUE(SameContext(stepped, skipped))
          << "position " << position << " count " << count;
    }
  }
}

TEST(IsaacBelow, ScalesOneOutputIntoRange) {
  struct Case {
    std::uint32_t v;
    std::uint16_t n;
    std::uint16_t expected;
  };
  const Case cases[] = {
      {0xFFFFFFFFu, 48, 47}, {0xFFFFFFFFu, 49, 48}, {0xFFFFFFFFu, 65535, 65534},
      {0x80000000u, 48, 24}, {0x80000000u, 2, 1},   {0x7FFFFFFFu, 2, 0},
      {0u, 48, 0},           {0u, 65535, 0},        {0xFFFFFFFFu, 0, 0},
      {0xFFFFFFFFu, 1, 0},   {0x12345678u, 0, 0},   {0x12345678u, 1, 0},
  };
  for (const Case& c : cases) {
    IsaacContext context{};
    context.Results[5] = c.v;
    context.Position = 5;
    EXPECT_EQ(IsaacBelow(context, c.n), c.expected) << c.v << " below " << c.n;
    EXPECT_EQ(context.Position, 6u) << "one output per draw";
  }
}

TEST(IsaacBelow, EqualsHighWordOfTheProduct) {
  IsaacContext context = FromBlock(CountingBlock());
  IsaacRefill(context);
  for (std::uint16_t n : {2, 3, 47, 48, 255, 1000, 65535}) {
    for (int i = 0; i < 300; ++i) {
      IsaacContext peek = context;
      const std::uint64_t v = IsaacNext(peek);
      EXPECT_EQ(IsaacBelow(context, n), (v * n) >> 32);
    }
  }
}

TEST(IsaacSeed, KnownAnswersThroughTheStrongSource) {
  struct Case {
    const char* name;
    std::vector<unsigned char> block;
    std::uint32_t counter, current;
    std::array<std::uint32_t, 4> next;
  };
  const Case cases[] = {
      {"counting block",
       CountingBlock(),
       0x0B0A184Bu,
       0x340A538Au,
       {0xA3D0A53Cu, 0x1C032D58u, 0x6B06B16Fu, 0xF35C6562u}},
      {"zero block",
       std::vector<unsigned char>(kIsaacSeedSize, 0),
       0x00000F43u,
       0xEE702367u,
       {0x7B15AC75u, 0xA0E9D0B2u, 0xFE41C8B7u, 0x2152AE90u}},
  };
  for (const Case& c : cases) {
    IsaacContext context = SeededWith(c.block);
    EXPECT_EQ(context.Position, 64u) << c.name;
    EXPECT_EQ(context.Counter, c.counter) << c.name;
    EXPECT_EQ(context.Current, c.current) << c.name;
    for (std::uint32_t expected : c.next) {
      EXPECT_EQ(IsaacNext(context), expected) << c.name;
    }
  }
}

TEST(IsaacSeed, CountingBlockDrawsBelow48) {
  IsaacContext context = SeededWith(CountingBlock());
  for (std::uint16_t expected : {30, 5, 20, 45, 26, 15, 15, 12}) {
    EXPECT_EQ(IsaacBelow(context, 48), expected);
  }
}

TEST(IsaacSeed, AsksTheStrongSourceForTheWholeContextOnce) {
  fake::Reset();
  IsaacContext context{};
  EXPECT_TRUE(IsaacSeed(context));
  const std::vector<std::string> expected = {
      "AcquireRandomProvider", "GenerateRandom", "ReleaseRandomProvider"};
  EXPECT_EQ(fake::CurrentRecord().calls, expected);
}

TEST(IsaacSeed, PassesOnFailureAfterWarmingTheWeakFill) {
  fake::Reset().acquire_fails = true;
  IsaacContext context{};
  EXPECT_FALSE(IsaacSeed(context));
  EXPECT_EQ(context.Position, 64u);
}

// Only Memory, Accumulator, Previous and Counter of the block decide the
// outputs; Results, Current, Position and the padding are overwritten.
TEST(IsaacSeed, OnlyTheStateFieldsOfTheBlockMatter) {
  for (const auto& base :
       {CountingBlock(), std::vector<unsigned char>(kIsaacSeedSize, 0)}) {
    IsaacContext reference = FromBlock(base);
    IsaacRefill(reference);
    for (std::size_t offset = 0; offset < kIsaacSeedSize; ++offset) {
      for (int bit = 0; bit < 8; ++bit) {
        std::vector<unsigned char> block = base;
        block[offset] ^= static_cast<unsigned char>(1u << bit);
        IsaacContext context = FromBlock(block);
        IsaacRefill(context);
        const bool same = std::memcmp(context.Results, reference.Results,
                                      sizeof reference.Results) == 0;
        const bool ignored =
            (offset >= 1024 && offset < 2048) || offset >= 2060;
        EXPECT_EQ(same, ignored) << "offset " << offset << " bit " << bit;
      }
    }
  }
}

}  // namespace
