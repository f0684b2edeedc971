#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>

#include "calc/PackGeometry.h"
#include "calc/PackVariantGenerator.h"
#include "model/Errors.h"
#include "support/ExpectError.h"
#include "support/WorkedExample.h"

namespace quelmora {
namespace {

using test::WorkedProduct;
using test::WorkedSettings;

struct Generation {
  std::vector<TPackVariant> variants;
  int32_t evaluations = -1;
  int32_t rejected = -1;
};

Generation Generate(const TProduct& p, const TOptimizationSettings& s) {
  TCancelToken token;
  Generation run;
  run.variants = GeneratePackVariants(p, s, token, run.evaluations, run.rejected);
  return run;
}

TPackVariant WithScore(double score, double length) {
  TPackVariant v;
  v.Score = score;
  v.LengthMM = length;  // tells entries of equal score apart
  return v;
}

TEST(InsertKeptVariant, SortedBoundedAndEarlierWinsTies) {
  std::vector<TPackVariant> kept;
  EXPECT_TRUE(InsertKeptVariant(kept, WithScore(2, 1), 3));
  EXPECT_TRUE(InsertKeptVariant(kept, WithScore(1, 2), 3));
  EXPECT_TRUE(InsertKeptVariant(kept, WithScore(2, 3), 3));  // after the earlier 2
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].LengthMM, 2);
  EXPECT_EQ(kept[1].LengthMM, 1);
  EXPECT_EQ(kept[2].LengthMM, 3);

  // Full: an equal worst score is refused, a better one pushes the last out.
  EXPECT_FALSE(InsertKeptVariant(kept, WithScore(2, 4), 3));
  EXPECT_EQ(kept[2].LengthMM, 3);
  EXPECT_TRUE(InsertKeptVariant(kept, WithScore(1, 5), 3));
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].LengthMM, 2);
  EXPECT_EQ(kept[1].LengthMM, 5);
  EXPECT_EQ(kept[2].LengthMM, 1);
}

// Contracts that hold for any product and settings.
struct GeneratorCase {
  const char* what;
  double minPercent, maxPercent, step;
  int32_t maxVariants, maxEvaluations;
  double minVolume, maxVolume;
  friend void PrintTo(const GeneratorCase& c, std::ostream* os) { *os << c.what; }
};

class GeneratorContractTest : public ::testing::TestWithParam<GeneratorCase> {};

TEST_P(GeneratorContractTest, BudgetOrderBoundsAndLimits) {
  const GeneratorCase& c = GetParam();
  TProduct p = WorkedProduct();
  p.MinVolumeM3 = c.minVolume;
  p.MaxVolumeM3 = c.maxVolume;
  TOptimizationSettings s = WorkedSettings();
  s.DimensionDeviationMinPercent = c.minPercent;
  s.DimensionDeviationMaxPercent = c.maxPercent;
  s.PackDimensionStepMM = c.step;
  s.MaxPackVariantsPerProduct = c.maxVariants;
  s.MaxGeometryEvaluations = c.maxEvaluations;
  const Generation run = Generate(p, s);

  EXPECT_LE(run.evaluations, c.maxEvaluations);
  EXPECT_LE(run.rejected, run.evaluations);
  EXPECT_LE(run.variants.size(), static_cast<size_t>(c.maxVariants));
  EXPECT_TRUE(std::is_sorted(run.variants.begin(), run.variants.end(),
                             [](const auto& a, const auto& b) { return a.Score < b.Score; }));
  std::set<std::tuple<double, double, double>> distinct;
  for (const TPackVariant& v : run.variants) {
    EXPECT_TRUE(PackWithinLimits(v, p, s));
    EXPECT_EQ(v, MakePackVariant(p, v.LengthMM, v.WidthMM, v.HeightMM, s));
    distinct.emplace(v.LengthMM, v.WidthMM, v.HeightMM);
  }
  EXPECT_EQ(distinct.size(), run.variants.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneratorContractTest,
    ::testing::Values(GeneratorCase{"defaults", -15, 15, 1, 500, 50000, 0.0007, 0.0008},
                      GeneratorCase{"tight budget", -15, 15, 1, 500, 100, 0.0007, 0.0008},
                      GeneratorCase{"fine step", -30, 30, 0.01, 50, 5000, 0.0005, 0.001},
                      GeneratorCase{"one variant", -15, 15, 1, 1, 2000, 0.0007, 0.0008},
                      GeneratorCase{"odd step", -10, 20, 0.7, 40, 3000, 0.00072, 0.00079},
                      GeneratorCase{"sample outside range", -15, 15, 1, 100, 20000, 0.0008,
                                    0.00085},
                      GeneratorCase{"range outside band", -15, 15, 1, 100, 20000, 0.01, 0.02}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST(GeneratePackVariants, PointBandGivesTheSamplePackOnly) {
  TOptimizationSettings s = WorkedSettings();
  s.DimensionDeviationMinPercent = 0;
  s.DimensionDeviationMaxPercent = 0;
  const Generation run = Generate(WorkedProduct(), s);
  ASSERT_EQ(run.variants.size(), 1u);
  EXPECT_EQ(run.variants[0], MakePackVariant(WorkedProduct(), 100, 50, 150, s));
  // The sample (1), its footprint in phase 1, the one coarse footprint and the
  // one refinement footprint inside the band (12 each): every retry is a
  // duplicate, counted as an evaluation but not as a rejection.
  EXPECT_EQ(run.evaluations, 37);
  EXPECT_EQ(run.rejected, 0);
}

TEST(GeneratePackVariants, PointBandOutsideTheRangeGivesNothing) {
  TProduct p = WorkedProduct();
  p.MinVolumeM3 = 0.0008;
  p.MaxVolumeM3 = 0.0009;
  TOptimizationSettings s = WorkedSettings();
  s.DimensionDeviationMinPercent = 0;
  s.DimensionDeviationMaxPercent = 0;
  const Generation run = Generate(p, s);
  EXPECT_TRUE(run.variants.empty());
  EXPECT_EQ(run.evaluations, 1);  // every footprint's volume heights lie above the band
  EXPECT_EQ(run.rejected, 1);
}

TEST(GeneratePackVariants, SampleOutsideTheRangeStillFindsPacks) {
  TProduct p = WorkedProduct();
  p.MinVolumeM3 = 0.0008;  // the sample holds 0.00075
  p.MaxVolumeM3 = 0.00085;
  const Generation run = Generate(p, WorkedSettings());
  ASSERT_FALSE(run.variants.empty());
  for (const auto& v : run.variants)
    EXPECT_GE(v.VolumeM3, 0.0008 - 1e-12);
}

TEST(GeneratePackVariants, BudgetSpentInTheCoarseGridEndsTheSearch) {
  TOptimizationSettings s = WorkedSettings();
  s.MaxGeometryEvaluations = 100;
  const Generation run = Generate(WorkedProduct(), s);
  EXPECT_EQ(run.evaluations, 100);
  // The same search with a larger list but the same budget keeps a superset.
  s.MaxPackVariantsPerProduct = 2000;
  EXPECT_GE(Generate(WorkedProduct(), s).variants.size(), run.variants.size());
}

// A bounded list keeps exactly the head of the unbounded one: nothing that
// would rank in the top n is lost to the bound. Seeds for the refinement come
// from the top 16, so lists of at least 16 share the whole search.
TEST(GeneratePackVariants, ShortListIsThePrefixOfTheLongOne) {
  TOptimizationSettings s = WorkedSettings();
  s.MaxPackVariantsPerProduct = 2000;
  const Generation full = Generate(WorkedProduct(), s);
  for (int32_t n : {16, 17, 100}) {
    s.MaxPackVariantsPerProduct = n;
    const Generation part = Generate(WorkedProduct(), s);
    ASSERT_EQ(part.variants.size(), static_cast<size_t>(n));
    EXPECT_TRUE(std::equal(part.variants.begin(), part.variants.end(), full.variants.begin()));
    EXPECT_EQ(part.evaluations, full.evaluations);
    EXPECT_GT(part.rejected, full.rejected);
  }
}

TEST(GeneratePackVariants, OneVariantIsTheBestScoring) {
  TOptimizationSettings s = WorkedSettings();
  s.MaxPackVariantsPerProduct = 1;
  const Generation one = Generate(WorkedProduct(), s);
  ASSERT_EQ(one.variants.size(), 1u);
  s.MaxPackVariantsPerProduct = 2000;
  const Generation all = Generate(WorkedProduct(), s);
  // The one kept pack scores at least as well as anything the longer search found.
  EXPECT_LE(one.variants[0].Score, all.variants[0].Score);
}

TEST(GeneratePackVariants, CancelledRunRaisesAndLeavesCountersAlone) {
  TCancelToken token;
  token.Cancel();
  int32_t evaluations = -7;
  int32_t rejected = -7;
  EXPECT_ERROR_KIND(
      GeneratePackVariants(WorkedProduct(), WorkedSettings(), token, evaluations, rejected),
      TErrorKind::Cancelled);
  EXPECT_EQ(evaluations, -7);
  EXPECT_EQ(rejected, -7);
}

TEST(GeneratePackVariants, DefaultSettingsOnTheDefaultProduct) {
  const TOptimizationSettings s = DefaultSettings();
  const Generation run = Generate(DefaultProduct(1), s);
  // The band is small enough for a full-step coarse grid: the budget is not
  // the limit here, the band is.
  EXPECT_EQ(run.variants.size(), 500u);
  EXPECT_GT(run.evaluations, 31 * 16 * 6);
  EXPECT_LT(run.evaluations, 50000);
  // Repeatable to the last bit.
  const Generation again = Generate(DefaultProduct(1), s);
  EXPECT_EQ(again.variants, run.variants);
  EXPECT_EQ(again.rejected, run.rejected);
}

}  // namespace
}  // namespace quelmora
