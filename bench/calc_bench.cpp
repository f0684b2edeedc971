// Kernels of the per-product search at the default settings.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "calc/BoxCalculator.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PackVariantGenerator.h"
#include "calc/PalletCalculator.h"
#include "engine/ProductSearch.h"
#include "io/LumarData.h"
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

// Every placement of the 100 x 50 x 150 mm sample pack, each built into a box.
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
}
BENCHMARK(BM_PlaceAndBuildOnePack)->Unit(benchmark::kMicrosecond);

// The twelve sample products at the default settings, searched one after the
// other on one thread: the search as a run does it, keep step included.
void BM_SearchSampleProducts(benchmark::State& state) {
  const TProjectData sample = LoadLumarProject();
  const TOptimizationSettings settings = DefaultSettings();
  const TBoxCalculator calc(std::make_shared<TGridPalletOptimizer>());
  const auto criterion = CreateCriterion(ckCostPerVolume);
  TCancelToken token;
  TSearchCounters counters;
  for (auto _ : state)
    for (const TProduct& p : sample.Products)
      benchmark::DoNotOptimize(
          SearchProduct(p, settings, calc, *criterion, token, nullptr, &counters).size());
  state.counters["boxes/s"] =
      benchmark::Counter(static_cast<double>(counters.Placements), benchmark::Counter::kIsRate);
  state.counters["built/s"] =
      benchmark::Counter(static_cast<double>(counters.Built), benchmark::Counter::kIsRate);
  state.counters["boxes"] = benchmark::Counter(static_cast<double>(counters.Placements),
                                               benchmark::Counter::kAvgIterations);
  state.counters["built"] =
      benchmark::Counter(static_cast<double>(counters.Built), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SearchSampleProducts)->Unit(benchmark::kMillisecond);

// The practical limit: the same boxes of the twelve sample products, with
// only the arithmetic of building each one (sizes, blank, costs, pallet grid,
// fill) and no check, no keep step, no estimate.
void BM_BoxArithmeticOnly(benchmark::State& state) {
  const TProjectData sample = LoadLumarProject();
  const TOptimizationSettings s = DefaultSettings();
  TCancelToken token;
  struct Item {
    const TPackVariant* pack;
    const TProduct* product;
    TPackPlacement placement;
  };
  std::vector<std::vector<TPackVariant>> packs;
  for (const TProduct& p : sample.Products)
    packs.push_back(GeneratePackVariants(p, s, token));
  std::vector<Item> items;
  for (size_t i = 0; i < packs.size(); ++i)
    for (const TPackVariant& pack : packs[i])
      EnumeratePlacements(pack, sample.Products[i], s, token, [&](const TPackPlacement& pl) {
        items.push_back({&pack, &sample.Products[i], pl});
      });
  const double T = s.BoardThicknessMM;
  for (auto _ : state) {
    double sink = 0;
    for (const Item& it : items) {
      const TPackPlacement& p = it.placement;
      const double nl = p.CountX * p.PackDimX + s.LengthGapMM;
      const double nb = p.CountY * p.PackDimY + s.WidthGapMM;
      const double nh = p.CountZ * p.PackDimZ;
      const double L = nl + 2 * T, B = nb + 2 * T, H = nh + 2 * T;
      const double li = L - 2 * T, bi = B - 2 * T, hi = H - 2 * T;
      const double area = (2 * li + 2 * bi + 3 * T + s.BoxGlueFlapMM) * (bi + hi + 2 * T) / 1e6;
      const double cost = area * s.CardboardPricePerM2;
      const double gross = (p.TotalCount * (it.product->ProductWeightG +
                                            it.pack->SurfaceAreaM2 * s.PackMaterialGramsPerM2) +
                            area * s.CardboardGramsPerM2) /
                           1000;
      const double perLayer = std::max(
          std::floor((s.PalletLengthMM + 1e-8) / L) * std::floor((s.PalletWidthMM + 1e-8) / B),
          std::floor((s.PalletLengthMM + 1e-8) / B) * std::floor((s.PalletWidthMM + 1e-8) / L));
      const double perPallet = perLayer * std::floor((s.MaxPalletHeightMM + 1e-8) / H);
      const double util =
          perPallet * L * B * H / (s.PalletLengthMM * s.PalletWidthMM * s.MaxPalletHeightMM);
      const double perUnit = it.pack->Cost + cost / p.TotalCount;
      const double perM3 = perUnit / it.pack->VolumeM3;
      const double fill = p.TotalCount * it.pack->VolumeM3 / (nl * nb * nh / 1e9);
      sink += gross + util + perM3 + fill + L * B * H / 1e9;
    }
    benchmark::DoNotOptimize(sink);
  }
  state.counters["boxes/s"] = benchmark::Counter(static_cast<double>(items.size()),
                                                 benchmark::Counter::kIsIterationInvariantRate);
  state.counters["boxes"] = static_cast<double>(items.size());
}
BENCHMARK(BM_BoxArithmeticOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quelmora
