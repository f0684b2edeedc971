#include "engine/OptimizationCriteria.h"

#include "model/FloatChecks.h"

namespace quelmora {

TCriterionInputs CriterionInputsOf(const TOptimizationSolution& Value) {
  TCriterionInputs in;
  in.PackagingCostPerM3 = Value.Box.PackagingCostPerM3;
  in.PackCount = Value.Box.PackCount;
  in.PalletUtilization = Value.Box.PalletUtilization;
  in.FillRatio = Value.Box.FillRatio;
  in.OriginalPackagingCostPerM3 = Value.OriginalBox.PackagingCostPerM3;
  in.DimensionPenalty = Value.Pack.DimensionPenalty;
  in.GeometryPenalty = Value.Pack.GeometryPenalty;
  in.UnifiedProductCount = Value.UnifiedProductCount;
  return in;
}

double TCostPerVolumeCriterion::EvaluateInputs(const TCriterionInputs& Value,
                                               const TOptimizationSettings&) const {
  return Value.PackagingCostPerM3;
}

double TBoxCountCriterion::EvaluateInputs(const TCriterionInputs& Value,
                                          const TOptimizationSettings&) const {
  return -static_cast<double>(Value.PackCount);
}

double TPalletUtilizationCriterion::EvaluateInputs(const TCriterionInputs& Value,
                                                   const TOptimizationSettings&) const {
  return 0 - Value.PalletUtilization;
}

double TCombinedCriterion::EvaluateInputs(const TCriterionInputs& Value,
                                          const TOptimizationSettings& S) const {
  // Sharing only counts in the planner's final scoring; before it u is 1.
  const int32_t u = Value.UnifiedProductCount < 1 ? 1 : Value.UnifiedProductCount;
  return FDiv(S.WeightCost * Value.PackagingCostPerM3, Value.OriginalPackagingCostPerM3) +
         S.WeightDimension * Value.DimensionPenalty + S.WeightRatio * Value.GeometryPenalty +
         S.WeightFill * (1 - Value.FillRatio) + S.WeightPallet * (1 - Value.PalletUtilization) +
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
