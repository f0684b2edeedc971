#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/Optimizer.h"
#include "engine/SolutionOrder.h"
#include "support/SmallProjects.h"

namespace quelmora {
namespace {

TOptimizationSolution Scored(int32_t id, double score, double cost) {
  TOptimizationSolution s;
  s.ProductId = id;
  s.Box.Score = score;
  s.Box.PackagingCostPerM3 = cost;
  return s;
}

std::vector<int32_t> Ids(const std::vector<TOptimizationSolution>& solutions) {
  std::vector<int32_t> ids;
  for (const TOptimizationSolution& s : solutions)
    ids.push_back(s.ProductId);
  return ids;
}

// What the stable sort gave, on data where the tolerance is transitive.
std::vector<int32_t> StableSorted(std::vector<TOptimizationSolution> solutions) {
  std::stable_sort(solutions.begin(), solutions.end(),
                   [](const auto& x, const auto& y) { return CompareSolutions(x, y) < 0; });
  return Ids(solutions);
}

// Values in clusters far apart, jittered within the tolerance inside a
// cluster: there equality within tolerance is transitive.
std::vector<TOptimizationSolution> Clustered(unsigned seed, size_t count) {
  static const double bases[] = {-24, 0, 1, 2.5, 1000, 1e9};
  std::mt19937 random(seed);
  std::uniform_int_distribution<size_t> base(0, std::size(bases) - 1);
  std::uniform_real_distribution<double> jitter(-4e-13, 4e-13);
  const auto value = [&] {
    const double b = bases[base(random)];
    return b + jitter(random) * std::max(1.0, std::abs(b));
  };
  std::vector<TOptimizationSolution> solutions;
  for (size_t i = 0; i < count; ++i)
    solutions.push_back(Scored(static_cast<int32_t>(i), value(), value()));
  return solutions;
}

class SolutionOrderSeed : public ::testing::TestWithParam<unsigned> {};

// The new sort must order as the stable sort did wherever that was defined.
TEST_P(SolutionOrderSeed, AgreesWithTheStableSortWhereTheToleranceIsTransitive) {
  std::vector<TOptimizationSolution> solutions = Clustered(GetParam(), 200);
  const std::vector<int32_t> expected = StableSorted(solutions);
  SortSolutions(solutions);
  EXPECT_EQ(Ids(solutions), expected);
}

// Scores 0.6 tolerance apart chain a ~ b ~ c with a < c. The order is still
// a permutation, sorted to within two tolerances, and sorting it again
// changes nothing.
TEST_P(SolutionOrderSeed, IsDefinedOnChainsWithinTolerance) {
  std::vector<TOptimizationSolution> solutions;
  for (int32_t i = 0; i < 60; ++i)
    solutions.push_back(Scored(i, i * 0.6e-12, 100 - i % 3));
  std::mt19937 random(GetParam());
  std::shuffle(solutions.begin(), solutions.end(), random);
  SortSolutions(solutions);
  std::vector<int32_t> ids = Ids(solutions);
  std::vector<int32_t> all = ids;
  std::sort(all.begin(), all.end());
  for (int32_t i = 0; i < 60; ++i)
    ASSERT_EQ(all[static_cast<size_t>(i)], i);
  for (size_t i = 0; i < solutions.size(); ++i)
    for (size_t j = i + 1; j < solutions.size(); ++j)
      EXPECT_LE(solutions[i].Box.Score, solutions[j].Box.Score + 2e-12) << i << " " << j;
  std::vector<TOptimizationSolution> again = solutions;
  SortSolutions(again);
  EXPECT_EQ(Ids(again), ids);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SolutionOrderSeed, ::testing::Values(1u, 2u, 3u, 4u));

// On a real run's solutions the order is the one the stable sort gave.
TEST(SolutionOrder, AgreesWithTheStableSortOnARun) {
  TOptimizationSettings settings = test::SmallSettings();
  settings.SortBoxes = false;
  TCancelToken token;
  for (TCriterionKind kind : {ckCostPerVolume, ckBoxCount, ckPalletUtilization, ckCombined}) {
    TOptimizer optimizer;
    std::vector<TOptimizationSolution> solutions =
        optimizer
            .Execute(test::SmallAssortment(), settings, *CreateCriterion(kind), token,
                     [](int32_t, const std::string&) {})
            .Solutions;
    ASSERT_FALSE(solutions.empty());
    const std::vector<int32_t> expected = StableSorted(solutions);
    SortSolutions(solutions);
    EXPECT_EQ(Ids(solutions), expected);
  }
}

}  // namespace
}  // namespace quelmora
