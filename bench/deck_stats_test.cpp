#include "bench/deck_stats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "deck/deck.h"
#include "random/isaacp.h"

namespace {

TEST(ChiSquare, UpperTailMatchesTables) {
  struct Case {
    double statistic;
    double dof;
    double p_value;
  };
  const Case cases[] = {
      {3.841458820694124, 1, 0.05},    // continued fraction
      {18.307038053275146, 10, 0.05},  // continued fraction
      {3.9402991361190605, 10, 0.95},  // series
      {2.0, 2, std::exp(-1.0)},        // closed form for 2 dof
      {100.0, 2, std::exp(-50.0)},     // far tail keeps its precision
      {0.0, 5, 1.0},
  };
  for (const Case& c : cases) {
    const double p = ChiSquareUpperTail(c.statistic, c.dof);
    EXPECT_NEAR(p / c.p_value, 1.0, 1e-9) << c.statistic << " " << c.dof;
  }
}

TEST(DeckExpectations, AreDistributions) {
  // The lowest and highest combinations bound the colex ranks.
  const unsigned char lowest[6] = {1, 2, 3, 4, 5, 6};
  const unsigned char highest[6] = {44, 45, 46, 47, 48, 49};
  EXPECT_EQ(TicketRank(lowest), 0u);
  EXPECT_EQ(TicketRank(highest), kCombinations - 1);

  for (int w = 0; w < kBlocks; ++w) {
    for (int v = 1; v <= kNumbers; ++v) {
      double sum = 0.0;
      for (int k = 0; k < kPlaces; ++k) sum += PlaceProbability(w, v, k);
      EXPECT_NEAR(sum, v == kNumbers - w ? 0.0 : 1.0, 1e-12) << w << " " << v;
    }
  }
  // Number 1 is always first; 49 is last in every block that holds it.
  EXPECT_DOUBLE_EQ(PlaceProbability(0, 1, 0), 1.0);
  EXPECT_DOUBLE_EQ(PlaceProbability(1, 49, 5), 1.0);

  const double* bins = ExpectedRankBins();
  double tickets = 0.0;
  for (int b = 0; b < kRankBins; ++b) tickets += bins[b];
  EXPECT_NEAR(tickets, 392.0, 1e-9);
}

// Seeds the generator from a fixed block as the program does from the
// strong source: the block over the context, one round, the warm-up.
void SeedFromFixedBlock(unsigned seed) {
  std::mt19937 source(seed);
  unsigned char block[kIsaacSeedSize];
  for (unsigned char& byte : block) byte = static_cast<unsigned char>(source());
  IsaacLoadSeedBlock(Generator, block);
  IsaacRefill(Generator);
  IsaacSkip(Generator, 1000000);
}

// A shuffle that never leaves a byte in place: every draw is below m - 1.
void BuildDeckNeverInPlace() {
  for (std::size_t r = 0; r < kRunCount; ++r) {
    FillAscending(Deck + kRunLength * r, kRunLength);
  }
  for (std::size_t w = 0; w < kWindowCount; ++w) {
    unsigned char* p = Deck + kWindowLength * w;
    for (unsigned m = kWindowLength; m >= 2; --m) {
      const unsigned j =
          IsaacBelow(Generator, static_cast<std::uint16_t>(m - 1));
      SwapBytes(&p[m - 1], &p[j]);
    }
  }
  for (std::size_t k = 0; k < kTicketCount; ++k) {
    SortBytes(Deck + kTicketLength * k, kTicketLength);
  }
}

// A shuffle that leaves the last byte of every window where it was.
void BuildDeckLastByteFixed() {
  for (std::size_t r = 0; r < kRunCount; ++r) {
    FillAscending(Deck + kRunLength * r, kRunLength);
  }
  for (std::size_t w = 0; w < kWindowCount; ++w) {
    ShuffleBytes(Deck + kWindowLength * w, kWindowLength - 1);
  }
  for (std::size_t k = 0; k < kTicketCount; ++k) {
    SortBytes(Deck + kTicketLength * k, kTicketLength);
  }
}

constexpr unsigned kSeedBlocks = 4;
constexpr int kDecksPerSeed = 100;
constexpr double kThreshold = 1e-6;

DeckTally tally;

FairnessResult Evaluate(void (*build)()) {
  ClearTally(tally);
  for (unsigned s = 1; s <= kSeedBlocks; ++s) {
    SeedFromFixedBlock(s);
    for (int d = 0; d < kDecksPerSeed; ++d) {
      build();
      TallyDeck(tally, Deck);
    }
  }
  return EvaluateTally(tally);
}

double SmallestP(const FairnessResult& r) {
  return std::min(
      {r.ticket.p_value, r.place.p_value, r.pair.p_value, r.rank.p_value});
}

TEST(DeckFairness, ProgramDecksLookUniform) {
  const FairnessResult r = Evaluate(BuildDeck);
  EXPECT_GT(r.ticket.p_value, kThreshold);
  EXPECT_GT(r.place.p_value, kThreshold);
  EXPECT_GT(r.pair.p_value, kThreshold);
  EXPECT_GT(r.rank.p_value, kThreshold);
}

// The same statistics must see a skewed shuffle, or passing means nothing.
TEST(DeckFairness, SkewedShufflesAreCaught) {
  struct Case {
    const char* name;
    void (*build)();
  };
  const Case cases[] = {
      {"never in place", BuildDeckNeverInPlace},
      {"last byte fixed", BuildDeckLastByteFixed},
  };
  for (const Case& c : cases) {
    EXPECT_LT(SmallestP(Evaluate(c.build)), 1e-12) << c.name;
  }
}

}  // namespace
