#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/Optimizer.h"
#include "model/Errors.h"
#include "model/OptimizationModel.h"

namespace quelmora {

// Runs one optimization on a thread of its own. The owner starts it, polls
// Snapshot and Done, and reads Output or Error once Done is true. Destroying
// a running worker cancels it and waits for its thread.
class TOptimizationWorker {
 public:
  TOptimizationWorker(std::vector<TProduct> Products, TOptimizationSettings Settings,
                      TCriterionKind Criterion);
  ~TOptimizationWorker();
  TOptimizationWorker(const TOptimizationWorker&) = delete;
  TOptimizationWorker& operator=(const TOptimizationWorker&) = delete;

  void Start();
  // Any thread, any number of times, also after the run has finished.
  void Cancel() noexcept { FToken.Cancel(); }
  bool Done() const noexcept { return FDone.load(std::memory_order_acquire) != 0; }
  void Snapshot(int32_t& Percent, std::string& Stage) const;
  // The products begun so far; zero of zero before the run has counted them.
  TProductCount ProductCount() const;

  // Only once Done is true.
  const TOptimizationResult& Output() const { return FResult; }
  // Kind name, ": " and message of the error that ended the run, or empty.
  const std::string& Error() const { return FError; }
  // The failure that ended the run, for showing it in the reader's language;
  // empty when the run ended without one.
  const std::optional<Exception>& Failure() const { return FFailure; }

 private:
  void Body();
  void SetProgress(int32_t Percent, const std::string& Stage);

  const std::vector<TProduct> FProducts;
  const TOptimizationSettings FSettings;
  const TCriterionKind FCriterion;
  TCancelToken FToken;
  mutable std::mutex FLock;
  int32_t FPercent = 0;
  std::atomic<int32_t> FDone{0};
  std::string FStage;
  TProductCount FCount;
  std::string FError;
  std::optional<Exception> FFailure;
  TOptimizationResult FResult;
  std::thread FThread;
};

}  // namespace quelmora
