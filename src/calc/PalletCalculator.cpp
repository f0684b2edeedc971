#include "calc/PalletCalculator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/FloatChecks.h"

namespace quelmora {

namespace {

constexpr double kIntMax = std::numeric_limits<int32_t>::max();

// Counts of absurdly small boxes saturate instead of wrapping; a room that
// holds nothing (only possible on unvalidated input) holds 0.
int32_t SaturatedCount(double count) {
  return static_cast<int32_t>(std::clamp(count, 0.0, kIntMax));
}

double Fit(double room, double size) {
  return std::floor(FDiv(room + 1e-8, size));
}

}  // namespace

TPalletResult TGridPalletOptimizer::Calculate(double BoxL, double BoxB, double BoxH, double PalletL,
                                              double PalletB, double MaxHeight) const {
  TPalletResult r;
  if (BoxL <= 0 || BoxB <= 0 || BoxH <= 0) return r;
  const double straight = Fit(PalletL, BoxL) * Fit(PalletB, BoxB);
  const double turned = Fit(PalletL, BoxB) * Fit(PalletB, BoxL);
  r.Rotated = turned > straight;  // a tie keeps the straight layer
  r.BoxesPerLayer = SaturatedCount(std::max(straight, turned));
  r.LayerCount = SaturatedCount(Fit(MaxHeight, BoxH));
  r.BoxesPerPallet =
      SaturatedCount(static_cast<double>(r.BoxesPerLayer) * static_cast<double>(r.LayerCount));
  r.Utilization = FDiv(r.BoxesPerPallet * BoxL * BoxB * BoxH, PalletL * PalletB * MaxHeight);
  return r;
}

}  // namespace quelmora
