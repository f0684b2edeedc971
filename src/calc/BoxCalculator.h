#pragma once

#include <memory>

#include "model/BoxModel.h"
#include "model/OptimizationModel.h"
#include "model/PackModel.h"
#include "model/PalletModel.h"
#include "model/ProductModel.h"

namespace quelmora {

// What a box of one fixed outer size contributes whatever it holds, computed
// as building a box of that size computes it.
struct TFixedBoxSize {
  double LengthMM = 0;  // outer
  double WidthMM = 0;
  double HeightMM = 0;
  double InnerLengthMM = 0;
  double InnerWidthMM = 0;
  double InnerHeightMM = 0;
  // Within the height limit and, unless oversize boxes are allowed, at least
  // one box fits on a pallet: otherwise no box of this size is acceptable.
  bool Usable = false;
  double BlankAreaM2 = 0;
  double BoxCost = 0;
  double BoardGrams = 0;  // mass of the blank, g
  double BoxVolumeM3 = 0;
  double InnerVolumeM3 = 0;
  // Before the loaded pallet's weight limit, which depends on the contents
  // (LimitPallet); Usable rests on it, the limits only lowering it, never
  // below one layer for the strength.
  TPalletResult Pallet;
};

// Builds and prices shipping boxes. Holds only the pallet strategy, so one
// calculator serves a whole run.
class TBoxCalculator {
 public:
  explicit TBoxCalculator(std::shared_ptr<const IPalletOptimizer> Pallet);

  // The box holding Placement's grid of Pack: sized to the grid when FixedL is
  // not above 0, else of outer size FixedL x FixedB x FixedH. Returns whether
  // the box is acceptable under the height, weight and pallet limits. Box is
  // always written; after a false result it is incomplete.
  bool Build(const TProduct& P, const TPackVariant& Pack, const TPackPlacement& Placement,
             const TOptimizationSettings& S, TBoxVariant& Box, double FixedL = 0, double FixedB = 0,
             double FixedH = 0) const;

  // The parts of Build with a fixed size that do not depend on the contents.
  TFixedBoxSize PrepareFixedSize(const TOptimizationSettings& S, double L, double B,
                                 double H) const;

  const IPalletOptimizer& Pallet() const { return *FPallet; }

  // The product's current box with OriginalBoxCount packs of Pack, priced as
  // it is, without acceptance tests.
  TBoxVariant Original(const TProduct& P, const TPackVariant& Pack,
                       const TOptimizationSettings& S) const;

 private:
  // Everything that follows from the dimensions and PackCount.
  void FillDerived(TBoxVariant& Box, const TProduct& P, const TPackVariant& Pack,
                   const TOptimizationSettings& S) const;

  std::shared_ptr<const IPalletOptimizer> FPallet;
};

}  // namespace quelmora
