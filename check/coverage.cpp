#include "check/coverage.h"

#include <bit>
#include <cmath>

namespace {

constexpr std::size_t kWords = kCoverageTicketsMax / 64;

// Per-ticket match counts of a partial draw, bit-sliced: bit t of plane i is
// bit i of ticket t's count. Counts stay below 8.
struct Counts {
  std::uint64_t plane[3][kWords];
};

// Bitsets of the tickets holding each number, and each ticket's numbers as a
// bitset, for the walk.
struct Index {
  std::uint64_t holds[kNumberMax + 1][kWords];
  std::uint64_t numbers[kCoverageTicketsMax];
};

void AddNumber(const Counts& from, const std::uint64_t* holds, Counts& to) {
  for (std::size_t w = 0; w < kWords; ++w) {
    const std::uint64_t carry0 = from.plane[0][w] & holds[w];
    const std::uint64_t carry1 = from.plane[1][w] & carry0;
    to.plane[0][w] = from.plane[0][w] ^ holds[w];
    to.plane[1][w] = from.plane[1][w] ^ carry0;
    to.plane[2][w] = from.plane[2][w] | carry1;
  }
}

// Five numbers are drawn, the highest `last`; every sixth number above it
// completes a draw. A threshold k is met by all of them once a ticket has k
// matches already, and otherwise by exactly the numbers of the tickets one
// match short.
void CountLastNumber(const Index& index, const Counts& five, unsigned last,
                     Coverage& coverage) {
  std::uint64_t at_least[4] = {};    // some ticket with >= 3, 4, 5, 6 matches
  std::uint64_t exactly[kWords][4];  // tickets with exactly 2, 3, 4, 5
  for (std::size_t w = 0; w < kWords; ++w) {
    const std::uint64_t b0 = five.plane[0][w];
    const std::uint64_t b1 = five.plane[1][w];
    const std::uint64_t b2 = five.plane[2][w];
    exactly[w][0] = ~b2 & b1 & ~b0;
    exactly[w][1] = ~b2 & b1 & b0;
    exactly[w][2] = b2 & ~b1 & ~b0;
    exactly[w][3] = b2 & ~b1 & b0;
    at_least[0] |= b2 | (b1 & b0);
    at_least[1] |= b2;
    at_least[2] |= b2 & (b1 | b0);
  }
  const std::uint64_t above = ((std::uint64_t{1} << (kNumberMax + 1)) - 1) &
                              ~((std::uint64_t{2} << last) - 1);
  const std::uint64_t remaining = kNumberMax - last;
  for (std::size_t k = 0; k < 4; ++k) {
    if (at_least[k] != 0) {
      coverage.hits[k] += remaining;
      continue;
    }
    std::uint64_t completing = 0;
    for (std::size_t w = 0; w < kWords; ++w) {
      for (std::uint64_t bits = exactly[w][k]; bits != 0; bits &= bits - 1) {
        completing |= index.numbers[64 * w + std::countr_zero(bits)];
      }
    }
    coverage.hits[k] += std::popcount(completing & above);
  }
}

std::uint64_t Choose(unsigned n, unsigned k) {
  if (k > n) return 0;
  std::uint64_t result = 1;
  for (unsigned i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

}  // namespace

void CountCoverage(const unsigned char (*tickets)[kTicketSize],
                   std::size_t count, Coverage& coverage) {
  coverage = Coverage{};
  Index index = {};
  for (std::size_t t = 0; t < count && t < kCoverageTicketsMax; ++t) {
    for (std::size_t k = 0; k < kTicketSize; ++k) {
      const unsigned v = tickets[t][k];
      index.holds[v][t / 64] |= std::uint64_t{1} << (t % 64);
      index.numbers[t] |= std::uint64_t{1} << v;
    }
  }
  Counts counts[6] = {};
  constexpr unsigned n = kNumberMax;
  for (unsigned a = 1; a <= n - 5; ++a) {
    AddNumber(counts[0], index.holds[a], counts[1]);
    for (unsigned b = a + 1; b <= n - 4; ++b) {
      AddNumber(counts[1], index.holds[b], counts[2]);
      for (unsigned c = b + 1; c <= n - 3; ++c) {
        AddNumber(counts[2], index.holds[c], counts[3]);
        for (unsigned d = c + 1; d <= n - 2; ++d) {
          AddNumber(counts[3], index.holds[d], counts[4]);
          for (unsigned e = d + 1; e <= n - 1; ++e) {
            AddNumber(counts[4], index.holds[e], counts[5]);
            CountLastNumber(index, counts[5], e, coverage);
          }
        }
      }
    }
  }
}

std::uint64_t SingleTicketHits(unsigned k) {
  std::uint64_t hits = 0;
  for (unsigned j = k; j <= kTicketSize; ++j) {
    hits += Choose(kTicketSize, j) * Choose(kNumberMax - kTicketSize, 6 - j);
  }
  return hits;
}

double RandomTicketsProbability(unsigned k, std::size_t count) {
  const double single = static_cast<double>(SingleTicketHits(k)) /
                        static_cast<double>(kDrawCount);
  return -std::expm1(static_cast<double>(count) * std::log1p(-single));
}
