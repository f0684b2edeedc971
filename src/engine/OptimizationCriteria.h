#pragma once

#include <memory>

#include "model/OptimizationModel.h"

namespace quelmora {

// Turns a candidate into the one number candidates are ranked by; lower is
// better everywhere. Stateless: one instance serves a whole run.
class IOptimizationCriterion {
 public:
  virtual ~IOptimizationCriterion() = default;
  virtual double Evaluate(const TOptimizationSolution& Value,
                          const TOptimizationSettings& Settings) const = 0;
};

// Packaging cost per cubic metre of product.
class TCostPerVolumeCriterion final : public IOptimizationCriterion {
 public:
  double Evaluate(const TOptimizationSolution& Value,
                  const TOptimizationSettings& Settings) const override;
};

// More packs per box first.
class TBoxCountCriterion final : public IOptimizationCriterion {
 public:
  double Evaluate(const TOptimizationSolution& Value,
                  const TOptimizationSettings& Settings) const override;
};

// Fuller pallets first.
class TPalletUtilizationCriterion final : public IOptimizationCriterion {
 public:
  double Evaluate(const TOptimizationSolution& Value,
                  const TOptimizationSettings& Settings) const override;
};

// Weighted sum of relative cost, shape change, box fill, pallet fill and
// box sharing.
class TCombinedCriterion final : public IOptimizationCriterion {
 public:
  double Evaluate(const TOptimizationSolution& Value,
                  const TOptimizationSettings& Settings) const override;
};

// Any kind outside the enumeration gives the cost-per-volume criterion.
std::shared_ptr<const IOptimizationCriterion> CreateCriterion(TCriterionKind Kind);

}  // namespace quelmora
