#include "engine/Optimizer.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <utility>

#include "calc/BoxCalculator.h"
#include "calc/PalletStrategy.h"
#include "engine/ArithmeticFailure.h"
#include "engine/AssortmentPlanner.h"
#include "engine/ParallelFor.h"
#include "engine/ProductSearch.h"
#include "engine/SolutionOrder.h"
#include "engine/VolumeMismatch.h"
#include "model/AppStrings.h"
#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Validation.h"

namespace quelmora {

TOptimizer::TOptimizer(std::shared_ptr<const IPalletOptimizer> Pallet)
    : FPallet(std::move(Pallet)) {}

TOptimizationResult TOptimizer::Execute(const std::vector<TProduct>& Products,
                                        const TOptimizationSettings& Settings,
                                        const IOptimizationCriterion& Criterion,
                                        const TCancelToken& Token,
                                        const TProgressCallback& Progress,
                                        const TProductCountCallback& Counted) const {
  ValidateProject(Products, Settings);

  const TOptimizationSettings S = Settings;
  std::vector<TProduct> work = Products;
  const auto started = std::chrono::steady_clock::now();
  const TBoxCalculator calc(FPallet ? FPallet : MakePalletOptimizer(S));
  std::vector<TOptimizationSolution> allCandidates;
  std::vector<std::string> log;
  TOptimizationResult result;

  try {
    // Settle every product's range first, in list order, as the search of
    // each would; then search the enabled products in parallel.
    const int n = static_cast<int>(work.size());
    std::vector<int> enabled;
    for (int i = 0; i < n; ++i) {
      Token.Check();
      TProduct& P = work[i];
      if (!P.Enabled) continue;
      if (SampleVolumeOutsideRange(P)) {
        if (S.VolumeMismatchMode == Ask)
          throw Exception(TErrorKind::InvalidInput, SResolveVolumeMismatch)
              .InField("VolumeMismatchMode");
        // The planner sees the narrowed range too; the caller's products stay as they are.
        if (S.VolumeMismatchMode == UseSampleVolume)
          P.MinVolumeM3 = P.MaxVolumeM3 = SampleVolumeM3(P);
      }
      enabled.push_back(i);
    }

    // Progress stays monotone although products finish out of order.
    std::mutex progressLock;
    int lastPercent = -1;
    auto report = [&](int percent, const std::string& stage) {
      std::lock_guard lock(progressLock);
      if (percent < lastPercent) return;
      lastPercent = percent;
      Progress(percent, stage);
    };
    TProductCount begun{0, static_cast<int32_t>(enabled.size())};
    auto countStart = [&] {
      std::lock_guard lock(progressLock);
      ++begun.Started;
      Counted(begun);
    };
    if (Counted) Counted(begun);
    std::vector<std::vector<TOptimizationSolution>> kept(enabled.size());
    std::vector<std::exception_ptr> failed(enabled.size());
    // Once a product fails, the run ends with the error of the first failing
    // product in list order: the products after it stop at once, the ones
    // before it finish, as any of them may fail first.
    std::deque<TCancelToken> stops;
    for (size_t e = 0; e < enabled.size(); ++e)
      stops.emplace_back(&Token);
    auto stopAfter = [&](size_t e) {
      for (size_t later = e + 1; later < stops.size(); ++later)
        stops[later].Cancel();
    };
    auto search = [&](size_t e) {
      const int i = enabled[e];
      const TProduct& P = work[i];
      const TCancelToken& token = stops[e];
      try {
        token.Check();
        const std::string stage = std::string(SStageCalculation) + ": " + P.Name;
        if (Counted) countStart();
        TVariantProgress onVariant;
        if (Progress) {
          report((i * 80) / n, stage);
          onVariant = [&](int j, int count) {
            if (j % 20 == 0) report(((i * 80) + ((j + 1) * 80) / std::max(count, 1)) / n, stage);
          };
        }
        kept[e] = SearchProduct(P, S, calc, Criterion, token, onVariant);
      } catch (...) {
        failed[e] = WithProductNamed(std::current_exception(), P);
        // A stopped or cancelled product stops nothing itself.
        if (!token.IsCancelled()) stopAfter(e);
        throw;  // and no further product is started
      }
    };
    try {
      ParallelFor(enabled.size(), search);
    } catch (...) {
      // The products' failures are all kept in failed; any other is the loop's own.
      if (std::none_of(failed.begin(), failed.end(),
                       [](const std::exception_ptr& p) { return p != nullptr; }))
        throw;
    }
    // In product order, as a sequential search would have written them: the
    // first product that did not finish ends the run with its error.
    const size_t firstFailed =
        static_cast<size_t>(std::find_if(failed.begin(), failed.end(),
                                         [](const std::exception_ptr& p) { return p != nullptr; }) -
                            failed.begin());
    for (size_t e = 0; e < firstFailed; ++e)
      if (kept[e].empty()) log.push_back(work[enabled[e]].Name + ": " + SNoFeasibleSolutions);
    // A cancelled or failed run ends here, without gathering what it found.
    if (firstFailed < failed.size()) std::rethrow_exception(failed[firstFailed]);
    size_t total = 0;
    for (const auto& k : kept)
      total += k.size();
    allCandidates.reserve(total);
    for (auto& k : kept)
      allCandidates.insert(allCandidates.end(), k.begin(), k.end());
    kept.clear();

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

}  // namespace quelmora
