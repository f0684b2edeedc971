#include "engine/OptimizationCriteria.h"

#include <cmath>

#include "model/FloatChecks.h"

namespace quelmora {

namespace {

// Sharing only counts in the planner's final scoring; before it the count is 1.
int32_t SharingCount(const TCriterionInputs& Value) {
  return Value.UnifiedProductCount < 1 ? 1 : Value.UnifiedProductCount;
}

}  // namespace

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

std::optional<unsigned> TCostPerVolumeCriterion::FloorParts() const {
  return epCost;
}

double TCostPerVolumeCriterion::ScoreFloor(const TBoxEstimate& Estimate, const TCriterionInputs&,
                                           const TOptimizationSettings&) const {
  return Estimate.PackagingCostPerM3 * (1 - kEstimateMargin);
}

double TBoxCountCriterion::EvaluateInputs(const TCriterionInputs& Value,
                                          const TOptimizationSettings&) const {
  return -static_cast<double>(Value.PackCount);
}

// The pack count is exact: the floor is the score.
std::optional<unsigned> TBoxCountCriterion::FloorParts() const {
  return 0;
}

double TBoxCountCriterion::ScoreFloor(const TBoxEstimate& Estimate, const TCriterionInputs&,
                                      const TOptimizationSettings&) const {
  return -static_cast<double>(Estimate.PackCount);
}

double TPalletUtilizationCriterion::EvaluateInputs(const TCriterionInputs& Value,
                                                   const TOptimizationSettings&) const {
  return 0 - Value.PalletUtilization;
}

std::optional<unsigned> TPalletUtilizationCriterion::FloorParts() const {
  return epPallet;
}

double TPalletUtilizationCriterion::ScoreFloor(const TBoxEstimate& Estimate,
                                               const TCriterionInputs&,
                                               const TOptimizationSettings&) const {
  return -(Estimate.PalletUtilization * (1 + kEstimateMargin));
}

double TCombinedCriterion::EvaluateInputs(const TCriterionInputs& Value,
                                          const TOptimizationSettings& S) const {
  const int32_t u = SharingCount(Value);
  return FDiv(S.WeightCost * Value.PackagingCostPerM3, Value.OriginalPackagingCostPerM3) +
         S.WeightDimension * Value.DimensionPenalty + S.WeightRatio * Value.GeometryPenalty +
         S.WeightFill * (1 - Value.FillRatio) + S.WeightPallet * (1 - Value.PalletUtilization) +
         S.WeightUnification / static_cast<double>(u);
}

std::optional<unsigned> TCombinedCriterion::FloorParts() const {
  return epCost | epPallet | epFill;
}

double TCombinedCriterion::ScoreFloor(const TBoxEstimate& Estimate, const TCriterionInputs& Pack,
                                      const TOptimizationSettings& S) const {
  const double cost = S.WeightCost * Estimate.PackagingCostPerM3 / Pack.OriginalPackagingCostPerM3;
  const double dimension = S.WeightDimension * Pack.DimensionPenalty;
  const double ratio = S.WeightRatio * Pack.GeometryPenalty;
  const double fill = S.WeightFill * (1 - Estimate.FillRatio);
  const double pallet = S.WeightPallet * (1 - Estimate.PalletUtilization);
  const double sharing = S.WeightUnification / static_cast<double>(SharingCount(Pack));
  const double sum = cost + dimension + ratio + fill + pallet + sharing;
  // The terms' own size bounds their errors: the differences from 1 carry
  // the error of the fill and utilization, not of the result.
  const double scale = std::fabs(cost) + std::fabs(dimension) + std::fabs(ratio) +
                       S.WeightFill * (1 + std::fabs(Estimate.FillRatio)) +
                       S.WeightPallet * (1 + std::fabs(Estimate.PalletUtilization)) + sharing;
  return sum - kEstimateMargin * scale;
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
