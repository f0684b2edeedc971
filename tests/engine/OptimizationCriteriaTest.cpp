#include <gtest/gtest.h>

#include "engine/OptimizationCriteria.h"

namespace quelmora {
namespace {

TOptimizationSolution JudgedSolution(int32_t unifiedCount) {
  TOptimizationSolution s;
  s.OriginalBox.PackagingCostPerM3 = 1000;
  s.Box.PackagingCostPerM3 = 800;
  s.Pack.DimensionPenalty = 0.1;
  s.Pack.GeometryPenalty = 0.2;
  s.Box.FillRatio = 0.9;
  s.Box.PalletUtilization = 0.75;
  s.Box.PackCount = 24;
  s.UnifiedProductCount = unifiedCount;
  return s;
}

TEST(Criteria, CombinedWithDefaultWeights) {
  const TOptimizationSettings s = DefaultSettings();
  const TCombinedCriterion combined;
  EXPECT_NEAR(combined.Evaluate(JudgedSolution(2), s), 0.89, 1e-12);
  EXPECT_NEAR(combined.Evaluate(JudgedSolution(0), s), 0.915, 1e-12);
  EXPECT_EQ(combined.Evaluate(JudgedSolution(1), s), combined.Evaluate(JudgedSolution(-3), s));
  // Only the combined criterion reads the weights.
  TOptimizationSettings noCost = s;
  noCost.WeightCost = 0;
  EXPECT_NEAR(combined.Evaluate(JudgedSolution(2), noCost), 0.09, 1e-12);
  EXPECT_EQ(TCostPerVolumeCriterion().Evaluate(JudgedSolution(2), noCost), 800);
}

TEST(Criteria, SingleFieldCriteria) {
  const TOptimizationSettings s = DefaultSettings();
  TOptimizationSolution v = JudgedSolution(1);
  EXPECT_EQ(TBoxCountCriterion().Evaluate(v, s), -24.0);
  v.Box.PackCount = 30;
  EXPECT_LT(TBoxCountCriterion().Evaluate(v, s), -24.0);
  EXPECT_EQ(TPalletUtilizationCriterion().Evaluate(v, s), -0.75);
  v.Box.PalletUtilization = 0;
  EXPECT_EQ(TPalletUtilizationCriterion().Evaluate(v, s), 0);
  EXPECT_EQ(TCostPerVolumeCriterion().Evaluate(v, s), 800);
}

TEST(Criteria, CreateCriterionByKind) {
  const TOptimizationSolution v = JudgedSolution(2);
  const TOptimizationSettings s = DefaultSettings();
  EXPECT_EQ(CreateCriterion(ckCostPerVolume)->Evaluate(v, s), 800);
  EXPECT_EQ(CreateCriterion(ckBoxCount)->Evaluate(v, s), -24);
  EXPECT_EQ(CreateCriterion(ckPalletUtilization)->Evaluate(v, s), -0.75);
  EXPECT_NEAR(CreateCriterion(ckCombined)->Evaluate(v, s), 0.89, 1e-12);
  EXPECT_EQ(CreateCriterion(static_cast<TCriterionKind>(7))->Evaluate(v, s), 800);
  EXPECT_EQ(CreateCriterion(static_cast<TCriterionKind>(-1))->Evaluate(v, s), 800);
}

}  // namespace
}  // namespace quelmora
