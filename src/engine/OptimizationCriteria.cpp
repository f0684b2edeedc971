#include "engine/OptimizationCriteria.h"

#include "model/FloatChecks.h"

namespace quelmora {

double TCostPerVolumeCriterion::Evaluate(const TOptimizationSolution& Value,
                                         const TOptimizationSettings&) const {
  return Value.Box.PackagingCostPerM3;
}

double TBoxCountCriterion::Evaluate(const TOptimizationSolution& Value,
                                    const TOptimizationSettings&) const {
  return -static_cast<double>(Value.Box.PackCount);
}

double TPalletUtilizationCriterion::Evaluate(const TOptimizationSolution& Value,
                                             const TOptimizationSettings&) const {
  return 0 - Value.Box.PalletUtilization;
}

double TCombinedCriterion::Evaluate(const TOptimizationSolution& Value,
                                    const TOptimizationSettings& S) const {
  // Sharing only counts in the planner's final scoring; before it u is 1.
  const int32_t u = Value.UnifiedProductCount < 1 ? 1 : Value.UnifiedProductCount;
  return FDiv(S.WeightCost * Value.Box.PackagingCostPerM3, Value.OriginalBox.PackagingCostPerM3) +
         S.WeightDimension * Value.Pack.DimensionPenalty +
         S.WeightRatio * Value.Pack.GeometryPenalty + S.WeightFill * (1 - Value.Box.FillRatio) +
         S.WeightPallet * (1 - Value.Box.PalletUtilization) +
         S.WeightUnification / static_cast<double>(u);
}

std::shared_ptr<const IOptimizationCriterion> CreateCriterion(TCriterionKind Kind) {
  switch (Kind) {
    case ckBoxCount:
      return std::make_shared<TBoxCountCriterion>();
    case ckPalletUtilization:
      return std::make_shared<TPalletUtilizationCriterion>();
    case ckCombined:
      return std::make_shared<TCombinedCriterion>();
    default:
      return std::make_shared<TCostPerVolumeCriterion>();
  }
}

}  // namespace quelmora
