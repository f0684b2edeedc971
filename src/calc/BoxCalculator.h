#pragma once

#include <memory>

#include "model/BoxModel.h"
#include "model/OptimizationModel.h"
#include "model/PackModel.h"
#include "model/PalletModel.h"
#include "model/ProductModel.h"

namespace quelmora {

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
