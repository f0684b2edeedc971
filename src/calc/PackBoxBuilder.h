#pragma once

#include <array>
#include <vector>

#include "calc/BoxCalculator.h"

namespace quelmora {

// Builds the boxes of many placements of one pack, as TBoxCalculator::Build
// without a fixed size would, to the last bit: what depends on the count
// along one axis alone (sizes, blank terms, the pallet grid along that axis)
// is worked out once per pack instead of once per box.
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

class TPackBoxBuilder {
 public:
  TPackBoxBuilder(const TBoxCalculator& Calc, const TProduct& P, const TPackVariant& Pack,
                  const TOptimizationSettings& S);

  bool Build(const TPackPlacement& Placement, TBoxVariant& Box) const;

  // False when the placement is not one the tables hold or the pallet is not
  // the grid one; then only Build can tell.
  bool Estimate(const TPackPlacement& Placement, unsigned Parts, TBoxEstimate& Estimate) const;

 private:
  // One count along one box axis of one orientation.
  struct TAxis {
    double Need = 0;  // packs and clearance, mm
    double Outer = 0;
    double Inner = 0;              // outer less the board, as the blank sees it
    double AlongPalletLength = 0;  // boxes of this size along the pallet's length
    double AlongPalletWidth = 0;
    bool Fits = false;       // height axis: within the height limit
    double InverseNeed = 0;  // 1 / Need, for estimates
  };
  using TAxisTable = std::vector<TAxis>;  // by count, from 0

  const TAxis* Find(const std::array<TAxisTable, 6>& Tables, TPackOrientation Orientation,
                    int32_t Count) const;

  const TBoxCalculator& FCalc;
  const TProduct& FProduct;
  const TPackVariant& FPack;
  const TOptimizationSettings& FSettings;
  bool FGridPallet = false;   // the pallet strategy is the grid one: use the tables
  double FPackGrams = 0;      // one filled pack
  double FPalletVolume = 0;   // pallet area x load height
  double FBoxCostPerMM2 = 0;  // estimates: price per mm2 of blank
  double FInversePackVolume = 0;
  double FInversePalletVolume = 0;
  std::vector<double> FInverseCount;     // by pack count
  std::array<TPackPlacement, 6> FSizes;  // the pack's sizes per orientation
  std::array<TAxisTable, 6> FX, FY, FZ;
};

}  // namespace quelmora
