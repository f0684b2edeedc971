#pragma once

#include <cstdint>
#include <vector>

#include "calc/BoxStrength.h"
#include "calc/PalletWeightLimit.h"
#include "model/BoxModel.h"
#include "model/OptimizationModel.h"
#include "model/PalletModel.h"
#include "model/StrengthRecord.h"

namespace quelmora {

// The bottom box of a loaded pallet against the settings' strength check.
// Nothing here is computed while the check is off (EdgeCrushKNPerM 0).
inline bool StrengthCheckOn(const TOptimizationSettings& S) {
  return S.EdgeCrushKNPerM > 0;
}

// Columns unless the layer holds more than the column grid does for the
// footprint: the best-layer method keeps the grid's layout when it cannot
// beat its count, and beats it only by turning boxes.
TStackingPattern PalletPatternOf(const TPalletResult& Pallet, double BoxLengthMM, double BoxWidthMM,
                                 const TOptimizationSettings& S);

// The force on the bottom box when Layers layers stand on the pallet and
// each of the StackedPallets - 1 pallets above carries as many.
double PalletBottomLoadN(const TPalletResult& Pallet, int32_t Layers, double GrossBoxWeightKG,
                         const TOptimizationSettings& S);

// The most layers whose bottom box reaches the required safety factor, the
// pallets above loaded alike; 0 when even one layer fails, the int32 maximum
// when no count fails.
int32_t SafePalletLayers(double ReducedN, const TPalletResult& Pallet, double GrossBoxWeightKG,
                         const TOptimizationSettings& S);

// What the window, the report and the result file show for a solution's
// box, from its own pallet (so the figures follow any cap). Required is the
// settings' factor; Safe tells whether the pallet as loaded reaches it.
struct TPalletStrength {
  TBoxStrength Strength;
  double Required = 0;
  bool Safe = true;
};
TPalletStrength StrengthOf(const TOptimizationSettings& S, const TBoxVariant& Box);

// One record per solution, of its proposed box, for the result file; none
// while the check is off, so that the file stays as it was.
TStrengthRecord StrengthRecordOf(const TPalletStrength& Strength);
std::vector<TStrengthRecord> ResultStrengths(const TOptimizationSettings& S,
                                             const TOptimizationResult& Result);

// With the check on and the layer cap switched on, Pallet with no more
// layers than its bottom box carries safely, but at least one: a box unsafe
// under any load stays, shown as unsafe. Unchanged otherwise. Like the
// weight limit it only ever lowers the count and the utilization.
TPalletResult LimitPalletStrength(const TPalletResult& Pallet, double BoxLengthMM,
                                  double BoxWidthMM, double BoxHeightMM, double BoxGrossWeightKG,
                                  const TOptimizationSettings& S);

// The pallet's layers as the settings limit them: the loaded weight first,
// then the bottom box's strength. Every calculator applies the limits here.
inline TPalletResult LimitPallet(const TPalletResult& Pallet, double BoxLengthMM, double BoxWidthMM,
                                 double BoxHeightMM, double BoxGrossWeightKG,
                                 const TOptimizationSettings& S) {
  const TPalletResult weighed =
      LimitPalletWeight(Pallet, BoxLengthMM, BoxWidthMM, BoxHeightMM, BoxGrossWeightKG, S);
  if (!(StrengthCheckOn(S) && S.LimitLayersToStrength)) return weighed;
  return LimitPalletStrength(weighed, BoxLengthMM, BoxWidthMM, BoxHeightMM, BoxGrossWeightKG, S);
}

}  // namespace quelmora
