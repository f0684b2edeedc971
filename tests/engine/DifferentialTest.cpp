// The fast engine against the straightforward one kept in reference/: every
// field of every result must be identical, bit for bit.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "calc/PalletCalculator.h"
#include "calc/PalletStrength.h"
#include "engine/OptimizationCriteria.h"
#include "engine/Optimizer.h"
#include "engine/reference/Optimizer.h"
#include "io/LumarData.h"
#include "model/Errors.h"

namespace quelmora {
namespace {

// A factor in [1 - spread, 1 + spread], the same on every platform.
double Factor(std::mt19937_64& engine, double spread) {
  const double unit = static_cast<double>(engine() >> 11) * 0x1.0p-53;
  return 1 - spread + 2 * spread * unit;
}

int Pick(std::mt19937_64& engine, int count) {
  return static_cast<int>(engine() % count);
}

// Small random projects: a few sample products varied in size, random but
// valid settings with small search limits.
TProjectData RandomProject(uint64_t seed) {
  std::mt19937_64 engine(seed);
  const TProjectData sample = LoadLumarProject();
  TProjectData project;
  TOptimizationSettings& s = project.Settings;
  s = DefaultSettings();
  s.DimensionDeviationMinPercent = -5 - Pick(engine, 30);
  s.DimensionDeviationMaxPercent = Pick(engine, 40);
  s.PackDimensionStepMM = Pick(engine, 3) == 0 ? 0.5 : 1 + Pick(engine, 3);
  s.MaxGeometryEvaluations = 150 + Pick(engine, 400);
  s.MaxPackVariantsPerProduct = 1 + Pick(engine, 8);
  s.MaxResultsPerProduct = 1 + Pick(engine, 5);
  s.MaxPacksPerBox = 8 + Pick(engine, 40);
  s.MaxCountPerAxis = 2 + Pick(engine, 6);
  s.TargetUnifiedBoxCount = 1 + Pick(engine, 4);
  s.SortBoxes = Pick(engine, 2) == 0;
  s.AllowOversizeBoxes = Pick(engine, 4) == 0;
  s.VolumeMismatchMode = Pick(engine, 2) == 0 ? UseSpecifiedVolume : UseSampleVolume;
  s.LengthGapMM = Pick(engine, 6);
  s.WidthGapMM = Pick(engine, 6);
  s.BoardThicknessMM = Pick(engine, 5);
  s.MaxBoxHeightMM = 250 + Pick(engine, 400);
  s.PalletLengthMM = 800 + 100 * Pick(engine, 5);
  s.PalletWidthMM = 600 + 100 * Pick(engine, 3);
  s.WeightUnification = Pick(engine, 2) * 0.05;
  project.OptimizationCriterion = static_cast<TCriterionKind>(Pick(engine, 4));
  const int count = 1 + Pick(engine, 5);
  for (int i = 0; i < count; ++i) {
    TProduct p = sample.Products[Pick(engine, static_cast<int>(sample.Products.size()))];
    p.Id = i + 1;
    p.OriginalLengthMM = std::round(p.OriginalLengthMM * Factor(engine, 0.2));
    p.OriginalWidthMM = std::round(p.OriginalWidthMM * Factor(engine, 0.2));
    p.OriginalHeightMM = std::round(p.OriginalHeightMM * Factor(engine, 0.2));
    const double v = p.OriginalLengthMM * p.OriginalWidthMM * p.OriginalHeightMM / 1e9;
    p.MinVolumeM3 = v * Factor(engine, 0.1);
    p.MaxVolumeM3 = p.MinVolumeM3 * (1 + Factor(engine, 0.1) * 0.2);
    p.MaxBoxWeightKG = 3 + Pick(engine, 12);
    p.Enabled = Pick(engine, 6) != 0;
    project.Products.push_back(p);
  }
  project.Products[Pick(engine, count)].Enabled = true;
  return project;
}

struct Outcome {
  TOptimizationResult result;
  std::string error;
};

template <typename Engine>
Outcome RunEngine(const Engine& engine, const TProjectData& project) {
  TCancelToken token;
  Outcome o;
  try {
    o.result = engine.Execute(project.Products, project.Settings,
                              *CreateCriterion(project.OptimizationCriterion), token);
    // The closing log line carries the elapsed time.
    if (!o.result.Log.empty()) o.result.Log.pop_back();
  } catch (const Exception& e) {
    o.error = ErrorText(e);
  }
  return o;
}

// Compares doubles by their bits, so -0 and 0 differ and NaN equals itself.
bool SameBits(const TOptimizationResult& a, const TOptimizationResult& b) {
  if (a.Solutions.size() != b.Solutions.size()) return false;
  for (size_t i = 0; i < a.Solutions.size(); ++i) {
    const TOptimizationSolution& x = a.Solutions[i];
    const TOptimizationSolution& y = b.Solutions[i];
    if (!(x == y)) return false;
    // Records hold only numbers, flags and enums: equal values with equal
    // bits is checked on the doubles that could be zero or negative.
    if (std::memcmp(&x.SavingPercent, &y.SavingPercent, sizeof(double)) != 0) return false;
    if (std::memcmp(&x.Box.Score, &y.Box.Score, sizeof(double)) != 0) return false;
  }
  return a.Log == b.Log && a.Cancelled == b.Cancelled &&
         std::memcmp(&a.AverageCostPerM3, &b.AverageCostPerM3, sizeof(double)) == 0 &&
         std::memcmp(&a.OriginalAverageCostPerM3, &b.OriginalAverageCostPerM3, sizeof(double)) == 0;
}

TEST(Differential, SeededSmallProjects) {
  const TOptimizer fast;
  const reference::TOptimizer straightforward;
  int solved = 0;
  for (uint64_t seed = 1; seed <= 300; ++seed) {
    const TProjectData project = RandomProject(seed);
    const Outcome expected = RunEngine(straightforward, project);
    const Outcome actual = RunEngine(fast, project);
    ASSERT_EQ(actual.error, expected.error) << "seed " << seed;
    ASSERT_TRUE(SameBits(actual.result, expected.result)) << "seed " << seed;
    solved += !expected.result.Solutions.empty();
  }
  // The generator must give mostly solvable projects to prove anything.
  EXPECT_GT(solved, 200);
}

// ThreadSanitizer slows the best-layer search a hundredfold; it looks for
// races, which a tenth of the projects reach as well as all of them.
#if defined(__SANITIZE_THREAD__)
constexpr uint64_t kSeedShare = 10;
#else
constexpr uint64_t kSeedShare = 1;
#endif

// The pallet settings at work: an overhang, a pallet of its own weight and a
// loaded weight limit, the last sometimes below the pallet alone. The limit
// reaches the fast paths the reference has none of (estimates, the pack
// plan, the plan's per-size pallet).
TProjectData WithPalletSettings(uint64_t seed) {
  TProjectData project = RandomProject(seed);
  std::mt19937_64 engine(seed ^ 0x9E3779B97F4A7C15ull);
  TOptimizationSettings& s = project.Settings;
  s.PalletOverhangMM = 25.0 * Pick(engine, 4);
  s.PalletWeightKG = 20.0 * Pick(engine, 2);
  const double limits[] = {0, 30, 150, 250.5, 400, 700};
  s.MaxLoadedPalletWeightKG = limits[Pick(engine, 6)];
  s.PalletHeightMM = 144 * Pick(engine, 2);
  s.PalletMethod = static_cast<TPalletMethod>(Pick(engine, 2));
  return project;
}

TEST(Differential, SeededSmallProjectsWithPalletSettings) {
  const TOptimizer fast;
  const reference::TOptimizer straightforward;
  int solved = 0, limited = 0;
  for (uint64_t seed = 1; seed <= 200 / kSeedShare; ++seed) {
    const TProjectData project = WithPalletSettings(seed);
    const Outcome expected = RunEngine(straightforward, project);
    const Outcome actual = RunEngine(fast, project);
    ASSERT_EQ(actual.error, expected.error) << "seed " << seed;
    ASSERT_TRUE(SameBits(actual.result, expected.result)) << "seed " << seed;
    solved += !expected.result.Solutions.empty();
    const TOptimizationSettings& s = project.Settings;
    for (const TOptimizationSolution& solution : expected.result.Solutions) {
      const TBoxVariant& box = solution.Box;
      // The limit holds for every result (a box with no pallet place only
      // when oversize boxes are allowed).
      if (s.MaxLoadedPalletWeightKG > 0 && box.PalletCount > 0) {
        EXPECT_LE(s.PalletWeightKG + box.PalletCount * box.GrossWeightKG,
                  s.MaxLoadedPalletWeightKG + 1e-6)
            << "seed " << seed;
      }
      limited += box.Pallet.LayerCount < TGridPalletOptimizer(s.PalletOverhangMM)
                                             .Calculate(box.LengthMM, box.WidthMM, box.HeightMM,
                                                        s.PalletLengthMM, s.PalletWidthMM,
                                                        s.MaxPalletHeightMM)
                                             .LayerCount;
    }
  }
  // Mostly solvable, and the limit really cut layers somewhere.
  EXPECT_GT(solved, 100 / static_cast<int>(kSeedShare));
  EXPECT_GT(limited, 20 / static_cast<int>(kSeedShare));
}

// The strength check on, its cap on and off, over the pallet settings: the
// cap reaches the same fast paths the weight limit does.
TEST(Differential, SeededSmallProjectsWithStrengthCap) {
  const TOptimizer fast;
  const reference::TOptimizer straightforward;
  int solved = 0, capped = 0;
  for (uint64_t seed = 1; seed <= 120 / kSeedShare; ++seed) {
    TProjectData project = WithPalletSettings(seed);
    std::mt19937_64 engine(seed ^ 0x5851F42D4C957F2Dull);
    TOptimizationSettings& s = project.Settings;
    const double ects[] = {0.3, 1, 3, 7};
    s.EdgeCrushKNPerM = ects[Pick(engine, 4)];
    s.StorageHumidityPercent = 50 + 10 * Pick(engine, 5);
    s.DaysUnderLoad = 30.0 * Pick(engine, 4);
    s.StackedPallets = 1 + Pick(engine, 3);
    s.RequiredSafetyFactor = 1 + Pick(engine, 5);
    s.LimitLayersToStrength = Pick(engine, 3) != 0;
    const Outcome expected = RunEngine(straightforward, project);
    const Outcome actual = RunEngine(fast, project);
    ASSERT_EQ(actual.error, expected.error) << "seed " << seed;
    ASSERT_TRUE(SameBits(actual.result, expected.result)) << "seed " << seed;
    solved += !expected.result.Solutions.empty();
    if (!s.LimitLayersToStrength) continue;
    for (const TOptimizationSolution& solution : expected.result.Solutions) {
      const TBoxVariant& box = solution.Box;
      if (box.Pallet.LayerCount <= 0) continue;
      const TPalletStrength strength = StrengthOf(s, box);
      // At the cap the bottom box holds, unless it holds under no load at all.
      EXPECT_EQ(strength.Safe, strength.Strength.SafeLayers >= 1) << "seed " << seed;
      capped += box.Pallet.LayerCount > 1 && box.Pallet.LayerCount == strength.Strength.SafeLayers;
    }
  }
  EXPECT_GT(solved, 60 / static_cast<int>(kSeedShare));
  EXPECT_GT(capped, 10 / static_cast<int>(kSeedShare));
}

TEST(Differential, SampleWithPalletLimits) {
  TProjectData project = LoadLumarProject();
  project.Products.resize(5);  // the reference engine is slow; five make the point
  project.Settings = DefaultSettings();
  project.Settings.PalletOverhangMM = 40;
  project.Settings.PalletWeightKG = 25;
  project.Settings.MaxLoadedPalletWeightKG = 300;
  for (TCriterionKind kind : {ckPalletUtilization, ckCombined}) {
    project.OptimizationCriterion = kind;
    const Outcome expected = RunEngine(reference::TOptimizer(), project);
    const Outcome actual = RunEngine(TOptimizer(), project);
    ASSERT_EQ(actual.error, expected.error);
    EXPECT_TRUE(SameBits(actual.result, expected.result)) << "criterion " << kind;
  }
}

TEST(Differential, SampleAtDefaultSettings) {
  TProjectData project = LoadLumarProject();
  project.Settings = DefaultSettings();
  for (TCriterionKind kind : {ckCostPerVolume, ckCombined}) {
    project.OptimizationCriterion = kind;
    const Outcome expected = RunEngine(reference::TOptimizer(), project);
    const Outcome actual = RunEngine(TOptimizer(), project);
    ASSERT_EQ(actual.error, expected.error);
    ASSERT_EQ(expected.result.Solutions.size(), 12u);
    EXPECT_TRUE(SameBits(actual.result, expected.result)) << "criterion " << kind;
  }
}

}  // namespace
}  // namespace quelmora
