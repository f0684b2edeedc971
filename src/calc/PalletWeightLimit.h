#pragma once

#include <cmath>

#include "calc/PalletCalculator.h"
#include "calc/Tolerances.h"
#include "model/FloatChecks.h"
#include "model/OptimizationModel.h"
#include "model/PalletModel.h"

namespace quelmora {

// Pallet cut down to Layers layers (at most its own), the count and the
// utilization following them; utilization against the room the overhang
// grows.
inline TPalletResult PalletWithLayers(const TPalletResult& Pallet, int32_t Layers,
                                      double BoxLengthMM, double BoxWidthMM, double BoxHeightMM,
                                      const TOptimizationSettings& S) {
  TPalletResult r = Pallet;
  r.LayerCount = Layers;
  r.BoxesPerPallet =
      SaturatedCount(static_cast<double>(r.BoxesPerLayer) * static_cast<double>(r.LayerCount));
  const double o = S.PalletOverhangMM;
  r.Utilization =
      FDiv(r.BoxesPerPallet * BoxLengthMM * BoxWidthMM * BoxHeightMM,
           (S.PalletLengthMM + 2 * o) * (S.PalletWidthMM + 2 * o) * S.MaxPalletHeightMM);
  return r;
}

// Pallet as loaded by the strategy, with no more layers than keep the pallet
// and its load within MaxLoadedPalletWeightKG (to kWeightToleranceKG); the
// count and the utilization then follow the layers, utilization against the
// room the overhang grows. Unchanged without a limit or within it. A pallet
// heavier than the limit by itself takes no layer: no box is then on a
// pallet, which Build refuses unless oversize boxes are allowed.
//
// The limit only ever lowers the count and the utilization, so what the
// strategy works out before the box's weight is known (a size's pallet, a
// plan's estimate) bounds the limited values from above.
inline TPalletResult LimitPalletWeight(const TPalletResult& Pallet, double BoxLengthMM,
                                       double BoxWidthMM, double BoxHeightMM,
                                       double BoxGrossWeightKG, const TOptimizationSettings& S) {
  if (!(S.MaxLoadedPalletWeightKG > 0) || Pallet.BoxesPerLayer <= 0) return Pallet;
  const double layerKG = Pallet.BoxesPerLayer * BoxGrossWeightKG;
  if (!(layerKG > 0)) return Pallet;
  const double layers =
      std::floor((S.MaxLoadedPalletWeightKG - S.PalletWeightKG + kWeightToleranceKG) / layerKG);
  if (layers >= Pallet.LayerCount) return Pallet;
  return PalletWithLayers(Pallet, SaturatedCount(layers), BoxLengthMM, BoxWidthMM, BoxHeightMM, S);
}

}  // namespace quelmora
