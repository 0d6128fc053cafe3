#include "random/runtime_random.h"

#include <gtest/gtest.h>

namespace {

TEST(RandomBelow, StaysBelowTheBoundAndMovesTheSeed) {
  RandSeed = 1;
  for (std::uint32_t n : {0u, 1u, 2u, 256u, 0xFFFFFFFFu}) {
    const std::uint32_t before = RandSeed;
    const std::uint32_t value = RandomBelow(n);
    EXPECT_NE(RandSeed, before);
    if (n == 0) {
      EXPECT_EQ(value, 0u);
    } else {
      EXPECT_LT(value, n);
    }
  }
}

// Every byte value must be reachable, or the fallback would be visibly biased.
TEST(RandomBelow, CoversEveryByteValue) {
  RandSeed = 12345;
  bool seen[256] = {};
  for (int i = 0; i < 256 * 64; ++i) seen[RandomBelow(256)] = true;
  for (int v = 0; v < 256; ++v) EXPECT_TRUE(seen[v]) << v;
}

}  // namespace
