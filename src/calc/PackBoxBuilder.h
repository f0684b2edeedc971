#pragma once

#include <array>
#include <memory>
#include <vector>

#include "calc/BoxCalculator.h"
#include "calc/BoxEstimate.h"

namespace quelmora {

// Builds the boxes of many placements of one pack, as TBoxCalculator::Build
// without a fixed size would, to the last bit: what depends on the count
// along one axis alone (sizes, blank terms, the pallet strategy's per-side
// work) is worked out once per pack instead of once per box.
class TPackBoxBuilder {
 public:
  TPackBoxBuilder(const TBoxCalculator& Calc, const TProduct& P, const TPackVariant& Pack,
                  const TOptimizationSettings& S);

  bool Build(const TPackPlacement& Placement, TBoxVariant& Box) const;

  // False when the placement is not one the tables hold, or the pallet
  // strategy has no estimate and Parts asks for one; then only Build can tell.
  bool Estimate(const TPackPlacement& Placement, unsigned Parts, TBoxEstimate& Estimate) const;

 private:
  // One count along one box axis of one orientation.
  struct TAxis {
    double Need = 0;  // packs and clearance, mm
    double Outer = 0;
    double Inner = 0;        // outer less the board, as the blank sees it
    size_t PalletSide = 0;   // in the pallet plan's list of sides, or of heights
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
  std::unique_ptr<IPalletPackPlan> FPalletPlan;
  double FPackGrams = 0;      // one filled pack
  double FBoxCostPerMM2 = 0;  // estimates: price per mm2 of blank
  double FInversePackVolume = 0;
  std::vector<double> FInverseCount;     // by pack count
  std::array<TPackPlacement, 6> FSizes;  // the pack's sizes per orientation
  std::array<TAxisTable, 6> FX, FY, FZ;
};

}  // namespace quelmora
