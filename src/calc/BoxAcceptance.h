#pragma once

#include <algorithm>
#include <cstdint>

#include "calc/Tolerances.h"
#include "model/OptimizationModel.h"

namespace quelmora {

// Whether a box may be offered. Every builder of boxes and the assortment
// plan go through these, so that a cell the plan counts is a box Build
// accepts. Split in stages because the builders test what they know early
// (the grid, the outer size) before they work out the rest; each comparison
// keeps its written form, so that a NaN fares as it always has.

// Inner room, mm, the packs' grid takes: packs plus clearance.
struct TGridNeed {
  double LengthMM = 0;
  double WidthMM = 0;
  double HeightMM = 0;
};

inline TGridNeed GridNeedOf(const TPackPlacement& Placement, const TOptimizationSettings& S) {
  return {Placement.CountX * Placement.PackDimX + S.LengthGapMM,
          Placement.CountY * Placement.PackDimY + S.WidthGapMM,
          Placement.CountZ * Placement.PackDimZ};
}

// The grid fits the inner sizes.
inline bool GridFits(const TGridNeed& Need, double InnerLengthMM, double InnerWidthMM,
                     double InnerHeightMM) {
  return !(Need.LengthMM - kLengthToleranceMM > InnerLengthMM ||
           Need.WidthMM - kLengthToleranceMM > InnerWidthMM ||
           Need.HeightMM - kLengthToleranceMM > InnerHeightMM);
}

// The outer height keeps within the box and pallet load height limits.
inline bool WithinHeightLimit(double HeightMM, const TOptimizationSettings& S) {
  return !(HeightMM > std::min(S.MaxPalletHeightMM, S.MaxBoxHeightMM) + kLengthToleranceMM);
}

// At least one box on a pallet, unless oversize boxes are allowed.
inline bool PalletAcceptable(int32_t BoxesPerPallet, const TOptimizationSettings& S) {
  return S.AllowOversizeBoxes || BoxesPerPallet > 0;
}

// What depends on the outer size alone.
inline bool SizeAcceptable(double HeightMM, int32_t BoxesPerPallet,
                           const TOptimizationSettings& S) {
  return WithinHeightLimit(HeightMM, S) && PalletAcceptable(BoxesPerPallet, S);
}

inline bool WithinWeightLimit(double GrossWeightKG, const TProduct& P) {
  return GrossWeightKG <= P.MaxBoxWeightKG + kWeightToleranceKG;
}

}  // namespace quelmora
