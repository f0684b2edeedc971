#pragma once

#include <memory>
#include <vector>

#include "engine/OptimizationCriteria.h"
#include "model/OptimizationModel.h"
#include "model/PalletModel.h"

namespace quelmora {

// Runs one whole calculation: per enabled product the pack search, every
// placement of every pack built and scored, the best distinct boxes kept;
// then the shared box sizes, the averages and the optional sort.
class TOptimizer {
 public:
  // Without a pallet strategy each run uses the one its settings choose.
  explicit TOptimizer(std::shared_ptr<const IPalletOptimizer> Pallet = nullptr);

  // Validation and planning errors propagate; cancellation returns a result
  // marked Cancelled with the log written so far.
  TOptimizationResult Execute(const std::vector<TProduct>& Products,
                              const TOptimizationSettings& Settings,
                              const IOptimizationCriterion& Criterion, const TCancelToken& Token,
                              const TProgressCallback& Progress = nullptr) const;

 private:
  std::shared_ptr<const IPalletOptimizer> FPallet;
};

}  // namespace quelmora
