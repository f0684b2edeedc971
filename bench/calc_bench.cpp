// Kernels of the per-product search at the default settings, on the
// 100 x 50 x 150 mm reference product.
#include <benchmark/benchmark.h>

#include <memory>

#include "calc/BoxCalculator.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PackVariantGenerator.h"
#include "calc/PalletCalculator.h"
#include "support/WorkedExample.h"

namespace quelmora {
namespace {

void BM_GeneratePackVariants(benchmark::State& state) {
  const TProduct product = test::WorkedProduct();
  const TOptimizationSettings settings = DefaultSettings();
  TCancelToken token;
  for (auto _ : state) {
    auto variants = GeneratePackVariants(product, settings, token);
    benchmark::DoNotOptimize(variants.data());
  }
}
BENCHMARK(BM_GeneratePackVariants)->Unit(benchmark::kMillisecond);

// Every placement of the sample pack, each built into a box.
void BM_PlaceAndBuildOnePack(benchmark::State& state) {
  const TProduct product = test::WorkedProduct();
  const TOptimizationSettings settings = DefaultSettings();
  const TPackVariant pack =
      MakePackVariant(product, product.OriginalLengthMM, product.OriginalWidthMM,
                      product.OriginalHeightMM, settings);
  const TBoxCalculator calc(std::make_shared<TGridPalletOptimizer>());
  TCancelToken token;
  int64_t built = 0;
  for (auto _ : state) {
    int accepted = 0;
    TBoxVariant box;
    EnumeratePlacements(pack, product, settings, token, [&](const TPackPlacement& placement) {
      ++built;
      accepted += calc.Build(product, pack, placement, settings, box);
    });
    benchmark::DoNotOptimize(accepted);
  }
  state.counters["boxes/s"] =
      benchmark::Counter(static_cast<double>(built), benchmark::Counter::kIsRate);
  state.counters["boxes/call"] =
      benchmark::Counter(static_cast<double>(built), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PlaceAndBuildOnePack)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quelmora
