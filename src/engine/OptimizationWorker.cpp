#include "engine/OptimizationWorker.h"

#include <exception>
#include <new>
#include <utility>

#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "model/AppStrings.h"
#include "model/Errors.h"

namespace quelmora {

TOptimizationWorker::TOptimizationWorker(std::vector<TProduct> Products,
                                         TOptimizationSettings Settings, TCriterionKind Criterion)
    : FProducts(std::move(Products)), FSettings(std::move(Settings)), FCriterion(Criterion) {}

TOptimizationWorker::~TOptimizationWorker() {
  Cancel();
  if (FThread.joinable()) FThread.join();
}

void TOptimizationWorker::Start() {
  if (!FThread.joinable()) FThread = std::thread([this] { Body(); });
}

void TOptimizationWorker::Snapshot(int32_t& Percent, std::string& Stage) const {
  std::lock_guard lock(FLock);
  Percent = FPercent;
  Stage = FStage;
}

TProductCount TOptimizationWorker::ProductCount() const {
  std::lock_guard lock(FLock);
  return FCount;
}

void TOptimizationWorker::SetProgress(int32_t Percent, const std::string& Stage) {
  std::lock_guard lock(FLock);
  FPercent = Percent;
  FStage = Stage;
}

void TOptimizationWorker::Body() {
  const TProgressCallback progress = [this](int32_t percent, const std::string& stage) {
    SetProgress(percent, stage);
  };
  const TProductCountCallback counted = [this](const TProductCount& count) {
    std::lock_guard lock(FLock);
    FCount = count;
  };
  try {
    const TOptimizer optimizer;
    const auto criterion = CreateCriterion(FCriterion);
    FResult = optimizer.Execute(FProducts, FSettings, *criterion, FToken, progress, counted);
  } catch (const Exception& e) {
    FFailure = e;
  } catch (const std::bad_alloc&) {
    FFailure = Exception(TErrorKind::OutOfMemory, SNoMemoryToCalculate, {FProducts.size()});
  } catch (const std::exception& e) {
    // A foreign failure keeps its own text, under the general kind's name.
    FFailure = Exception(TErrorKind::General, e.what());
  }
  if (FFailure) {
    FResult = TOptimizationResult{};
    FError = ErrorText(*FFailure);
  }
  FDone.exchange(1, std::memory_order_acq_rel);
}

}  // namespace quelmora
