#pragma once

#include <cstdint>

namespace quelmora {

// How close, relative, an estimate below lies to the value Build computes:
// they are a few roundings apart, each worth about 1e-16.
inline constexpr double kEstimateAccuracy = 1e-12;

// Division-free estimates of what a box's score reads, each within
// kEstimateAccuracy of the value Build computes; for skipping boxes whose
// score cannot matter without building them.
struct TBoxEstimate {
  int32_t PackCount = 0;  // exact
  double PackagingCostPerM3 = 0;
  double PalletUtilization = 0;
  double FillRatio = 0;
};

// Which estimates a caller reads; the others are left at 0.
enum TEstimateParts : unsigned { epCost = 1, epPallet = 2, epFill = 4 };

// How far below an estimate the value it estimates may lie, relative: a
// hundred times the estimates' own accuracy.
inline constexpr double kEstimateMargin = 1e-10;

}  // namespace quelmora
