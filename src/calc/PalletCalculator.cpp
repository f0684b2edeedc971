#include "calc/PalletCalculator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/FloatChecks.h"

namespace quelmora {

TPalletResult TGridPalletOptimizer::Calculate(double BoxL, double BoxB, double BoxH, double PalletL,
                                              double PalletB, double MaxHeight) const {
  TPalletResult r;
  if (BoxL <= 0 || BoxB <= 0 || BoxH <= 0) return r;
  const double straight = PalletFit(PalletL, BoxL) * PalletFit(PalletB, BoxB);
  const double turned = PalletFit(PalletL, BoxB) * PalletFit(PalletB, BoxL);
  r.Rotated = turned > straight;  // a tie keeps the straight layer
  r.BoxesPerLayer = SaturatedCount(std::max(straight, turned));
  r.LayerCount = SaturatedCount(PalletFit(MaxHeight, BoxH));
  r.BoxesPerPallet =
      SaturatedCount(static_cast<double>(r.BoxesPerLayer) * static_cast<double>(r.LayerCount));
  r.Utilization = FDiv(r.BoxesPerPallet * BoxL * BoxB * BoxH, PalletL * PalletB * MaxHeight);
  return r;
}

}  // namespace quelmora
