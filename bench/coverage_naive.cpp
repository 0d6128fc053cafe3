#include "bench/coverage_naive.h"

#include <bit>
#include <cstdint>
#include <vector>

void CountCoverageNaive(const unsigned char (*tickets)[kTicketSize],
                        std::size_t count, Coverage& coverage) {
  coverage = Coverage{};
  std::vector<std::uint64_t> masks(count);
  for (std::size_t t = 0; t < count; ++t) {
    for (std::size_t k = 0; k < kTicketSize; ++k) {
      masks[t] |= std::uint64_t{1} << tickets[t][k];
    }
  }
  constexpr unsigned n = kNumberMax;
  for (unsigned a = 1; a <= n - 5; ++a)
    for (unsigned b = a + 1; b <= n - 4; ++b)
      for (unsigned c = b + 1; c <= n - 3; ++c)
        for (unsigned d = c + 1; d <= n - 2; ++d)
          for (unsigned e = d + 1; e <= n - 1; ++e)
            for (unsigned f = e + 1; f <= n; ++f) {
              const std::uint64_t draw =
                  (std::uint64_t{1} << a) | (std::uint64_t{1} << b) |
                  (std::uint64_t{1} << c) | (std::uint64_t{1} << d) |
                  (std::uint64_t{1} << e) | (std::uint64_t{1} << f);
              int best = 0;
              for (const std::uint64_t mask : masks) {
                const int matches = std::popcount(draw & mask);
                best = matches > best ? matches : best;
              }
              for (int k = kCoverageLow; k <= best; ++k) {
                ++coverage.hits[k - kCoverageLow];
              }
            }
}
