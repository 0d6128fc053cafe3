// The exact coverage of one ticket file, by the walk vexla-check uses and by
// the naive yardstick; both must give the same figures.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/coverage_naive.h"
#include "check/coverage.h"
#include "check/ticket_check.h"

namespace {

const TicketSet& FixtureTickets() {
  static TicketSet set = [] {
    std::ifstream in(VEXLA_CHECK_TESTDATA "/counting-seed.tickets",
                     std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), {}};
    TicketSet tickets{};
    ReadTickets(file, tickets);
    return tickets;
  }();
  return set;
}

using Count = void (*)(const unsigned char (*)[kTicketSize], std::size_t,
                       Coverage&);

void Walk(benchmark::State& state, Count count) {
  const TicketSet& set = FixtureTickets();
  Coverage expected;
  CountCoverage(set.numbers, kTicketCount, expected);
  Coverage coverage{};
  for (auto _ : state) {
    count(set.numbers, kTicketCount, coverage);
    benchmark::DoNotOptimize(coverage);
  }
  if (std::memcmp(&coverage, &expected, sizeof coverage) != 0) {
    state.SkipWithError("the figures differ");
  }
  for (unsigned k = kCoverageLow; k <= kTicketSize; ++k) {
    state.counters["at_least_" + std::to_string(k)] =
        static_cast<double>(coverage.hits[k - kCoverageLow]);
  }
}

void BM_CoverageWalk(benchmark::State& state) { Walk(state, CountCoverage); }
void BM_CoverageNaive(benchmark::State& state) {
  Walk(state, CountCoverageNaive);
}

BENCHMARK(BM_CoverageWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoverageNaive)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
