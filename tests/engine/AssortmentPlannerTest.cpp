#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "calc/PalletCalculator.h"
#include "engine/AssortmentPlanner.h"
#include "engine/ProductSearch.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

class AssortmentPlannerTest : public ::testing::Test {
 protected:
  TBoxCalculator calc{std::make_shared<TGridPalletOptimizer>()};
  TCancelToken token;
  TOptimizationSettings settings = test::SmallSettings();
  std::shared_ptr<const IOptimizationCriterion> criterion = CreateCriterion(ckCombined);

  std::vector<TOptimizationSolution> CandidatesOf(const std::vector<TProduct>& products) {
    std::vector<TOptimizationSolution> all;
    for (const TProduct& p : products) {
      if (!p.Enabled) continue;
      auto kept = SearchProduct(p, settings, calc, *criterion, token);
      all.insert(all.end(), kept.begin(), kept.end());
    }
    return all;
  }

  std::vector<TOptimizationSolution> Plan(const std::vector<TProduct>& products) {
    return PlanAssortment(CandidatesOf(products), products, settings, calc, *criterion, token);
  }

  // What every plan must satisfy.
  void ExpectConsistent(const std::vector<TProduct>& products,
                        const std::vector<TOptimizationSolution>& plan) {
    std::vector<const TProduct*> enabled;
    for (const TProduct& p : products)
      if (p.Enabled) enabled.push_back(&p);
    ASSERT_EQ(plan.size(), enabled.size());
    std::map<int32_t, std::vector<const TOptimizationSolution*>> groups;
    for (size_t k = 0; k < plan.size(); ++k) {
      const TOptimizationSolution& v = plan[k];
      EXPECT_EQ(v.ProductId, enabled[k]->Id);
      EXPECT_GE(v.UnifiedGroupId, 1);
      EXPECT_LE(v.UnifiedGroupId, settings.TargetUnifiedBoxCount);
      groups[v.UnifiedGroupId].push_back(&v);
      // The box is the candidate's grid rebuilt in the shared size.
      TBoxVariant rebuilt;
      ASSERT_TRUE(calc.Build(*enabled[k], v.Pack, v.Box.PackPlacement, settings, rebuilt,
                             v.Box.LengthMM, v.Box.WidthMM, v.Box.HeightMM));
      rebuilt.Score = criterion->Evaluate(v, settings);
      EXPECT_EQ(rebuilt, v.Box);
    }
    for (const auto& [group, members] : groups) {
      for (const TOptimizationSolution* v : members) {
        EXPECT_EQ(v->UnifiedProductCount, static_cast<int32_t>(members.size()));
        EXPECT_EQ(v->Box.LengthMM, members[0]->Box.LengthMM);
        EXPECT_EQ(v->Box.WidthMM, members[0]->Box.WidthMM);
        EXPECT_EQ(v->Box.HeightMM, members[0]->Box.HeightMM);
      }
    }
  }
};

TEST_F(AssortmentPlannerTest, TargetKeysMergeAtFourDecimals) {
  EXPECT_EQ(TargetKey(300, 171, 300), "300.0000/171.0000/300.0000");
  EXPECT_EQ(TargetKey(300.00004, 171, 300), TargetKey(300, 171, 300));
  EXPECT_NE(TargetKey(300.00006, 171, 300), TargetKey(300, 171, 300));
}

TEST_F(AssortmentPlannerTest, EmptyInputGivesEmptyPlan) {
  const auto products = test::SmallAssortment();
  EXPECT_TRUE(PlanAssortment({}, products, settings, calc, *criterion, token).empty());
  auto disabled = products;
  for (auto& p : disabled)
    p.Enabled = false;
  EXPECT_TRUE(
      PlanAssortment(CandidatesOf(products), disabled, settings, calc, *criterion, token).empty());
}

TEST_F(AssortmentPlannerTest, GroupSizesForEveryTarget) {
  const auto products = test::SmallAssortment();
  for (int32_t target : {1, 2, 3, 50}) {
    SCOPED_TRACE(target);
    settings.TargetUnifiedBoxCount = target;
    const auto plan = Plan(products);
    ExpectConsistent(products, plan);
    std::set<int32_t> groups;
    for (const auto& v : plan)
      groups.insert(v.UnifiedGroupId);
    EXPECT_LE(groups.size(), std::min<size_t>(target, products.size()));
    if (target == 1) {
      for (const auto& v : plan)
        EXPECT_EQ(v.UnifiedProductCount, 4);
    }
  }
}

TEST_F(AssortmentPlannerTest, DisabledProductsGetNothing) {
  auto products = test::SmallAssortment();
  products[1].Enabled = false;
  const auto plan = Plan(products);
  ExpectConsistent(products, plan);
  for (const auto& v : plan)
    EXPECT_NE(v.ProductId, products[1].Id);
}

// Two identical products both prefer the first size; the empty second size
// then takes the first of them, since both lose equally by moving.
TEST_F(AssortmentPlannerTest, EmptySlotIsFilledFromASharedSize) {
  std::vector<TProduct> products = {test::ScaledProduct(1, 1.0, "A"),
                                    test::ScaledProduct(2, 1.0, "B")};
  settings.TargetUnifiedBoxCount = 2;
  const auto plan = Plan(products);
  ExpectConsistent(products, plan);
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[0].UnifiedGroupId, 2);
  EXPECT_EQ(plan[1].UnifiedGroupId, 1);
  EXPECT_EQ(plan[0].UnifiedProductCount, 1);
  EXPECT_EQ(plan[1].UnifiedProductCount, 1);
  // Group 1 is the size that serves both best: product B keeps its own best box.
  const auto bCandidates = SearchProduct(products[1], settings, calc, *criterion, token);
  EXPECT_EQ(plan[1].Box.LengthMM, bCandidates[0].Box.LengthMM);
  EXPECT_EQ(plan[1].Box.WidthMM, bCandidates[0].Box.WidthMM);
  EXPECT_EQ(plan[1].Box.HeightMM, bCandidates[0].Box.HeightMM);
}

TEST_F(AssortmentPlannerTest, ProductWithoutCandidatesFailsThePlan) {
  auto products = test::SmallAssortment();
  products[2].MaxBoxWeightKG = 0.1;
  try {
    Plan(products);
    ADD_FAILURE() << "planned";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::NoSharedBox);
    EXPECT_EQ(e.Message(), "No shared box fits product Сахар");
  }
}

// Breaks the stateless contract on purpose: it loads every size the first
// time it is asked and refuses it from then on, so the full rebuild of a
// chosen cell disagrees with the plan.
class FicklePallet : public IPalletOptimizer {
 public:
  TPalletResult Calculate(double L, double B, double H, double PL, double PB,
                          double MH) const override {
    const std::lock_guard<std::mutex> lock(FMutex);
    if (!FAsked.insert({L, B, H}).second) return {};
    return TGridPalletOptimizer().Calculate(L, B, H, PL, PB, MH);
  }

 private:
  mutable std::mutex FMutex;
  mutable std::set<std::array<double, 3>> FAsked;
};

TEST_F(AssortmentPlannerTest, PlanAndRebuildDisagreeingIsAnInternalError) {
  settings.AllowOversizeBoxes = false;
  const auto products = test::SmallAssortment();
  const auto candidates = CandidatesOf(products);
  const TBoxCalculator fickle(std::make_shared<FicklePallet>());
  try {
    PlanAssortment(candidates, products, settings, fickle, *criterion, token);
    ADD_FAILURE() << "planned";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Kind(), TErrorKind::Internal) << "reported as the user's problem";
    EXPECT_STREQ(e.KindName(), "Exception");
    EXPECT_EQ(e.Message().rfind("Internal error: ", 0), 0u) << e.Message();
    EXPECT_NE(e.Message().find(products[0].Name), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find(" mm"), std::string::npos) << e.Message();
  }
}

TEST_F(AssortmentPlannerTest, CancelledDuringThePlan) {
  const auto products = test::SmallAssortment();
  const auto candidates = CandidatesOf(products);
  token.Cancel();
  EXPECT_ERROR_KIND(PlanAssortment(candidates, products, settings, calc, *criterion, token),
                    TErrorKind::Cancelled);
}

TEST(StandardBoxTargets, HeightEqualsLength) {
  for (const TSharedBoxTarget& t : StandardBoxTargets)
    EXPECT_EQ(t.L, t.H);
  EXPECT_EQ(StandardBoxTargets[1].L, 600);
  EXPECT_EQ(StandardBoxTargets[1].B, 266);
}

}  // namespace
}  // namespace quelmora
