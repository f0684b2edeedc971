#pragma once

#include <vector>

#include "calc/BoxCalculator.h"
#include "engine/OptimizationCriteria.h"
#include "model/OptimizationModel.h"

namespace quelmora {

// A candidate shared box size, outer mm.
struct TSharedBoxTarget {
  double L = 0;
  double B = 0;
  double H = 0;
};

// The sizes every run offers besides its own candidates' boxes.
extern const TSharedBoxTarget StandardBoxTargets[15];

// Equal exactly when the three sizes agree to four decimals of a millimetre.
std::string TargetKey(double L, double B, double H);

// Chooses at most TargetUnifiedBoxCount shared box sizes for the assortment
// and returns one solution per enabled product, in product order, each
// rebuilt in its assigned size with UnifiedGroupId and UnifiedProductCount
// set. Empty when no product is enabled or there are no candidates. Raises
// TErrorKind::NoSharedBox "No shared box fits product <name>" for the first enabled
// product that fits none of the chosen sizes.
std::vector<TOptimizationSolution> PlanAssortment(
    const std::vector<TOptimizationSolution>& Candidates, const std::vector<TProduct>& Products,
    const TOptimizationSettings& S, const TBoxCalculator& Calc,
    const IOptimizationCriterion& Criterion, const TCancelToken& Token);

}  // namespace quelmora
