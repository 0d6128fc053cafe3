#include "check/coverage.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

using Ticket = unsigned char[kTicketSize];

std::uint64_t Mask(const unsigned char* ticket) {
  std::uint64_t mask = 0;
  for (std::size_t k = 0; k < kTicketSize; ++k) mask |= 1ull << ticket[k];
  return mask;
}

// Every draw against every distinct ticket.
Coverage BruteForce(const std::vector<std::uint64_t>& masks) {
  Coverage coverage = {};
  for (unsigned a = 1; a <= 44; ++a)
    for (unsigned b = a + 1; b <= 45; ++b)
      for (unsigned c = b + 1; c <= 46; ++c)
        for (unsigned d = c + 1; d <= 47; ++d)
          for (unsigned e = d + 1; e <= 48; ++e)
            for (unsigned f = e + 1; f <= 49; ++f) {
              const std::uint64_t draw = (1ull << a) | (1ull << b) |
                                         (1ull << c) | (1ull << d) |
                                         (1ull << e) | (1ull << f);
              int best = 0;
              for (std::uint64_t mask : masks) {
                best = std::max(best, std::popcount(draw & mask));
              }
              for (int k = kCoverageLow; k <= best; ++k) {
                ++coverage.hits[k - kCoverageLow];
              }
            }
  return coverage;
}

TEST(CountCoverage, OneTicketMatchesTheHandCount) {
  const Ticket ticket = {4, 9, 17, 30, 41, 49};
  Coverage coverage;
  CountCoverage(&ticket, 1, coverage);
  // 20 C(43,3) + 15 C(43,2) + 6 * 43 + 1 draws share 3 or more.
  EXPECT_EQ(coverage.hits[0], 20u * 12341 + 15 * 903 + 6 * 43 + 1);
  EXPECT_NEAR(static_cast<double>(coverage.hits[0]) / kDrawCount, 0.0186375,
              1e-7);
  EXPECT_EQ(coverage.hits[1], 15u * 903 + 6 * 43 + 1);
  EXPECT_EQ(coverage.hits[2], 6u * 43 + 1);
  EXPECT_EQ(coverage.hits[3], 1u);
  for (unsigned k = kCoverageLow; k <= kTicketSize; ++k) {
    EXPECT_EQ(SingleTicketHits(k), coverage.hits[k - kCoverageLow]) << k;
  }
  EXPECT_EQ(SingleTicketHits(0), kDrawCount);
}

// Tickets spread over every word of the ticket bitsets, some repeated: the
// brute force needs only the distinct ones.
TEST(CountCoverage, MatchesBruteForceOverEveryDraw) {
  const Ticket distinct[] = {
      {1, 2, 3, 4, 5, 6},       {1, 2, 3, 7, 8, 9},
      {44, 45, 46, 47, 48, 49}, {10, 20, 30, 40, 45, 49},
      {2, 13, 24, 35, 46, 47},  {5, 6, 7, 8, 9, 10},
      {3, 17, 19, 22, 33, 39},  {11, 12, 23, 34, 38, 42},
  };
  std::vector<Ticket> tickets(kCoverageTicketsMax);
  for (std::size_t t = 0; t < tickets.size(); ++t) {
    const std::size_t which = t < 400 ? t % 3 : 3 + t % 5;
    std::memcpy(tickets[t], distinct[which], kTicketSize);
  }
  std::vector<std::uint64_t> masks;
  for (const Ticket& ticket : distinct) masks.push_back(Mask(ticket));

  Coverage fast;
  CountCoverage(tickets.data(), tickets.size(), fast);
  const Coverage slow = BruteForce(masks);
  for (std::size_t i = 0; i < std::size(fast.hits); ++i) {
    EXPECT_EQ(fast.hits[i], slow.hits[i]) << "at least " << i + kCoverageLow;
  }
}

TEST(CountCoverage, NoTicketsHitNothing) {
  Coverage coverage;
  CountCoverage(nullptr, 0, coverage);
  for (std::uint64_t hits : coverage.hits) EXPECT_EQ(hits, 0u);
}

TEST(RandomTicketsProbability, IsOneMinusTheChanceThatEveryTicketMisses) {
  for (unsigned k = kCoverageLow; k <= kTicketSize; ++k) {
    const double single = static_cast<double>(SingleTicketHits(k)) / kDrawCount;
    EXPECT_DOUBLE_EQ(RandomTicketsProbability(k, 1), single);
    EXPECT_NEAR(RandomTicketsProbability(k, 392), 1 - std::pow(1 - single, 392),
                1e-12);
  }
  EXPECT_EQ(RandomTicketsProbability(3, 0), 0.0);
}

}  // namespace
