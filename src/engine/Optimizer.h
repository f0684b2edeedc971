#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/OptimizationCriteria.h"
#include "model/OptimizationModel.h"
#include "model/PalletModel.h"

namespace quelmora {

// How far a run has got through its enabled products: the Started-th of
// Total has begun. Products run in parallel and finish out of order, so the
// count is of products begun, which only grows.
struct TProductCount {
  int32_t Started = 0;
  int32_t Total = 0;
};

using TProductCountCallback = std::function<void(const TProductCount& Count)>;

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
                              const TProgressCallback& Progress = nullptr,
                              const TProductCountCallback& Counted = nullptr) const;

 private:
  std::shared_ptr<const IPalletOptimizer> FPallet;
};

}  // namespace quelmora
