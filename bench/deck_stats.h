// Statistics of many finished decks against what a uniform shuffle of each
// window implies: where each number lands in its block, which numbers share
// tickets, and where tickets fall among all 6-of-49 combinations.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kNumbers = 49;
inline constexpr int kBlocks = 49;
inline constexpr int kTicketsPerBlock = 8;
inline constexpr int kPlaces = 6;
inline constexpr int kRankBins = 1000;
inline constexpr std::uint64_t kCombinations = 13983816;  // C(49, 6)

// Upper tail of the chi-square distribution with `dof` degrees of freedom.
double ChiSquareUpperTail(double statistic, double dof);
// Regularized upper incomplete gamma function Q(a, x).
double GammaQ(double a, double x);

// Colex rank of an ascending ticket among all C(49, 6) combinations.
std::uint32_t TicketRank(const unsigned char* ticket);

// Chance that `number` stands at `place` of its sorted ticket in `block`
// under a uniform shuffle: its rank among itself and five others drawn from
// the block's other 47 numbers. Zero for the number the block lacks.
double PlaceProbability(int block, int number, int place);

// Counts gathered from decks; numbers index from 1.
struct DeckTally {
  std::uint64_t decks;
  std::uint32_t ticket[kBlocks][kNumbers + 1][kTicketsPerBlock];
  std::uint32_t place[kBlocks][kNumbers + 1][kPlaces];
  std::uint64_t pair[kNumbers + 1][kNumbers + 1];  // i < j used
  std::uint64_t rank_bin[kRankBins];
};

void ClearTally(DeckTally& tally);
void TallyDeck(DeckTally& tally, const unsigned char* deck);

struct ChiSquareResult {
  double statistic;
  double dof;
  double p_value;
};

// Expected tickets per deck in each rank bin, summed over the blocks.
// Enumerates all combinations once (about 14 million); the result is cached.
const double* ExpectedRankBins();

struct FairnessResult {
  // (a) Which of the eight tickets: all blocks and numbers together.
  ChiSquareResult ticket;
  // (a) Which of the six places: one test per number over its 48 blocks;
  // `place` is the smallest of the 49, its p-value made 49 times as large.
  ChiSquareResult place_by_number[kNumbers + 1];
  ChiSquareResult place;
  int place_worst_number;
  // (b) Pair co-occurrence counts over all 1,176 pairs.
  ChiSquareResult pair;
  // (c) Ticket ranks in equal bins.
  ChiSquareResult rank;
};

FairnessResult EvaluateTally(const DeckTally& tally);

// Variance of one pair's co-occurrence count in one deck, and the scale of
// the pair statistic (see deck_stats.cpp).
double PairVariancePerDeck();
// Deviation of each pair's count from its expectation in standard units, for
// the picture; z[i][j] for 1 <= i, j <= 49, zero on the diagonal.
void PairDeviations(const DeckTally& tally,
                    double z[kNumbers + 1][kNumbers + 1]);
