#include "calc/PalletStrength.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/PalletLayer.h"

namespace quelmora {

namespace {

double ReducedStrengthN(const TPalletResult& Pallet, double BoxLengthMM, double BoxWidthMM,
                        const TOptimizationSettings& S) {
  TBoxStrengthInput in;
  in.LengthMM = BoxLengthMM;
  in.WidthMM = BoxWidthMM;
  in.BoardThicknessMM = S.BoardThicknessMM;
  in.EdgeCrushKNPerM = S.EdgeCrushKNPerM;
  in.Conditions = {S.StorageHumidityPercent, S.DaysUnderLoad,
                   PalletPatternOf(Pallet, BoxLengthMM, BoxWidthMM, S), S.PalletOverhangMM};
  return EstimateBoxStrength(in).ReducedN;
}

bool SafeAt(double ReducedN, const TPalletResult& Pallet, int32_t Layers, double GrossKG,
            const TOptimizationSettings& S) {
  const double load = PalletBottomLoadN(Pallet, Layers, GrossKG, S);
  return load <= 0 || SafetyFactorReached(ReducedN, load) >= S.RequiredSafetyFactor;
}

}  // namespace

TStackingPattern PalletPatternOf(const TPalletResult& Pallet, double BoxLengthMM, double BoxWidthMM,
                                 const TOptimizationSettings& S) {
  const int32_t grid = GridLayerCount(S.PalletLengthMM, S.PalletWidthMM, BoxLengthMM, BoxWidthMM,
                                      S.PalletOverhangMM);
  return Pallet.BoxesPerLayer > grid ? TStackingPattern::Interlocked : TStackingPattern::Column;
}

double PalletBottomLoadN(const TPalletResult& Pallet, int32_t Layers, double GrossBoxWeightKG,
                         const TOptimizationSettings& S) {
  if (Layers <= 0) return 0;
  TStackLoad stack;
  stack.LayersAbove = Layers - 1;
  stack.GrossBoxWeightKG = GrossBoxWeightKG;
  stack.PalletsAbove = std::max(S.StackedPallets - 1, 0);
  stack.LoadedPalletKG = S.PalletWeightKG + static_cast<double>(Pallet.BoxesPerLayer) *
                                                static_cast<double>(Layers) * GrossBoxWeightKG;
  stack.BoxesPerLayer = Pallet.BoxesPerLayer;
  return BottomBoxLoadN(stack);
}

int32_t SafePalletLayers(double ReducedN, const TPalletResult& Pallet, double GrossBoxWeightKG,
                         const TOptimizationSettings& S) {
  constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
  if (!(S.RequiredSafetyFactor > 0)) return 0;
  auto safe = [&](int32_t layers) { return SafeAt(ReducedN, Pallet, layers, GrossBoxWeightKG, S); };
  if (!safe(1)) return 0;
  if (!(GrossBoxWeightKG > 0)) return kMost;  // the load no longer grows with the layers
  // Each layer adds at least one box's weight: beyond this bound none is safe.
  const double bound =
      std::floor(ReducedN / S.RequiredSafetyFactor / (GrossBoxWeightKG * kStandardGravity)) + 2;
  int32_t hi = static_cast<int32_t>(std::clamp(bound, 1.0, static_cast<double>(kMost)));
  if (safe(hi)) return hi;  // only where the bound saturates
  int32_t lo = 1;           // safe(lo) and not safe(hi); the load never falls as layers grow
  while (hi - lo > 1) {
    const int32_t mid = lo + (hi - lo) / 2;
    (safe(mid) ? lo : hi) = mid;
  }
  return lo;
}

TPalletStrength StrengthOf(const TOptimizationSettings& S, const TBoxVariant& Box) {
  TPalletStrength r;
  r.Required = S.RequiredSafetyFactor;
  TBoxStrengthInput in;
  in.LengthMM = Box.LengthMM;
  in.WidthMM = Box.WidthMM;
  in.BoardThicknessMM = S.BoardThicknessMM;
  in.EdgeCrushKNPerM = S.EdgeCrushKNPerM;
  in.Conditions = {S.StorageHumidityPercent, S.DaysUnderLoad,
                   PalletPatternOf(Box.Pallet, Box.LengthMM, Box.WidthMM, S), S.PalletOverhangMM};
  in.LoadN = PalletBottomLoadN(Box.Pallet, Box.Pallet.LayerCount, Box.GrossWeightKG, S);
  r.Strength = EstimateBoxStrength(in);
  r.Strength.SafeLayers = SafePalletLayers(r.Strength.ReducedN, Box.Pallet, Box.GrossWeightKG, S);
  r.Safe = r.Strength.LoadN <= 0 || r.Strength.SafetyFactor >= r.Required;
  return r;
}

TStrengthRecord StrengthRecordOf(const TPalletStrength& Strength) {
  const TBoxStrength& s = Strength.Strength;
  return {s.McKeeN,          s.ReducedN,   s.LoadN,      s.SafetyFactor,
          Strength.Required, s.SafeLayers, Strength.Safe};
}

std::vector<TStrengthRecord> ResultStrengths(const TOptimizationSettings& S,
                                             const TOptimizationResult& Result) {
  std::vector<TStrengthRecord> records;
  if (!StrengthCheckOn(S)) return records;
  records.reserve(Result.Solutions.size());
  for (const TOptimizationSolution& solution : Result.Solutions)
    records.push_back(StrengthRecordOf(StrengthOf(S, solution.Box)));
  return records;
}

TPalletResult LimitPalletStrength(const TPalletResult& Pallet, double BoxLengthMM,
                                  double BoxWidthMM, double BoxHeightMM, double BoxGrossWeightKG,
                                  const TOptimizationSettings& S) {
  if (!StrengthCheckOn(S) || !S.LimitLayersToStrength || Pallet.LayerCount <= 1 ||
      Pallet.BoxesPerLayer <= 0)
    return Pallet;
  const double reduced = ReducedStrengthN(Pallet, BoxLengthMM, BoxWidthMM, S);
  if (SafeAt(reduced, Pallet, Pallet.LayerCount, BoxGrossWeightKG, S)) return Pallet;
  const int32_t layers = std::max(SafePalletLayers(reduced, Pallet, BoxGrossWeightKG, S), 1);
  return PalletWithLayers(Pallet, std::min(layers, Pallet.LayerCount), BoxLengthMM, BoxWidthMM,
                          BoxHeightMM, S);
}

}  // namespace quelmora
