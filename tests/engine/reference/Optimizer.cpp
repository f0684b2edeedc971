#include "engine/reference/Optimizer.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>

#include "calc/BoxCalculator.h"
#include "calc/PalletStrategy.h"
#include "engine/SolutionOrder.h"
#include "engine/VolumeMismatch.h"
#include "engine/reference/AssortmentPlanner.h"
#include "engine/reference/ProductSearch.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Validation.h"

namespace quelmora::reference {

TOptimizer::TOptimizer(std::shared_ptr<const IPalletOptimizer> Pallet)
    : FPallet(std::move(Pallet)) {}

TOptimizationResult TOptimizer::Execute(const std::vector<TProduct>& Products,
                                        const TOptimizationSettings& Settings,
                                        const IOptimizationCriterion& Criterion,
                                        const TCancelToken& Token,
                                        const TProgressCallback& Progress) const {
  ValidateProject(Products, Settings);

  const TOptimizationSettings S = Settings;
  std::vector<TProduct> work = Products;
  const auto started = std::chrono::steady_clock::now();
  const TBoxCalculator calc(FPallet ? FPallet : MakePalletOptimizer(S));
  std::vector<TOptimizationSolution> allCandidates;
  std::vector<std::string> log;
  TOptimizationResult result;

  try {
    const int n = static_cast<int>(work.size());
    for (int i = 0; i < n; ++i) {
      Token.Check();
      TProduct& P = work[i];
      if (!P.Enabled) continue;
      if (SampleVolumeOutsideRange(P)) {
        if (S.VolumeMismatchMode == Ask)
          throw Exception(TErrorKind::InvalidInput,
                          "Resolve VolumeMismatchMode.Ask before calling optimizer")
              .InField("VolumeMismatchMode");
        // The planner sees the narrowed range too; the caller's products stay as they are.
        if (S.VolumeMismatchMode == UseSampleVolume)
          P.MinVolumeM3 = P.MaxVolumeM3 = SampleVolumeM3(P);
      }
      const std::string stage = std::string(SStageCalculation) + ": " + P.Name;
      if (Progress) Progress((i * 80) / n, stage);

      TVariantProgress onVariant;
      if (Progress)
        onVariant = [&](int j, int count) {
          if (j % 20 == 0) Progress(((i * 80) + ((j + 1) * 80) / std::max(count, 1)) / n, stage);
        };
      std::vector<TOptimizationSolution> best =
          SearchProduct(P, S, calc, Criterion, Token, onVariant);
      if (best.empty()) log.push_back(P.Name + ": " + SNoFeasibleSolutions);
      allCandidates.insert(allCandidates.end(), std::make_move_iterator(best.begin()),
                           std::make_move_iterator(best.end()));
    }

    Token.Check();
    if (Progress) Progress(85, SStageUnification);
    std::vector<TOptimizationSolution> solutions =
        PlanAssortment(allCandidates, work, S, calc, Criterion, Token);

    // Product Ids are unique after validation, so every solution counts once;
    // the sums run in product order.
    double sum = 0;
    double originalSum = 0;
    for (const TOptimizationSolution& s : solutions) {
      sum += s.Box.PackagingCostPerM3;
      originalSum += s.OriginalBox.PackagingCostPerM3;
    }
    const double count = static_cast<double>(solutions.size());
    const double average = solutions.empty() ? 0 : sum / count;
    const double originalAverage = solutions.empty() ? 0 : originalSum / count;
    for (TOptimizationSolution& s : solutions) {
      s.Box.AveragePackagingCostPerM3 = average;
      s.OriginalBox.AveragePackagingCostPerM3 = originalAverage;
    }
    if (S.SortBoxes) SortSolutions(solutions);

    result.Solutions = std::move(solutions);
    result.AverageCostPerM3 = average;
    result.OriginalAverageCostPerM3 = originalAverage;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    log.push_back(Format("solutions=%d; total ms=%lld", static_cast<int>(result.Solutions.size()),
                         static_cast<long long>(elapsed.count())));
    if (Progress) Progress(100, SCalculationFinished);
  } catch (const Exception& e) {
    if (e.Kind() != TErrorKind::Cancelled) throw;
    result = TOptimizationResult{};
    result.Cancelled = true;
  }
  result.Log = std::move(log);
  return result;
}

}  // namespace quelmora::reference
