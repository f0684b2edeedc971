#pragma once

#include <cstdint>

#include "model/FloatChecks.h"

namespace quelmora {

// Inline: called for every box the search builds.

inline double CalcBoxCost(double AreaM2, double PricePerM2) {
  return AreaM2 * PricePerM2;
}

// Pack cost plus the pack's share of the box.
inline double CalcCostPerUnit(double PackCost, double BoxCost, int32_t PackCount) {
  return PackCost + FDiv(BoxCost, static_cast<double>(PackCount));
}

// Packaging money per cubic metre of product.
inline double CalcCostPerM3(double PackCost, double BoxCost, double PackVolumeM3,
                            int32_t PackCount) {
  return FDiv(CalcCostPerUnit(PackCost, BoxCost, PackCount), PackVolumeM3);
}

// Positive for a saving; 0 when the original cost is not above 0.
inline double CalcSavingPercent(double OriginalCost, double NewCost) {
  if (OriginalCost <= 0) return 0;
  return FDiv(OriginalCost - NewCost, OriginalCost) * 100;
}

}  // namespace quelmora
