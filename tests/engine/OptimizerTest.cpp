#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "engine/Optimizer.h"
#include "engine/SolutionOrder.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "support/ScopedEnv.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

struct ProgressCall {
  int percent;
  std::string stage;
};

class OptimizerTest : public ::testing::Test {
 protected:
  TOptimizer optimizer;
  TCancelToken token;
  TOptimizationSettings settings = test::SmallSettings();
  std::vector<TProduct> products = test::SmallAssortment();
  std::vector<ProgressCall> calls;

  TOptimizationResult Run(TCriterionKind kind = ckCostPerVolume,
                          std::function<void(const ProgressCall&)> onProgress = nullptr) {
    return optimizer.Execute(products, settings, *CreateCriterion(kind), token,
                             [&](int32_t percent, const std::string& stage) {
                               calls.push_back({percent, stage});
                               if (onProgress) onProgress(calls.back());
                             });
  }
};

// Runs the searches on one thread while it lives, so that the order of the
// progress calls is the sequential one.
class OneSearchThread {
 public:
  OneSearchThread() { env_.Set("QUELMORA_THREADS", "1"); }

 private:
  testing::TScopedEnv env_;
};

bool EndsWithClosingLine(const TOptimizationResult& r, int solutions) {
  return !r.Log.empty() &&
         std::regex_match(r.Log.back(), std::regex("solutions=" + std::to_string(solutions) +
                                                   "; total ms=[0-9]+"));
}

TEST_F(OptimizerTest, CompletedRunInvariants) {
  const OneSearchThread sequential;
  for (TCriterionKind kind : {ckCostPerVolume, ckBoxCount, ckPalletUtilization, ckCombined}) {
    SCOPED_TRACE(kind);
    calls.clear();
    const TOptimizationResult r = Run(kind);
    ASSERT_EQ(r.Solutions.size(), products.size());
    EXPECT_FALSE(r.Cancelled);
    ASSERT_EQ(r.Log.size(), 1u);
    EXPECT_TRUE(EndsWithClosingLine(r, 4));
    double sum = 0, originalSum = 0;
    for (const auto& s : r.Solutions) {
      sum += s.Box.PackagingCostPerM3;
      originalSum += s.OriginalBox.PackagingCostPerM3;
    }
    EXPECT_DOUBLE_EQ(r.AverageCostPerM3, sum / 4);
    EXPECT_DOUBLE_EQ(r.OriginalAverageCostPerM3, originalSum / 4);
    for (size_t i = 0; i < r.Solutions.size(); ++i) {
      const auto& s = r.Solutions[i];
      EXPECT_EQ(s.Box.AveragePackagingCostPerM3, r.AverageCostPerM3);
      EXPECT_EQ(s.OriginalBox.AveragePackagingCostPerM3, r.OriginalAverageCostPerM3);
      EXPECT_NEAR(s.SavingPercent,
                  (s.OriginalBox.PackagingCostPerM3 - s.Box.PackagingCostPerM3) /
                      s.OriginalBox.PackagingCostPerM3 * 100,
                  1e-9);
      if (i > 0) {
        EXPECT_LE(CompareSolutions(r.Solutions[i - 1], s), 0);
      }
    }
    // Progress: monotone, from the first product's 0 to the closing 100.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().percent, 0);
    EXPECT_EQ(calls.front().stage, "Расчет: Чай");
    EXPECT_EQ(calls.back().percent, 100);
    EXPECT_EQ(calls.back().stage, SCalculationFinished);
    EXPECT_EQ(calls[calls.size() - 2].percent, 85);
    EXPECT_EQ(calls[calls.size() - 2].stage, SStageUnification);
    for (size_t i = 1; i < calls.size(); ++i)
      EXPECT_GE(calls[i].percent, calls[i - 1].percent);
  }
}

// In parallel the calls of several products interleave: a report that would
// go back is left out, so the bar only moves forward.
TEST_F(OptimizerTest, ParallelProgressOnlyMovesForward) {
  for (int i = 0; i < 3; ++i) {
    calls.clear();
    const TOptimizationResult r = Run();
    ASSERT_EQ(r.Solutions.size(), 4u);
    ASSERT_GE(calls.size(), 3u);
    for (size_t c = 1; c < calls.size(); ++c)
      EXPECT_GE(calls[c].percent, calls[c - 1].percent);
    EXPECT_EQ(calls[calls.size() - 2].stage, SStageUnification);
    EXPECT_EQ(calls.back().percent, 100);
  }
}

// The count runs 0, 1, ..., N over the enabled products whatever order the
// threads take them in, and counting changes nothing in the result.
TEST_F(OptimizerTest, ProductCountRunsUpToTheEnabledProducts) {
  products[1].Enabled = false;
  TOptimizationResult uncounted = Run();
  uncounted.Log.clear();
  for (int i = 0; i < 3; ++i) {
    std::vector<TProductCount> counts;
    TOptimizationResult r =
        optimizer.Execute(products, settings, *CreateCriterion(ckCostPerVolume), token, nullptr,
                          [&](const TProductCount& count) { counts.push_back(count); });
    r.Log.clear();
    EXPECT_EQ(r, uncounted);
    ASSERT_EQ(counts.size(), 4u);
    for (int c = 0; c < 4; ++c) {
      EXPECT_EQ(counts[c].Started, c);
      EXPECT_EQ(counts[c].Total, 3);
    }
  }
}

TEST_F(OptimizerTest, SortBoxesOffKeepsProductOrder) {
  settings.SortBoxes = false;
  const TOptimizationResult r = Run();
  ASSERT_EQ(r.Solutions.size(), 4u);
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(r.Solutions[i].ProductId, products[i].Id);
  // The same run sorted holds the same solutions in criterion order.
  settings.SortBoxes = true;
  std::vector<TOptimizationSolution> sorted = r.Solutions;
  SortSolutions(sorted);
  EXPECT_EQ(Run().Solutions, sorted);
}

TEST_F(OptimizerTest, DisabledProductCountsInProgressOnly) {
  const OneSearchThread sequential;
  products[1].Enabled = false;
  settings.SortBoxes = false;
  const TOptimizationResult r = Run();
  ASSERT_EQ(r.Solutions.size(), 3u);
  EXPECT_EQ(r.Solutions[1].ProductId, 3);
  for (const auto& c : calls)
    EXPECT_NE(c.stage, "Расчет: Кофе");
  // The product after the disabled one starts at (2 x 80) div 4.
  bool seen = false;
  for (const auto& c : calls)
    if (c.stage == "Расчет: Сахар") {
      EXPECT_EQ(c.percent, 40);
      seen = true;
      break;
    }
  EXPECT_TRUE(seen);
  EXPECT_TRUE(EndsWithClosingLine(r, 3));
}

TEST_F(OptimizerTest, VolumeMismatchModes) {
  // Sample volume 0.001 m3, outside the range.
  products[0].MinVolumeM3 = 0.0011;
  products[0].MaxVolumeM3 = 0.0012;
  settings.SortBoxes = false;

  settings.VolumeMismatchMode = Ask;
  try {
    Run();
    ADD_FAILURE() << "ran";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    EXPECT_EQ(e.Message(), "Resolve VolumeMismatchMode.Ask before calling optimizer");
  }

  settings.VolumeMismatchMode = UseSampleVolume;
  const TOptimizationResult sample = Run();
  ASSERT_EQ(sample.Solutions.size(), 4u);
  EXPECT_NEAR(sample.Solutions[0].Pack.VolumeM3, 0.001, 1e-12);

  settings.VolumeMismatchMode = UseSpecifiedVolume;
  const TOptimizationResult range = Run();
  EXPECT_GE(range.Solutions[0].Pack.VolumeM3, 0.0011 - 1e-12);
  EXPECT_LE(range.Solutions[0].Pack.VolumeM3, 0.0012 + 1e-12);
  // Products inside their range are searched the same in both modes.
  for (size_t i = 1; i < 4; ++i)
    EXPECT_EQ(sample.Solutions[i].Pack, range.Solutions[i].Pack);
  // The caller's products are untouched.
  EXPECT_EQ(products[0].MinVolumeM3, 0.0011);

  // Ask runs when nothing enabled mismatches.
  settings.VolumeMismatchMode = Ask;
  products[0].Enabled = false;
  EXPECT_EQ(Run().Solutions.size(), 3u);
}

TEST_F(OptimizerTest, InvalidInputFailsWithTheValidationMessage) {
  products[2].Id = products[0].Id;
  try {
    Run();
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::InvalidInput);
    EXPECT_EQ(e.Message(), "Duplicate Product.Id");
  }
  EXPECT_TRUE(calls.empty());
}

TEST_F(OptimizerTest, ProductWithoutAdmissibleBox) {
  products[1].MaxBoxWeightKG = 0.1;
  try {
    Run();
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::NoSharedBox);
    EXPECT_EQ(e.Message(), "No shared box fits product Кофе");
  }

  // When no product has any box the run completes empty.
  for (auto& p : products)
    p.MaxBoxWeightKG = 0.1;
  const TOptimizationResult r = Run();
  EXPECT_FALSE(r.Cancelled);
  EXPECT_TRUE(r.Solutions.empty());
  EXPECT_EQ(r.AverageCostPerM3, 0);
  ASSERT_EQ(r.Log.size(), 5u);
  EXPECT_EQ(r.Log[0], std::string("Чай: ") + SNoFeasibleSolutions);
  EXPECT_EQ(r.Log[3], std::string("Соль: ") + SNoFeasibleSolutions);
  EXPECT_TRUE(EndsWithClosingLine(r, 0));
}

TEST_F(OptimizerTest, TargetCountLargerThanTheAssortment) {
  settings.TargetUnifiedBoxCount = 50;
  const TOptimizationResult r = Run(ckCombined);
  ASSERT_EQ(r.Solutions.size(), 4u);
  for (const auto& s : r.Solutions)
    EXPECT_LE(s.UnifiedGroupId, 4);
  settings.TargetUnifiedBoxCount = 1;
  for (const auto& s : Run(ckCombined).Solutions) {
    EXPECT_EQ(s.UnifiedGroupId, 1);
    EXPECT_EQ(s.UnifiedProductCount, 4);
  }
}

void ExpectCancelled(const TOptimizationResult& r) {
  EXPECT_TRUE(r.Cancelled);
  EXPECT_TRUE(r.Solutions.empty());
  EXPECT_EQ(r.AverageCostPerM3, 0);
  EXPECT_EQ(r.OriginalAverageCostPerM3, 0);
  for (const auto& line : r.Log)
    EXPECT_EQ(line.find("solutions="), std::string::npos);
}

TEST_F(OptimizerTest, CancelledBeforeStart) {
  token.Cancel();
  const TOptimizationResult r = Run();
  ExpectCancelled(r);
  EXPECT_TRUE(r.Log.empty());
  EXPECT_TRUE(calls.empty());
}

// Cancel at a chosen progress call: during a pack search, during the
// placements of a product, and at the start of unification. Products are
// searched in parallel, so before unification the first product's log line is
// there only when its search had finished.
TEST_F(OptimizerTest, CancelledDuringEachStage) {
  products[0].MaxBoxWeightKG = 0.1;
  products.resize(3);
  struct Stop {
    const char* what;
    std::function<bool(const ProgressCall&)> when;
  } stops[] = {
      {"pack search", [](const ProgressCall& c) { return c.stage == "Расчет: Сахар"; }},
      {"placements",
       [](const ProgressCall& c) { return c.stage == "Расчет: Сахар" && c.percent > 53; }},
      {"unification", [](const ProgressCall& c) { return c.percent == 85; }},
  };
  for (const Stop& stop : stops) {
    SCOPED_TRACE(stop.what);
    TCancelToken fresh;
    calls.clear();
    const TOptimizationResult r =
        optimizer.Execute(products, settings, *CreateCriterion(ckCostPerVolume), fresh,
                          [&](int32_t percent, const std::string& stage) {
                            calls.push_back({percent, stage});
                            if (stop.when(calls.back())) fresh.Cancel();
                          });
    ExpectCancelled(r);
    const std::string noBox = std::string("Чай: ") + SNoFeasibleSolutions;
    if (std::string(stop.what) == "unification") {
      EXPECT_EQ(r.Log, std::vector<std::string>{noBox});
    } else {
      EXPECT_LE(r.Log.size(), 1u);
      for (const auto& line : r.Log)
        EXPECT_EQ(line, noBox);
    }
    EXPECT_NE(calls.back().percent, 100);
  }
}

}  // namespace
}  // namespace quelmora
