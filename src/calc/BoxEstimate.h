#pragma once

#include <cstdint>

namespace quelmora {

// Division-free estimates of what a box's score reads, each within a
// relative 1e-12 of the value Build computes (a few roundings apart); for
// skipping boxes whose score cannot matter without building them.
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
