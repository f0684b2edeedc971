#pragma once

#include <array>
#include <vector>

#include "calc/BoxCalculator.h"

namespace quelmora {

// Builds the boxes of many placements of one pack, as TBoxCalculator::Build
// without a fixed size would, to the last bit: what depends on the count
// along one axis alone (sizes, blank terms, the pallet grid along that axis)
// is worked out once per pack instead of once per box.
class TPackBoxBuilder {
 public:
  TPackBoxBuilder(const TBoxCalculator& Calc, const TProduct& P, const TPackVariant& Pack,
                  const TOptimizationSettings& S);

  bool Build(const TPackPlacement& Placement, TBoxVariant& Box) const;

 private:
  // One count along one box axis of one orientation.
  struct TAxis {
    double Need = 0;  // packs and clearance, mm
    double Outer = 0;
    double Inner = 0;              // outer less the board, as the blank sees it
    double AlongPalletLength = 0;  // boxes of this size along the pallet's length
    double AlongPalletWidth = 0;
    bool Fits = false;  // height axis: within the height limit
  };
  using TAxisTable = std::vector<TAxis>;  // by count, from 0

  const TAxis* Find(const std::array<TAxisTable, 6>& Tables, TPackOrientation Orientation,
                    int32_t Count) const;

  const TBoxCalculator& FCalc;
  const TProduct& FProduct;
  const TPackVariant& FPack;
  const TOptimizationSettings& FSettings;
  bool FGridPallet = false;              // the pallet strategy is the grid one: use the tables
  double FPackGrams = 0;                 // one filled pack
  double FPalletVolume = 0;              // pallet area x load height
  std::array<TPackPlacement, 6> FSizes;  // the pack's sizes per orientation
  std::array<TAxisTable, 6> FX, FY, FZ;
};

}  // namespace quelmora
