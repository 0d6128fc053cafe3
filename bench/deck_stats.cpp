#include "bench/deck_stats.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kIterationLimit = 1000000;
constexpr double kEpsilon = 1e-15;
constexpr double kTiny = 1e-300;
// A merged cell of the place test needs this many expected counts for the
// chi-square approximation to hold.
constexpr double kMinimumExpected = 5.0;

double Choose(int n, int k) {
  if (k < 0 || n < 0 || k > n) return 0.0;
  double result = 1.0;
  for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

// ln of x^a e^-x / Gamma(a), the factor both expansions share.
double GammaPrefix(double a, double x) {
  return -x + a * std::log(x) - std::lgamma(a);
}

int MissingNumber(int block) { return kNumbers - block; }

std::uint32_t RankBin(std::uint32_t rank) {
  return static_cast<std::uint32_t>(std::uint64_t{rank} * kRankBins /
                                    kCombinations);
}

ChiSquareResult MakeResult(double statistic, double dof) {
  return {statistic, dof, ChiSquareUpperTail(statistic, dof)};
}

// Covariances of pair co-occurrence in one window of 48 numbers dealt into
// eight tickets of six, from the chances that two, three and four given
// numbers meet: a pair shares a ticket with p = 5/47.
struct PairCovariance {
  double variance;    // one pair
  double one_shared;  // pairs {a, b} and {a, c}
  double disjoint;    // pairs {a, b} and {c, d}
};

PairCovariance WindowPairCovariance() {
  const double p = 5.0 / 47.0;
  const double three = p * 4.0 / 46.0;
  const double two_pairs = p * (4.0 * 3.0 + 42.0 * 5.0) / (46.0 * 45.0);
  return {p * (1.0 - p), three - p * p, two_pairs - p * p};
}

}  // namespace

double GammaQ(double a, double x) {
  if (x <= 0.0 || a <= 0.0) return 1.0;
  if (x < a + 1.0) {
    // Series for the lower function P; Q is not small here.
    double term = 1.0 / a;
    double sum = term;
    double ap = a;
    for (int i = 0; i < kIterationLimit; ++i) {
      ap += 1.0;
      term *= x / ap;
      sum += term;
      if (std::fabs(term) < std::fabs(sum) * kEpsilon) break;
    }
    return std::max(0.0, 1.0 - sum * std::exp(GammaPrefix(a, x)));
  }
  // Continued fraction for Q itself (modified Lentz), accurate in the tail.
  double b = x + 1.0 - a;
  double c = 1.0 / kTiny;
  double d = 1.0 / b;
  double h = d;
  for (int i = 1; i < kIterationLimit; ++i) {
    const double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b + an / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    const double delta = d * c;
    h *= delta;
    if (std::fabs(delta - 1.0) < kEpsilon) break;
  }
  return std::exp(GammaPrefix(a, x)) * h;
}

double ChiSquareUpperTail(double statistic, double dof) {
  if (dof <= 0.0) return 1.0;
  return GammaQ(dof / 2.0, statistic / 2.0);
}

std::uint32_t TicketRank(const unsigned char* ticket) {
  double rank = 0.0;
  for (int i = 0; i < kPlaces; ++i) rank += Choose(ticket[i] - 1, i + 1);
  return static_cast<std::uint32_t>(rank);
}

double PlaceProbability(int block, int number, int place) {
  const int missing = MissingNumber(block);
  if (number == missing) return 0.0;
  const int lower = number - 1 - (missing < number ? 1 : 0);
  const int higher = 47 - lower;
  return Choose(lower, place) * Choose(higher, kPlaces - 1 - place) /
         Choose(47, kPlaces - 1);
}

void ClearTally(DeckTally& tally) { std::memset(&tally, 0, sizeof tally); }

void TallyDeck(DeckTally& tally, const unsigned char* deck) {
  tally.decks += 1;
  for (int w = 0; w < kBlocks; ++w) {
    for (int t = 0; t < kTicketsPerBlock; ++t) {
      const unsigned char* ticket = deck + 48 * w + kPlaces * t;
      for (int k = 0; k < kPlaces; ++k) {
        tally.ticket[w][ticket[k]][t] += 1;
        tally.place[w][ticket[k]][k] += 1;
        for (int l = k + 1; l < kPlaces; ++l) {
          const int i = std::min(ticket[k], ticket[l]);
          const int j = std::max(ticket[k], ticket[l]);
          tally.pair[i][j] += 1;
        }
      }
      tally.rank_bin[RankBin(TicketRank(ticket))] += 1;
    }
  }
}

const double* ExpectedRankBins() {
  static double expected[kRankBins];
  static bool ready = false;
  if (ready) return expected;
  // Combinations per bin, in all and with each number, walked in colex order
  // so that the rank is the running count.
  static std::uint32_t total[kRankBins];
  static std::uint32_t with[kNumbers + 1][kRankBins];
  std::uint32_t rank = 0;
  std::uint32_t bin = 0;
  // First rank of bin b: the smallest r with r * 1000 / C(49, 6) >= b.
  auto edge = [](std::uint32_t b) {
    return (std::uint64_t{b} * kCombinations + kRankBins - 1) / kRankBins;
  };
  std::uint64_t next_edge = edge(1);
  for (int c5 = 6; c5 <= kNumbers; ++c5) {
    for (int c4 = 5; c4 < c5; ++c4) {
      for (int c3 = 4; c3 < c4; ++c3) {
        for (int c2 = 3; c2 < c3; ++c2) {
          for (int c1 = 2; c1 < c2; ++c1) {
            for (int c0 = 1; c0 < c1; ++c0, ++rank) {
              while (rank >= next_edge) next_edge = edge(++bin + 1);
              total[bin] += 1;
              with[c0][bin] += 1;
              with[c1][bin] += 1;
              with[c2][bin] += 1;
              with[c3][bin] += 1;
              with[c4][bin] += 1;
              with[c5][bin] += 1;
            }
          }
        }
      }
    }
  }
  // Block w deals its 48 numbers into eight tickets, each a uniform 6-subset
  // of them; it cannot hold the combinations with its missing number.
  const double subsets = Choose(48, kPlaces);
  for (int b = 0; b < kRankBins; ++b) {
    double sum = 0.0;
    for (int w = 0; w < kBlocks; ++w) {
      sum +=
          kTicketsPerBlock * (total[b] - with[MissingNumber(w)][b]) / subsets;
    }
    expected[b] = sum;
  }
  ready = true;
  return expected;
}

double PairVariancePerDeck() {
  // A pair lies together in 47 windows, independent of each other.
  return 47.0 * WindowPairCovariance().variance;
}

void PairDeviations(const DeckTally& tally,
                    double z[kNumbers + 1][kNumbers + 1]) {
  const double n = static_cast<double>(tally.decks);
  const double scale = std::sqrt(n * PairVariancePerDeck());
  for (int i = 0; i <= kNumbers; ++i) {
    for (int j = 0; j <= kNumbers; ++j) z[i][j] = 0.0;
  }
  for (int i = 1; i <= kNumbers; ++i) {
    for (int j = i + 1; j <= kNumbers; ++j) {
      const double d = (static_cast<double>(tally.pair[i][j]) - 5.0 * n);
      z[i][j] = z[j][i] = scale > 0.0 ? d / scale : 0.0;
    }
  }
}

FairnessResult EvaluateTally(const DeckTally& tally) {
  FairnessResult result{};
  const double n = static_cast<double>(tally.decks);

  // (a) Tickets. Per block the 48 x 8 table of counts is a sum of uniformly
  // random assignments whose covariance is (6/47) C48 (x) C8 (C the centring
  // matrix), so its Pearson sum is (48/47) chi-square(47 * 7); blocks are
  // independent.
  {
    const double expected = n / kTicketsPerBlock;
    double sum = 0.0;
    for (int w = 0; w < kBlocks; ++w) {
      for (int v = 1; v <= kNumbers; ++v) {
        if (v == MissingNumber(w)) continue;
        for (int t = 0; t < kTicketsPerBlock; ++t) {
          const double d = tally.ticket[w][v][t] - expected;
          sum += d * d / expected;
        }
      }
    }
    result.ticket = MakeResult(sum * 47.0 / 48.0, kBlocks * 47.0 * 7.0);
  }

  // (a) Places. For one number in one block the counts over decks are
  // multinomial; its 48 blocks are independent, so their sums are
  // chi-square. Numbers of one block are not independent of each other, hence
  // the smallest p-value over the 49 numbers, Bonferroni-corrected.
  {
    double smallest = 2.0;
    int worst = 1;
    for (int v = 1; v <= kNumbers; ++v) {
      double statistic = 0.0;
      double dof = 0.0;
      for (int w = 0; w < kBlocks; ++w) {
        if (v == MissingNumber(w)) continue;
        // Cells merge from the low places up until each expects enough.
        double group_expected[kPlaces];
        double group_observed[kPlaces];
        int groups = 0;
        double e = 0.0;
        double o = 0.0;
        for (int k = 0; k < kPlaces; ++k) {
          e += n * PlaceProbability(w, v, k);
          o += tally.place[w][v][k];
          if (e >= kMinimumExpected) {
            group_expected[groups] = e;
            group_observed[groups] = o;
            ++groups;
            e = o = 0.0;
          }
        }
        if (groups == 0) continue;
        group_expected[groups - 1] += e;
        group_observed[groups - 1] += o;
        for (int g = 0; g < groups; ++g) {
          const double d = group_observed[g] - group_expected[g];
          statistic += d * d / group_expected[g];
        }
        dof += groups - 1;
      }
      result.place_by_number[v] = MakeResult(statistic, dof);
      if (result.place_by_number[v].p_value < smallest) {
        smallest = result.place_by_number[v].p_value;
        worst = v;
      }
    }
    result.place = result.place_by_number[worst];
    result.place_worst_number = worst;
    result.place.p_value = std::min(1.0, smallest * kNumbers);
  }

  // (b) Pairs. Each pair expects 5 per deck. The pair counts' covariance is
  // invariant under relabelling the numbers, so it splits over the three
  // eigenspaces of pairs of 49 points; each number's partner total (240) and
  // the grand total (5,880) are fixed, which leaves the 1,127-dimensional
  // space, on which the covariance per deck is the eigenvalue below.
  {
    const PairCovariance c = WindowPairCovariance();
    // A pair lies in 47 windows, two pairs sharing a number in 46, disjoint
    // pairs in 45.
    const double eigenvalue =
        47.0 * c.variance - 2.0 * 46.0 * c.one_shared + 45.0 * c.disjoint;
    double sum = 0.0;
    for (int i = 1; i <= kNumbers; ++i) {
      for (int j = i + 1; j <= kNumbers; ++j) {
        const double d = static_cast<double>(tally.pair[i][j]) - 5.0 * n;
        sum += d * d;
      }
    }
    result.pair = MakeResult(n > 0 ? sum / (n * eigenvalue) : 0.0,
                             kNumbers * (kNumbers - 3) / 2.0);
  }

  // (c) Ranks. Tickets of one block are disjoint, which narrows the spread
  // of the counts a little: the test errs on the side of passing.
  {
    const double* expected = ExpectedRankBins();
    double sum = 0.0;
    for (int b = 0; b < kRankBins; ++b) {
      const double e = n * expected[b];
      const double d = tally.rank_bin[b] - e;
      sum += d * d / e;
    }
    result.rank = MakeResult(sum, kRankBins - 1);
  }
  return result;
}
