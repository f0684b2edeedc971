#include "calc/BestLayerPalletOptimizer.h"

#include <atomic>
#include <cmath>
#include <exception>
#include <future>
#include <utility>

#include "calc/BestLayer.h"
#include "calc/LayerBounds.h"
#include "calc/PalletCalculator.h"
#include "calc/Tolerances.h"
#include "model/FloatChecks.h"

namespace quelmora {

namespace {

using TLayerCount = TBestLayerPalletOptimizer::TLayerCount;

// Layers per footprint pair, filled on first use. Entries are atomic so that
// a plan may be read from several threads; racing fills store the same value.
class TBestLayerPackPlan final : public IPalletPackPlan {
 public:
  TBestLayerPackPlan(const TBestLayerPalletOptimizer& Strategy, std::vector<double> Sides,
                     std::vector<double> Heights, double PalletL, double PalletB, double MaxHeight)
      : FStrategy(Strategy),
        FSides(std::move(Sides)),
        FHeights(std::move(Heights)),
        FPalletL(PalletL),
        FPalletB(PalletB),
        // Fill is measured against the room the overhang gives, as the grid's.
        FPalletVolume((PalletL + 2 * Strategy.OverhangMM()) *
                      (PalletB + 2 * Strategy.OverhangMM()) * MaxHeight),
        FInversePalletVolume(1 / FPalletVolume),
        FLayers(FSides.size() * FSides.size()) {
    FStacked.resize(FHeights.size());
    for (size_t i = 0; i < FHeights.size(); ++i)
      FStacked[i] = PalletFit(MaxHeight, FHeights[i]);
  }

  TPalletResult Load(size_t Length, size_t Width, size_t Height) const override {
    TPalletResult r;
    const double L = FSides[Length], B = FSides[Width], H = FHeights[Height];
    if (L <= 0 || B <= 0 || H <= 0) return r;
    Count(Length, Width, Height, r);
    r.Utilization = FDiv(r.BoxesPerPallet * L * B * H, FPalletVolume);
    return r;
  }

  bool EstimateUtilization(size_t Length, size_t Width, size_t Height,
                           double& Utilization) const override {
    TPalletResult r;
    Count(Length, Width, Height, r);
    Utilization = static_cast<double>(r.BoxesPerPallet) * FSides[Length] * FSides[Width] *
                  FHeights[Height] * FInversePalletVolume;
    return true;
  }

 private:
  void Count(size_t Length, size_t Width, size_t Height, TPalletResult& r) const {
    const TLayerCount layer = Layer(Length, Width);
    r.BoxesPerLayer = layer.Count;
    r.Rotated = layer.Rotated;
    r.LayerCount = SaturatedCount(FStacked[Height]);
    r.BoxesPerPallet =
        SaturatedCount(static_cast<double>(r.BoxesPerLayer) * static_cast<double>(r.LayerCount));
  }

  TLayerCount Layer(size_t Length, size_t Width) const {
    std::atomic<int64_t>& slot = FLayers[Length * FSides.size() + Width];
    int64_t code = slot.load(std::memory_order_relaxed);
    if (code == 0) {
      const TLayerCount layer =
          FStrategy.LayerOf(FSides[Length], FSides[Width], FPalletL, FPalletB);
      code = 1 + 2 * int64_t{layer.Count} + (layer.Rotated ? 1 : 0);
      slot.store(code, std::memory_order_relaxed);
    }
    return {static_cast<int32_t>((code - 1) / 2), (code - 1) % 2 == 1};
  }

  const TBestLayerPalletOptimizer& FStrategy;
  std::vector<double> FSides, FHeights;
  double FPalletL, FPalletB, FPalletVolume, FInversePalletVolume;
  std::vector<double> FStacked;                       // layers by height
  mutable std::vector<std::atomic<int64_t>> FLayers;  // 0 unknown, else 1 + 2 Count + Rotated
};

// Every box of the layer turned; a square box never counts as turned.
bool AllTurned(const TPalletLayer& Layer, double BoxL, double BoxB) {
  if (Layer.Boxes.empty() || std::fabs(BoxL - BoxB) <= kLengthToleranceMM) return false;
  for (const TLayerBox& b : Layer.Boxes)
    if (std::fabs(b.LengthMM - BoxB) > kLengthToleranceMM) return false;
  return true;
}

}  // namespace

TBestLayerPalletOptimizer::TLayerCount TBestLayerPalletOptimizer::LayerOf(double BoxL, double BoxB,
                                                                          double PalletL,
                                                                          double PalletB) const {
  const double o = FOverhangMM;
  const double roomL = PalletL + 2 * o, roomB = PalletB + 2 * o;
  // Where the grid already fills the area nothing is searched nor kept.
  const double straight = PalletFit(roomL, BoxL) * PalletFit(roomB, BoxB);
  const double turned = PalletFit(roomL, BoxB) * PalletFit(roomB, BoxL);
  const int32_t grid = SaturatedCount(std::max(straight, turned));
  if (grid >= AreaBound(roomL, roomB, BoxL, BoxB)) return {grid, turned > straight};
  const std::array<double, 4> key{BoxL, BoxB, PalletL, PalletB};
  // The first thread to ask searches; the others wait for its answer rather
  // than search the same footprint again.
  std::promise<TLayerCount> promise;
  std::shared_future<TLayerCount> pending;
  {
    const std::lock_guard lock(FMutex);
    const auto [slot, fresh] = FSearched.try_emplace(key);
    if (fresh)
      slot->second = promise.get_future().share();
    else
      pending = slot->second;
  }
  if (pending.valid()) return pending.get();
  try {
    // The count is all a pallet needs: no proof.
    const TPalletLayer layer = SearchedLayer(PalletL, PalletB, BoxL, BoxB, o, false);
    const TLayerCount count{layer.Count,
                            layer.Count == grid ? turned > straight : AllTurned(layer, BoxL, BoxB)};
    promise.set_value(count);
    return count;
  } catch (...) {
    promise.set_exception(std::current_exception());
    throw;
  }
}

TPalletResult TBestLayerPalletOptimizer::Calculate(double BoxL, double BoxB, double BoxH,
                                                   double PalletL, double PalletB,
                                                   double MaxHeight) const {
  TPalletResult r;
  if (BoxL <= 0 || BoxB <= 0 || BoxH <= 0) return r;
  const TLayerCount layer = LayerOf(BoxL, BoxB, PalletL, PalletB);
  r.BoxesPerLayer = layer.Count;
  r.Rotated = layer.Rotated;
  r.LayerCount = SaturatedCount(PalletFit(MaxHeight, BoxH));
  r.BoxesPerPallet =
      SaturatedCount(static_cast<double>(r.BoxesPerLayer) * static_cast<double>(r.LayerCount));
  const double roomL = PalletL + 2 * FOverhangMM, roomB = PalletB + 2 * FOverhangMM;
  r.Utilization = FDiv(r.BoxesPerPallet * BoxL * BoxB * BoxH, roomL * roomB * MaxHeight);
  return r;
}

std::unique_ptr<IPalletPackPlan> TBestLayerPalletOptimizer::PreparePack(std::vector<double> Sides,
                                                                        std::vector<double> Heights,
                                                                        double PalletL,
                                                                        double PalletB,
                                                                        double MaxHeight) const {
  return std::make_unique<TBestLayerPackPlan>(*this, std::move(Sides), std::move(Heights), PalletL,
                                              PalletB, MaxHeight);
}

}  // namespace quelmora
