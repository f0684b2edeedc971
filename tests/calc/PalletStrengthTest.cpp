#include "calc/PalletStrength.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "calc/PalletCalculator.h"
#include "calc/PalletLayer.h"
#include "model/OptimizationModel.h"

namespace quelmora {
namespace {

struct StrengthCase {
  const char* Name;
  double L, W, H, GrossKG;
  double Ect, Humidity, Days;
  int32_t Stacked;
  double Required, PalletKG, OverhangMM;
};

const StrengthCase kCases[] = {
    {"StrongLight", 400, 300, 250, 5, 7, 50, 0, 1, 3, 0, 0},
    {"HeavyDamp", 400, 300, 250, 25, 5, 85, 90, 1, 3, 20, 0},
    {"StackedPallets", 600, 400, 300, 18, 7, 70, 30, 3, 3, 25, 0},
    {"WeakUnderAnyLoad", 300, 200, 150, 40, 1, 95, 180, 4, 5, 30, 0},
    {"Overhang", 410, 310, 200, 12, 6, 60, 10, 2, 2.5, 25, 20},
    {"FlatSmall", 200, 150, 100, 3, 4, 80, 0, 2, 4, 15, 0},
};

class PalletStrengthCap : public ::testing::TestWithParam<StrengthCase> {
 protected:
  static TOptimizationSettings SettingsOf(const StrengthCase& c) {
    TOptimizationSettings s = DefaultSettings();
    s.EdgeCrushKNPerM = c.Ect;
    s.StorageHumidityPercent = c.Humidity;
    s.DaysUnderLoad = c.Days;
    s.StackedPallets = c.Stacked;
    s.RequiredSafetyFactor = c.Required;
    s.PalletWeightKG = c.PalletKG;
    s.PalletOverhangMM = c.OverhangMM;
    s.LimitLayersToStrength = true;
    return s;
  }
  static TBoxVariant BoxOf(const StrengthCase& c, const TPalletResult& pallet) {
    TBoxVariant box;
    box.LengthMM = c.L;
    box.WidthMM = c.W;
    box.HeightMM = c.H;
    box.GrossWeightKG = c.GrossKG;
    box.Pallet = pallet;
    box.PalletCount = pallet.BoxesPerPallet;
    return box;
  }
};

TEST_P(PalletStrengthCap, LowersOnlyAndStopsWhereTheBottomBoxHolds) {
  const StrengthCase& c = GetParam();
  const TOptimizationSettings s = SettingsOf(c);
  const TPalletResult free =
      TGridPalletOptimizer(s.PalletOverhangMM)
          .Calculate(c.L, c.W, c.H, s.PalletLengthMM, s.PalletWidthMM, s.MaxPalletHeightMM);
  ASSERT_GT(free.LayerCount, 1);
  const TPalletResult capped = LimitPallet(free, c.L, c.W, c.H, c.GrossKG, s);
  EXPECT_EQ(capped.BoxesPerLayer, free.BoxesPerLayer);
  EXPECT_GE(capped.LayerCount, 1);
  EXPECT_LE(capped.LayerCount, free.LayerCount);
  EXPECT_LE(capped.BoxesPerPallet, free.BoxesPerPallet);
  EXPECT_LE(capped.Utilization, free.Utilization);

  const TPalletStrength at = StrengthOf(s, BoxOf(c, capped));
  // Safe at the cap, unless even one layer fails: then kept and marked.
  EXPECT_EQ(at.Safe, at.Strength.SafeLayers >= 1);
  if (at.Safe && at.Strength.LoadN > 0) {
    EXPECT_GE(at.Strength.SafetyFactor, s.RequiredSafetyFactor);
  }
  // The most layers: one more than the cap (within the pallet) fails.
  if (capped.LayerCount < free.LayerCount) {
    TPalletResult more = capped;
    more.LayerCount += 1;
    EXPECT_FALSE(StrengthOf(s, BoxOf(c, more)).Safe);
    EXPECT_EQ(capped.LayerCount, std::max(at.Strength.SafeLayers, 1));
  }

  // Off by either switch: the pallet as it was.
  TOptimizationSettings off = s;
  off.LimitLayersToStrength = false;
  EXPECT_EQ(LimitPallet(free, c.L, c.W, c.H, c.GrossKG, off), free);
  off = s;
  off.EdgeCrushKNPerM = 0;
  EXPECT_EQ(LimitPallet(free, c.L, c.W, c.H, c.GrossKG, off), free);
}

INSTANTIATE_TEST_SUITE_P(Table, PalletStrengthCap, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// The cap's search against the plain count of the estimate: without pallets
// stacked on top the two must agree to the last layer.
TEST(PalletStrength, SafeLayersAgreeWithTheEstimateWithoutStacking) {
  TOptimizationSettings s = DefaultSettings();
  s.EdgeCrushKNPerM = 7;
  TPalletResult pallet;
  pallet.BoxesPerLayer = 8;
  for (double reduced : {50.0, 981.0, 3042.7, 1e6})
    for (double gross : {0.5, 7.3, 40.0})
      for (double required : {1.0, 3.0, 7.5}) {
        s.RequiredSafetyFactor = required;
        EXPECT_EQ(SafePalletLayers(reduced, pallet, gross, s),
                  MostSafeLayers(reduced, gross, required))
            << reduced << " " << gross << " " << required;
      }
}

// The result file's records are the figures the window shows, one per
// solution, and none at all while the check is off.
TEST(PalletStrength, ResultStrengthsFollowStrengthOfOnlyWithTheCheckOn) {
  TOptimizationResult result;
  for (const StrengthCase& c : kCases) {
    TPalletResult pallet;
    pallet.BoxesPerLayer = 6;
    pallet.LayerCount = 5;
    pallet.BoxesPerPallet = 30;
    TOptimizationSolution solution;
    solution.Box.LengthMM = c.L;
    solution.Box.WidthMM = c.W;
    solution.Box.HeightMM = c.H;
    solution.Box.GrossWeightKG = c.GrossKG;
    solution.Box.Pallet = pallet;
    result.Solutions.push_back(solution);
  }
  TOptimizationSettings s = DefaultSettings();
  s.StorageHumidityPercent = 80;
  s.StackedPallets = 2;
  EXPECT_TRUE(ResultStrengths(s, result).empty());
  s.EdgeCrushKNPerM = 5;
  const std::vector<TStrengthRecord> records = ResultStrengths(s, result);
  ASSERT_EQ(records.size(), result.Solutions.size());
  for (size_t i = 0; i < records.size(); ++i) {
    const TPalletStrength p = StrengthOf(s, result.Solutions[i].Box);
    const TStrengthRecord& r = records[i];
    EXPECT_EQ(r.McKeeN, p.Strength.McKeeN);
    EXPECT_EQ(r.ReducedN, p.Strength.ReducedN);
    EXPECT_EQ(r.LoadN, p.Strength.LoadN);
    EXPECT_EQ(r.SafetyFactor, p.Strength.SafetyFactor);
    EXPECT_EQ(r.Required, s.RequiredSafetyFactor);
    EXPECT_EQ(r.SafeLayers, p.Strength.SafeLayers);
    EXPECT_EQ(r.Safe, p.Safe);
  }
}

TEST(PalletStrength, InterlockedOnlyBeyondTheGridCount) {
  const TOptimizationSettings s = DefaultSettings();
  const int32_t grid = GridLayerCount(s.PalletLengthMM, s.PalletWidthMM, 380, 290);
  TPalletResult pallet;
  pallet.BoxesPerLayer = grid;
  EXPECT_EQ(PalletPatternOf(pallet, 380, 290, s), TStackingPattern::Column);
  pallet.BoxesPerLayer = grid + 1;
  EXPECT_EQ(PalletPatternOf(pallet, 380, 290, s), TStackingPattern::Interlocked);
}

// Stacked pallets only add load, never take it away.
TEST(PalletStrength, StackingNeverRaisesTheSafeLayers) {
  TOptimizationSettings s = DefaultSettings();
  s.PalletWeightKG = 25;
  TPalletResult pallet;
  pallet.BoxesPerLayer = 6;
  int32_t previous = std::numeric_limits<int32_t>::max();
  for (int32_t stacked = 1; stacked <= 5; ++stacked) {
    s.StackedPallets = stacked;
    const int32_t layers = SafePalletLayers(5000, pallet, 9, s);
    EXPECT_LE(layers, previous) << stacked;
    previous = layers;
  }
}

}  // namespace
}  // namespace quelmora
