// Speed of ISAACP beside the published ISAAC round, compiled with the same
// flags into this one binary.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/isaac_reference.h"
#include "random/isaacp.h"

namespace {

// The counting block: byte k holds k mod 256. Any fixed block will do; the
// round's cost does not depend on the values.
struct SeedBlock {
  unsigned char bytes[kIsaacSeedSize];
  SeedBlock() {
    for (std::size_t k = 0; k < kIsaacSeedSize; ++k) {
      bytes[k] = static_cast<unsigned char>(k);
    }
  }
};
const SeedBlock kBlock;

IsaacContext SeededContext() {
  IsaacContext context;
  IsaacLoadSeedBlock(context, kBlock.bytes);
  IsaacRefill(context);
  return context;
}

void PerOutput(benchmark::State& state, std::int64_t outputs_per_iteration) {
  state.SetItemsProcessed(state.iterations() * outputs_per_iteration);
  // Shown as time per output, e.g. "2.6ns".
  state.counters["per_output"] = benchmark::Counter(
      static_cast<double>(state.iterations() * outputs_per_iteration),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_IsaacRefill(benchmark::State& state) {
  IsaacContext context = SeededContext();
  for (auto _ : state) {
    IsaacRefill(context);
    benchmark::DoNotOptimize(context.Results[255]);
    benchmark::ClobberMemory();
  }
  PerOutput(state, 256);
}
BENCHMARK(BM_IsaacRefill);

void BM_IsaacReferenceRefill(benchmark::State& state) {
  IsaacReference ctx;
  IsaacReferenceSeed(ctx, kBlock.bytes, 1024);
  for (auto _ : state) {
    IsaacReferenceRefill(ctx);
    benchmark::DoNotOptimize(ctx.randrsl[255]);
    benchmark::ClobberMemory();
  }
  PerOutput(state, 256);
}
BENCHMARK(BM_IsaacReferenceRefill);

// The warm-up as seeding runs it: one round, then 1,000,000 outputs skipped
// (3,906 further rounds and 64 steps into the last).
void BM_IsaacWarmUp(benchmark::State& state) {
  IsaacContext context;
  for (auto _ : state) {
    IsaacLoadSeedBlock(context, kBlock.bytes);
    IsaacRefill(context);
    IsaacSkip(context, 1000000);
    benchmark::DoNotOptimize(context.Current);
    benchmark::ClobberMemory();
  }
  state.counters["rounds"] = 3907;
}
BENCHMARK(BM_IsaacWarmUp)->Unit(benchmark::kMillisecond);

void BM_IsaacBelow(benchmark::State& state) {
  IsaacContext context = SeededContext();
  for (auto _ : state) {
    benchmark::DoNotOptimize(IsaacBelow(context, 48));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IsaacBelow);

void BM_IsaacNext(benchmark::State& state) {
  IsaacContext context = SeededContext();
  for (auto _ : state) {
    benchmark::DoNotOptimize(IsaacNext(context));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IsaacNext);

void BM_IsaacReferenceNext(benchmark::State& state) {
  IsaacReference ctx;
  IsaacReferenceSeed(ctx, kBlock.bytes, 1024);
  for (auto _ : state) {
    benchmark::DoNotOptimize(IsaacReferenceNext(ctx));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IsaacReferenceNext);

}  // namespace

BENCHMARK_MAIN();
