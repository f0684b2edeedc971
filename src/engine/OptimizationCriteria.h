#pragma once

#include <limits>
#include <memory>
#include <optional>

#include "calc/BoxEstimate.h"
#include "model/OptimizationModel.h"

namespace quelmora {

// The fields of a solution that criteria read.
struct TCriterionInputs {
  double PackagingCostPerM3 = 0;  // of the box
  int32_t PackCount = 0;
  double PalletUtilization = 0;
  double FillRatio = 0;
  double OriginalPackagingCostPerM3 = 0;  // of the current box
  double DimensionPenalty = 0;            // of the pack
  double GeometryPenalty = 0;
  int32_t UnifiedProductCount = 0;
};

TCriterionInputs CriterionInputsOf(const TOptimizationSolution& Value);

// Turns a candidate into the one number candidates are ranked by; lower is
// better everywhere. Stateless: one instance serves a whole run.
class IOptimizationCriterion {
 public:
  virtual ~IOptimizationCriterion() = default;
  double Evaluate(const TOptimizationSolution& Value, const TOptimizationSettings& Settings) const {
    return EvaluateInputs(CriterionInputsOf(Value), Settings);
  }
  // The same from the fields alone, for callers that have no whole solution.
  virtual double EvaluateInputs(const TCriterionInputs& Value,
                                const TOptimizationSettings& Settings) const = 0;

  // For skipping boxes without building them. The estimate parts
  // (TEstimateParts) ScoreFloor reads, or none when the criterion has no
  // floor: then the search builds every box.
  virtual std::optional<unsigned> FloorParts() const { return std::nullopt; }
  // A value certainly not above what EvaluateInputs gives the box Estimate
  // describes; the inputs that do not depend on the box (pack, current box,
  // sharing) come from Pack.
  // The estimates lie within kEstimateAccuracy of the exact values; a floor
  // keeps a margin of kEstimateMargin.
  virtual double ScoreFloor(const TBoxEstimate& /*Estimate*/, const TCriterionInputs& /*Pack*/,
                            const TOptimizationSettings& /*Settings*/) const {
    return -std::numeric_limits<double>::infinity();
  }
};

// Packaging cost per cubic metre of product.
class TCostPerVolumeCriterion final : public IOptimizationCriterion {
 public:
  double EvaluateInputs(const TCriterionInputs& Value,
                        const TOptimizationSettings& Settings) const override;
  std::optional<unsigned> FloorParts() const override;
  double ScoreFloor(const TBoxEstimate& Estimate, const TCriterionInputs& Pack,
                    const TOptimizationSettings& Settings) const override;
};

// More packs per box first.
class TBoxCountCriterion final : public IOptimizationCriterion {
 public:
  double EvaluateInputs(const TCriterionInputs& Value,
                        const TOptimizationSettings& Settings) const override;
  std::optional<unsigned> FloorParts() const override;
  double ScoreFloor(const TBoxEstimate& Estimate, const TCriterionInputs& Pack,
                    const TOptimizationSettings& Settings) const override;
};

// Fuller pallets first.
class TPalletUtilizationCriterion final : public IOptimizationCriterion {
 public:
  double EvaluateInputs(const TCriterionInputs& Value,
                        const TOptimizationSettings& Settings) const override;
  std::optional<unsigned> FloorParts() const override;
  double ScoreFloor(const TBoxEstimate& Estimate, const TCriterionInputs& Pack,
                    const TOptimizationSettings& Settings) const override;
};

// Weighted sum of relative cost, shape change, box fill, pallet fill and
// box sharing.
class TCombinedCriterion final : public IOptimizationCriterion {
 public:
  double EvaluateInputs(const TCriterionInputs& Value,
                        const TOptimizationSettings& Settings) const override;
  std::optional<unsigned> FloorParts() const override;
  double ScoreFloor(const TBoxEstimate& Estimate, const TCriterionInputs& Pack,
                    const TOptimizationSettings& Settings) const override;
};

// Any kind outside the enumeration gives the cost-per-volume criterion.
std::shared_ptr<const IOptimizationCriterion> CreateCriterion(TCriterionKind Kind);

}  // namespace quelmora
