#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "calc/Tolerances.h"
#include "model/FloatChecks.h"
#include "model/PalletModel.h"

namespace quelmora {

// How many boxes of one size fit along a room, counting one that fits to
// within kLengthToleranceMM.
inline double PalletFit(double Room, double Size) {
  return std::floor(FDiv(Room + kLengthToleranceMM, Size));
}

// Counts of absurdly small boxes saturate instead of wrapping; a room that
// holds nothing (only possible on unvalidated input) holds 0.
inline int32_t SaturatedCount(double Count) {
  return static_cast<int32_t>(
      std::clamp(Count, 0.0, static_cast<double>(std::numeric_limits<int32_t>::max())));
}

// Identical boxes in a column-stacked grid: every layer the same grid, all
// boxes in one orientation (turned by 90 degrees when that gives more), layers
// stacked up to the height limit. With an overhang the grid fills the pallet
// grown by OverhangMM on every side, and utilization is the load's share of
// that grown room times the height limit, so it stays a fraction of what may
// be loaded; without one both are the pallet's own.
class TGridPalletOptimizer final : public IPalletOptimizer {
 public:
  explicit TGridPalletOptimizer(double OverhangMM = 0) : FOverhangMM(OverhangMM) {}
  TPalletResult Calculate(double BoxL, double BoxB, double BoxH, double PalletL, double PalletB,
                          double MaxHeight) const override;
  // The grid along each pallet side depends on one box side alone: counted
  // once per side.
  std::unique_ptr<IPalletPackPlan> PreparePack(std::vector<double> Sides,
                                               std::vector<double> Heights, double PalletL,
                                               double PalletB, double MaxHeight) const override;

 private:
  double FOverhangMM;
};

}  // namespace quelmora
