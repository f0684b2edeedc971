#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "calc/PackBoxBuilder.h"
#include "calc/PackGeometry.h"
#include "calc/PackPlacementCalculator.h"
#include "calc/PackVariantGenerator.h"
#include "calc/PalletCalculator.h"
#include "engine/ProductSearch.h"
#include "engine/SolutionOrder.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

TOptimizationSolution Candidate(double length, double score, double cost = 100, int32_t tag = 0) {
  TOptimizationSolution c;
  c.Box.LengthMM = length;
  c.Box.WidthMM = 200;
  c.Box.HeightMM = 150;
  c.Box.Score = score;
  c.Box.PackagingCostPerM3 = cost;
  c.Box.PackCount = tag;  // tells candidates of the same box apart
  return c;
}

std::vector<std::pair<double, int32_t>> Contents(TCandidateKeeper& keeper) {
  std::vector<std::pair<double, int32_t>> result;
  for (const auto& c : keeper.TakeSorted())
    result.emplace_back(c.Box.LengthMM, c.Box.PackCount);
  return result;
}

using Kept = std::vector<std::pair<double, int32_t>>;

TEST(CandidateKeeper, SameBoxKeepsTheBetterCandidate) {
  TCandidateKeeper keeper(5);
  keeper.Keep(Candidate(300, 5, 100, 1));
  keeper.Keep(Candidate(300, 4, 100, 2));  // better score replaces
  keeper.Keep(Candidate(300, 4, 90, 3));   // equal score, cheaper replaces
  keeper.Keep(Candidate(300, 4, 95, 4));   // equal score, dearer does not
  keeper.Keep(Candidate(300, 6, 10, 5));   // worse score does not
  // 300 and 300.00000004 round to the same seven decimals: one box.
  keeper.Keep(Candidate(300.00000004, 3, 100, 6));
  EXPECT_EQ(Contents(keeper), (Kept{{300.00000004, 6}}));
}

TEST(CandidateKeeper, BoundedByRetainReplacingTheFirstWorst) {
  TCandidateKeeper keeper(3);
  keeper.Keep(Candidate(301, 7, 100, 1));
  keeper.Keep(Candidate(302, 9, 100, 2));
  keeper.Keep(Candidate(303, 9, 100, 3));
  keeper.Keep(Candidate(304, 9, 100, 4));  // not better than the worst: refused
  keeper.Keep(Candidate(305, 8, 100, 5));  // replaces the first of the two 9s
  EXPECT_EQ(Contents(keeper), (Kept{{301, 1}, {305, 5}, {303, 3}}));
}

TEST(CandidateKeeper, PushedOutBoxReturnsOnlyWhenBetter) {
  TCandidateKeeper keeper(1);
  keeper.Keep(Candidate(301, 5, 100, 1));
  keeper.Keep(Candidate(302, 4, 100, 2));  // 301 is pushed out, seen at 5
  keeper.Keep(Candidate(301, 3, 100, 3));  // back with a better score than 4
  EXPECT_EQ(Contents(keeper), (Kept{{301, 3}}));

  TCandidateKeeper again(1);
  again.Keep(Candidate(301, 3, 100, 1));
  again.Keep(Candidate(302, 2, 100, 2));  // 301 seen at 3
  again.Keep(Candidate(303, 2.5, 100, 3));
  // 301 at 1 would beat 302, and 1 is below its seen 3: admitted.
  again.Keep(Candidate(301, 1, 100, 4));
  EXPECT_EQ(Contents(again), (Kept{{301, 4}}));
}

TEST(CandidateKeeper, SeenScoreBlocksAnEqualReturn) {
  TCandidateKeeper keeper(2);
  keeper.Keep(Candidate(301, 5, 100, 1));
  keeper.Keep(Candidate(302, 2, 100, 2));
  keeper.Keep(Candidate(303, 1, 100, 3));    // pushes 301 (seen at 5) out
  keeper.Keep(Candidate(302, 7, 100, 4));    // same box as kept, worse: ignored
  keeper.Keep(Candidate(304, 1.5, 100, 5));  // pushes 302 out
  keeper.Keep(Candidate(301, 5, 100, 6));    // not below its seen 5: refused
  EXPECT_EQ(Contents(keeper), (Kept{{303, 3}, {304, 5}}));
}

TEST(SolutionOrder, ToleranceAndCostTieBreak) {
  auto s = [](double score, double cost) { return Candidate(300, score, cost); };
  EXPECT_LT(CompareSolutions(s(1, 100), s(2, 50)), 0);
  EXPECT_EQ(CompareSolutions(s(1, 100), s(1 + 1e-13, 100)), 0);
  EXPECT_GT(CompareSolutions(s(1, 100), s(1 + 1e-13, 99)), 0);
  EXPECT_LT(CompareSolutions(s(1000, 100), s(1000 + 1e-8, 50)), 0);
  EXPECT_EQ(CompareSolutions(s(0, 5), s(1e-12, 5)), 0);
  EXPECT_EQ(CompareSolutions(s(-24, 5), s(-24, 5)), 0);
}

TEST(BoxKey, SevenDecimals) {
  TBoxVariant box;
  box.LengthMM = 311;
  box.WidthMM = 211.12345676;
  box.HeightMM = 0.5;
  EXPECT_EQ(BoxKey(box), "311.0000000/211.1234568/0.5000000");
}

class SearchProductTest : public ::testing::Test {
 protected:
  TBoxCalculator calc{std::make_shared<TGridPalletOptimizer>()};
  TCancelToken token;
};

TEST_F(SearchProductTest, KeptCandidatesAreDistinctSortedAndRebuildable) {
  TOptimizationSettings s = test::SmallSettings();
  const TProduct p = test::ScaledProduct(1, 1.0);
  const auto criterion = CreateCriterion(ckCombined);
  for (int32_t results : {1, 4}) {
    s.MaxResultsPerProduct = results;
    const auto kept = SearchProduct(p, s, calc, *criterion, token);
    ASSERT_FALSE(kept.empty());
    EXPECT_LE(kept.size(), static_cast<size_t>(3 * results));
    std::set<std::string> keys;
    for (size_t i = 0; i < kept.size(); ++i) {
      const TOptimizationSolution& c = kept[i];
      keys.insert(BoxKey(c.Box));
      if (i > 0) {
        EXPECT_LE(CompareSolutions(kept[i - 1], c), 0);
      }
      TBoxVariant rebuilt;
      ASSERT_TRUE(calc.Build(p, c.Pack, c.Box.PackPlacement, s, rebuilt));
      rebuilt.Score = criterion->Evaluate(c, s);
      EXPECT_EQ(rebuilt, c.Box);
      EXPECT_EQ(c.UnifiedProductCount, 1);
      EXPECT_EQ(c.UnifiedGroupId, 0);
      EXPECT_EQ(c.ProductId, 1);
    }
    EXPECT_EQ(keys.size(), kept.size());
  }
}

TEST_F(SearchProductTest, VariantProgressAndCancellation) {
  const TOptimizationSettings s = test::SmallSettings();
  const TProduct p = test::ScaledProduct(1, 1.0);
  const auto criterion = CreateCriterion(ckCostPerVolume);
  std::vector<int> seen;
  SearchProduct(p, s, calc, *criterion, token, [&](int j, int count) {
    EXPECT_EQ(count, s.MaxPackVariantsPerProduct);
    seen.push_back(j);
  });
  EXPECT_EQ(seen.size(), static_cast<size_t>(s.MaxPackVariantsPerProduct));

  EXPECT_ERROR_KIND(SearchProduct(p, s, calc, *criterion, token,
                                  [&](int j, int) {
                                    if (j == 2) token.Cancel();
                                  }),
                    TErrorKind::Cancelled);
}

TEST_F(SearchProductTest, NoAdmissibleBox) {
  TProduct p = test::ScaledProduct(1, 1.0);
  p.MaxBoxWeightKG = 0.1;  // lighter than one pack
  EXPECT_TRUE(
      SearchProduct(p, test::SmallSettings(), calc, *CreateCriterion(ckCostPerVolume), token)
          .empty());
}

// A criterion of someone else's: the formula of a built-in one, no floor.
class TWithoutFloor final : public IOptimizationCriterion {
 public:
  explicit TWithoutFloor(std::shared_ptr<const IOptimizationCriterion> Inner)
      : FInner(std::move(Inner)) {}
  double EvaluateInputs(const TCriterionInputs& Value,
                        const TOptimizationSettings& Settings) const override {
    return FInner->EvaluateInputs(Value, Settings);
  }

 private:
  std::shared_ptr<const IOptimizationCriterion> FInner;
};

class CriterionFloorTest : public ::testing::TestWithParam<TCriterionKind> {
 protected:
  TBoxCalculator calc{std::make_shared<TGridPalletOptimizer>()};
  TCancelToken token;
  TOptimizationSettings s = test::SmallSettings();
};

// Skipping changes how much is built, never what is kept; a criterion
// without a floor has every box built.
TEST_P(CriterionFloorTest, CriterionWithoutFloorKeepsTheSameCandidates) {
  const auto criterion = CreateCriterion(GetParam());
  const TWithoutFloor plain(criterion);
  for (const TProduct& p : test::SmallAssortment()) {
    TSearchCounters skipping, building;
    const auto fast = SearchProduct(p, s, calc, *criterion, token, nullptr, &skipping);
    const auto slow = SearchProduct(p, s, calc, plain, token, nullptr, &building);
    EXPECT_EQ(fast, slow) << p.Name;
    EXPECT_EQ(building.Skipped, 0);
    EXPECT_EQ(building.Built, building.Placements);
    EXPECT_EQ(skipping.Placements, building.Placements);
    EXPECT_GT(skipping.Skipped, 0) << "the floor never rules a box out";
  }
}

// The floor from a box's estimates lies at or below the score of the box.
TEST_P(CriterionFloorTest, FloorNotAboveTheScore) {
  const auto criterion = CreateCriterion(GetParam());
  const TProduct p = test::ScaledProduct(1, 1.0);
  const std::optional<unsigned> parts = criterion->FloorParts();
  ASSERT_TRUE(parts);
  TOptimizationSolution candidate;
  candidate.OriginalPack =
      MakePackVariant(p, p.OriginalLengthMM, p.OriginalWidthMM, p.OriginalHeightMM, s);
  candidate.OriginalBox = calc.Original(p, candidate.OriginalPack, s);
  candidate.UnifiedProductCount = 1;
  int compared = 0;
  for (const TPackVariant& pack : GeneratePackVariants(p, s, token)) {
    candidate.Pack = pack;
    const TPackBoxBuilder builder(calc, p, pack, s);
    const TCriterionInputs packInputs = CriterionInputsOf(candidate);
    EnumeratePlacements(pack, p, s, token, [&](const TPackPlacement& placement) {
      TBoxEstimate estimate;
      ASSERT_TRUE(builder.Estimate(placement, *parts, estimate));
      if (!builder.Build(placement, candidate.Box)) return;
      EXPECT_LE(criterion->ScoreFloor(estimate, packInputs, s), criterion->Evaluate(candidate, s));
      ++compared;
    });
  }
  EXPECT_GT(compared, 100);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CriterionFloorTest,
                         ::testing::Values(ckCostPerVolume, ckBoxCount, ckPalletUtilization,
                                           ckCombined));

}  // namespace
}  // namespace quelmora
