#include "deck/deck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "platform/platform_fake.h"
#include "random/isaacp.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes CountingBlock() {
  Bytes block(kIsaacSeedSize);
  for (std::size_t k = 0; k < block.size(); ++k) {
    block[k] = static_cast<unsigned char>(k);
  }
  return block;
}

// Seeds Generator as the program does, with `block` as the strong bytes.
void SeedGenerator(const Bytes& block) {
  fake::Reset().random_bytes = block;
  ASSERT_TRUE(IsaacSeed(Generator));
}

// A generator whose next outputs are all `word`, with no round before them.
void ReplayWord(std::uint32_t word) {
  std::fill(std::begin(Generator.Results), std::end(Generator.Results), word);
  Generator.Position = 0;
}

Bytes Ticket(std::size_t k) {
  return Bytes(Deck + kTicketLength * k, Deck + kTicketLength * (k + 1));
}

// Checks the balance the construction guarantees whatever the draws.
void ExpectBalanced(const char* what) {
  int count[50] = {};
  for (std::size_t w = 0; w < kWindowCount; ++w) {
    bool seen[50] = {};
    for (std::size_t t = 0; t < kWindowLength; ++t) {
      const unsigned v = Deck[kWindowLength * w + t];
      ASSERT_TRUE(v >= 1 && v <= 49) << what;
      EXPECT_FALSE(seen[v]) << what << ": window " << w << " repeats " << v;
      seen[v] = true;
      ++count[v];
    }
    EXPECT_FALSE(seen[49 - w]) << what << ": window " << w;
  }
  for (unsigned v = 1; v <= 49; ++v) EXPECT_EQ(count[v], 48) << what << v;
  for (std::size_t k = 0; k < kTicketCount; ++k) {
    const Bytes ticket = Ticket(k);
    EXPECT_TRUE(std::adjacent_find(ticket.begin(), ticket.end(),
                                   std::greater_equal<>()) == ticket.end())
        << what << ": ticket " << k << " not strictly ascending";
  }
}

TEST(FillAscending, WritesOneToN) {
  for (unsigned n : {0u, 1u, 49u, 255u}) {
    Bytes bytes(256, 0xAA);
    FillAscending(bytes.data(), static_cast<std::uint8_t>(n));
    for (unsigned k = 0; k < 256; ++k) {
      EXPECT_EQ(bytes[k], k < n ? k + 1 : 0xAA) << "n " << n << " at " << k;
    }
  }
}

TEST(SwapBytes, ExchangesAndToleratesTheSameAddress) {
  unsigned char bytes[2] = {3, 9};
  SwapBytes(&bytes[0], &bytes[1]);
  EXPECT_EQ(bytes[0], 9);
  EXPECT_EQ(bytes[1], 3);
  SwapBytes(&bytes[0], &bytes[0]);
  EXPECT_EQ(bytes[0], 9);
}

TEST(SortBytes, SortsOnlyTheFirstNUnsigned) {
  struct Case {
    Bytes in;
    std::uint8_t n;
    Bytes out;
  };
  const Case cases[] = {
      {{6, 5, 4, 3, 2, 1}, 6, {1, 2, 3, 4, 5, 6}},
      {{3, 1, 3, 1}, 4, {1, 1, 3, 3}},
      {{200, 100, 0, 255}, 4, {0, 100, 200, 255}},
      {{9, 8}, 0, {9, 8}},
      {{9, 8}, 1, {9, 8}},
      {{5, 4, 3, 2, 1}, 3, {3, 4, 5, 2, 1}},
      {{2, 1}, 2, {1, 2}},
  };
  for (const Case& c : cases) {
    Bytes bytes = c.in;
    SortBytes(bytes.data(), c.n);
    EXPECT_EQ(bytes, c.out) << "n " << int{c.n};
  }
  std::mt19937 shuffle(7);
  Bytes bytes(255);
  for (int round = 0; round < 20; ++round) {
    for (unsigned char& b : bytes) b = static_cast<unsigned char>(shuffle());
    Bytes expected = bytes;
    std::sort(expected.begin(), expected.end());
    SortBytes(bytes.data(), 255);
    EXPECT_EQ(bytes, expected);
  }
}

TEST(ShuffleBytes, TakesNMinusOneDrawsAndNoneBelowTwo) {
  SeedGenerator(CountingBlock());
  const IsaacContext start = Generator;
  for (unsigned n : {0u, 1u, 2u, 48u, 255u}) {
    Generator = start;
    Bytes bytes(255);
    FillAscending(bytes.data(), 255);
    ShuffleBytes(bytes.data(), static_cast<std::uint8_t>(n));
    const unsigned draws = n < 2 ? 0 : n - 1;
    const unsigned taken = (Generator.Counter - start.Counter) * 256 +
                           Generator.Position - start.Position;
    EXPECT_EQ(taken, draws) << "n " << n;
    Bytes sorted = bytes;
    std::sort(sorted.begin(), sorted.begin() + std::max(n, 1u));
    for (unsigned k = 0; k < 255; ++k) {
      EXPECT_EQ(sorted[k], k + 1) << "n " << n << " lost a byte";
    }
  }
}

TEST(ShuffleBytes, ExtremeDrawsGiveKnownPermutations) {
  Bytes ascending(48);
  FillAscending(ascending.data(), 48);

  // Every draw m - 1 exchanges nothing.
  Bytes bytes = ascending;
  ReplayWord(0xFFFFFFFFu);
  ShuffleBytes(bytes.data(), 48);
  EXPECT_EQ(bytes, ascending);

  // Every draw 0 turns the window one place to the left.
  ReplayWord(0);
  ShuffleBytes(bytes.data(), 48);
  Bytes turned = ascending;
  std::rotate(turned.begin(), turned.begin() + 1, turned.end());
  EXPECT_EQ(bytes, turned);
}

// From the counting seed block, the draws of the first and last window and
// the finished tickets are fixed values.
TEST(BuildDeck, KnownAnswerFromTheCountingBlock) {
  SeedGenerator(CountingBlock());
  const IsaacContext seeded = Generator;

  const std::array<int, 47> window0 = {
      30, 5, 19, 42, 24, 14, 13, 10, 20, 33, 19, 7,  14, 20, 29, 7,
      12, 1, 6,  19, 13, 0,  25, 14, 1,  10, 11, 12, 13, 10, 5,  4,
      0,  8, 5,  9,  8,  0,  5,  1,  5,  3,  2,  2,  3,  2,  0};
  const std::array<int, 47> window48 = {
      1, 21, 36, 19, 41, 31, 15, 38, 16, 28, 1, 14, 1, 34, 14, 6,
      0, 27, 24, 25, 17, 6,  10, 8,  0,  12, 6, 12, 7, 11, 1,  12,
      5, 4,  12, 9,  9,  6,  1,  0,  5,  3,  0, 0,  0, 2,  0};
  IsaacContext draws = seeded;
  for (unsigned w = 0; w < kWindowCount; ++w) {
    for (unsigned m = 48; m >= 2; --m) {
      const int j = IsaacBelow(draws, static_cast<std::uint16_t>(m));
      if (w == 0) {
        EXPECT_EQ(j, window0[48 - m]) << "window 0 bound " << m;
      }
      if (w == 48) {
        EXPECT_EQ(j, window48[48 - m]) << "window 48 bound " << m;
      }
    }
  }

  BuildDeck();
  const Bytes tickets[] = {{3, 17, 19, 22, 33, 39}, {4, 16, 24, 29, 35, 44},
                           {5, 9, 10, 18, 27, 47},  {12, 23, 28, 32, 41, 48},
                           {1, 7, 26, 36, 38, 42},  {2, 13, 30, 37, 40, 45},
                           {8, 11, 14, 21, 34, 46}, {6, 15, 20, 25, 31, 43}};
  for (std::size_t k = 0; k < 8; ++k) EXPECT_EQ(Ticket(k), tickets[k]) << k;
  EXPECT_EQ(Ticket(391), (Bytes{3, 21, 23, 33, 38, 43}));
  EXPECT_EQ(Generator.Counter, seeded.Counter + 9);
  EXPECT_EQ(Generator.Position, 63u);
  EXPECT_EQ(std::memcmp(&Generator, &draws, sizeof draws), 0)
      << "the deck takes exactly the draws replayed above";
  ExpectBalanced("counting block");
}

TEST(BuildDeck, UnshuffledWindowsKeepTheirRuns) {
  // Every draw m - 1 leaves phase 1's order; the sorted tickets show it.
  for (std::size_t r = 0; r < kRunCount; ++r) {
    FillAscending(Deck + kRunLength * r, kRunLength);
  }
  for (std::size_t w = 0; w < kWindowCount; ++w) {
    ReplayWord(0xFFFFFFFFu);
    ShuffleBytes(Deck + kWindowLength * w, kWindowLength);
  }
  for (std::size_t k = 0; k < kTicketCount; ++k) {
    SortBytes(Deck + kTicketLength * k, kTicketLength);
  }
  EXPECT_EQ(Ticket(0), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Ticket(7), (Bytes{43, 44, 45, 46, 47, 48}));
  EXPECT_EQ(Ticket(8), (Bytes{1, 2, 3, 4, 5, 49}));
  EXPECT_EQ(Ticket(16), (Bytes{1, 2, 3, 4, 48, 49}));
  EXPECT_EQ(Ticket(391), (Bytes{44, 45, 46, 47, 48, 49}));
  ExpectBalanced("unshuffled");
}

// Balance holds by construction, whatever the generator's state.
TEST(BuildDeck, BalancedForManySeedBlocks) {
  std::mt19937 blocks(20261211);
  for (int seed = 0; seed < 2000; ++seed) {
    Bytes block(kIsaacSeedSize);
    if (seed == 1) std::fill(block.begin(), block.end(), 0xFF);
    if (seed >= 2) {
      for (unsigned char& b : block) b = static_cast<unsigned char>(blocks());
    }
    IsaacLoadSeedBlock(Generator, block.data());
    IsaacRefill(Generator);
    BuildDeck();
    ExpectBalanced(("seed block " + std::to_string(seed)).c_str());
    if (HasFailure()) return;
  }
}

}  // namespace
